#include "TwiEncoder.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace assetbake {
namespace {

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int channel(const StraightColour& colour, int index) {
    switch (index) {
    case 0: return colour.alpha;
    case 1: return colour.red;
    case 2: return colour.green;
    default: return colour.blue;
    }
}

// The picture's straight colours, once, so that neighbours can be compared.
std::vector<StraightColour> straightColours(const Picture& picture) {
    std::vector<StraightColour> colours(picture.premultiplied.size());
    std::transform(picture.premultiplied.begin(), picture.premultiplied.end(), colours.begin(), unpremultiply);
    return colours;
}

bool onSharpEdge(const std::vector<StraightColour>& colours, const Picture& picture, int x, int y, int index) {
    const int value = channel(colours[static_cast<std::size_t>(y) * picture.width + x], index);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= picture.width || ny >= picture.height) continue;
            const int other = channel(colours[static_cast<std::size_t>(ny) * picture.width + nx], index);
            if (std::abs(other - value) > kSharpStep) return true;
        }
    }
    return false;
}

int quantise(int value, bool dither, int threshold) {
    if (value >= 240) return 15;
    const int below = value % 16;
    // Values on (or within one of) a level are that level: no pattern on flat colours.
    if (!dither || below <= 1 || below >= 15) return std::min(15, (value + 8) / 16);
    // value / 16 + (threshold + 0.5) / 16, floored: the fraction of pixels rounded
    // up is the fraction of the way to the next level.
    return std::min(15, (2 * value + 2 * threshold + 1) / 32);
}

void putLittleEndian32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

} // namespace

StraightColour unpremultiply(std::uint32_t premultiplied) {
    const int alpha = static_cast<int>(premultiplied >> 24);
    auto straight = [&](int shift) {
        const int value = static_cast<int>((premultiplied >> shift) & 0xFF);
        if (alpha == 0) return 0;
        return std::min(255, (value * 255 + alpha / 2) / alpha);
    };
    return StraightColour{alpha, straight(16), straight(8), straight(0)};
}

std::vector<std::uint8_t> encodeTwi(const Picture& picture) {
    const std::vector<StraightColour> colours = straightColours(picture);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(24 + colours.size() * 2);
    putLittleEndian32(bytes, static_cast<std::uint32_t>(picture.width));
    putLittleEndian32(bytes, static_cast<std::uint32_t>(picture.height));
    bytes.resize(24, 0);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const StraightColour& colour = colours[static_cast<std::size_t>(y) * picture.width + x];
            const int threshold = kBayer[y & 3][x & 3];
            std::array<int, 4> levels{};
            for (int index = 0; index < 4; ++index) {
                const bool dither = !onSharpEdge(colours, picture, x, y, index);
                levels[index] = quantise(channel(colour, index), dither, threshold);
            }
            std::uint16_t word = 0;
            if (levels[0] != 0) {
                word = static_cast<std::uint16_t>(levels[0] << 12 | levels[1] << 8 | levels[2] << 4 | levels[3]);
            }
            bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(word >> 8));
        }
    }
    return bytes;
}

} // namespace assetbake
