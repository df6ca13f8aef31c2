#pragma once

// The heaviest frame the game draws, shared by the renderer benchmarks so that the
// software renderer, SDL's software renderer and the graphics card draw the very same
// thing: three layers each covering the 800 x 600 screen with 256 x 256 tiles, 100
// sprites of 64 x 64 tinted and faded (multiply and add colours) and 200 bullets of
// 16 x 16, every source pixel with an alpha of at most 240, from a fixed seed.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace heavyframe {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kTile = 256;
constexpr int kLayers = 3;
constexpr int kTilesPerLayer = 4;  // distinct tile pictures per layer
constexpr int kSprites = 100;
constexpr int kSpriteSize = 64;
constexpr int kBullets = 200;
constexpr int kBulletSize = 16;

struct Picture {
    int width;
    int height;
    std::vector<std::uint32_t> pixels;
};

struct Draw {
    int picture;
    int x;
    int y;
    std::uint32_t multiply;
    std::uint32_t add;
};

// The game's own random generator, so the frame is the same on every run.
struct Lcg {
    std::uint32_t state;
    std::uint32_t next() {
        state = state * 214013u + 2531011u;
        return (state >> 16) & 0x7FFF;
    }
};

// A .twi-like picture: 4 bits a channel, alpha from 16 to 240, never opaque.
inline Picture makePicture(int width, int height, Lcg& random) {
    Picture picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (std::uint32_t& pixel : picture.pixels) {
        const std::uint32_t alpha = (1 + random.next() % 15) * 16;
        pixel =
            alpha << 24 | (random.next() % 16 * 16) << 16 | (random.next() % 16 * 16) << 8 | random.next() % 16 * 16;
    }
    return picture;
}

struct Frame {
    std::vector<Picture> pictures;
    std::vector<Draw> draws;
    std::uint64_t blendedPixels = 0;
};

inline int visible(int start, int size, int limit) { return std::max(0, std::min(start + size, limit) - std::max(start, 0)); }

inline const Frame& heavyFrame() {
    static const Frame frame = [] {
        Frame made;
        Lcg random{20240601};
        for (int i = 0; i < kLayers * kTilesPerLayer; ++i) made.pictures.push_back(makePicture(kTile, kTile, random));
        const int firstSprite = static_cast<int>(made.pictures.size());
        for (int i = 0; i < 4; ++i) made.pictures.push_back(makePicture(kSpriteSize, kSpriteSize, random));
        const int firstBullet = static_cast<int>(made.pictures.size());
        for (int i = 0; i < 2; ++i) made.pictures.push_back(makePicture(kBulletSize, kBulletSize, random));

        constexpr std::uint32_t plain = 0xFFFFFFFF, noAdd = 0xFF000000;
        for (int layer = 0; layer < kLayers; ++layer) {
            // Each layer scrolled differently, so tiles are cut at every edge.
            const int offsetX = -((layer * 83) % kTile);
            const int offsetY = -((layer * 41) % kTile);
            int tile = 0;
            for (int y = offsetY; y < kScreenHeight; y += kTile) {
                for (int x = offsetX; x < kScreenWidth; x += kTile) {
                    made.draws.push_back({layer * kTilesPerLayer + tile++ % kTilesPerLayer, x, y, plain, noAdd});
                }
            }
        }
        for (int i = 0; i < kSprites; ++i) {
            const int x = static_cast<int>(random.next() % (kScreenWidth + kSpriteSize)) - kSpriteSize / 2;
            const int y = static_cast<int>(random.next() % (kScreenHeight + kSpriteSize)) - kSpriteSize / 2;
            const std::uint32_t alpha = 128 + random.next() % 128;
            const std::uint32_t tint = 0x808080 | ((random.next() << 9 ^ random.next()) & 0x7F7F7F);
            made.draws.push_back(
                {firstSprite + i % 4, x, y, alpha << 24 | tint, 0xFF000000 | (random.next() & 0x1F1F1F)});
        }
        for (int i = 0; i < kBullets; ++i) {
            const int x = static_cast<int>(random.next() % kScreenWidth);
            const int y = static_cast<int>(random.next() % kScreenHeight);
            made.draws.push_back({firstBullet + i % 2, x, y, plain, noAdd});
        }
        for (const Draw& draw : made.draws) {
            const Picture& picture = made.pictures[static_cast<std::size_t>(draw.picture)];
            made.blendedPixels += static_cast<std::uint64_t>(visible(draw.x, picture.width, kScreenWidth)) *
                                  visible(draw.y, picture.height, kScreenHeight);
        }
        return made;
    }();
    return frame;
}

} // namespace heavyframe
