#include "graphics/DisplayFormat.h"

#include <bit>

namespace tidewell {

int countBits(std::uint32_t mask) { return std::popcount(mask); }

DisplayFormat DisplayFormat::rgb565() {
    DisplayFormat format;
    format.depth = 16;
    format.masks[0] = 0xF800;
    format.masks[1] = 0x07E0;
    format.masks[2] = 0x001F;
    for (int i = 0; i < 4; ++i) format.bits[i] = countBits(format.masks[i]);
    return format;
}

DisplayFormat DisplayFormat::xrgb8888() {
    DisplayFormat format;
    format.depth = 32;
    format.masks[0] = 0xFF0000;
    format.masks[1] = 0x00FF00;
    format.masks[2] = 0x0000FF;
    for (int i = 0; i < 4; ++i) format.bits[i] = countBits(format.masks[i]);
    return format;
}

DisplayFormat DisplayFormat::forDepth(int depth) { return depth == 32 ? xrgb8888() : rgb565(); }

std::uint32_t DisplayFormat::toDisplayColour(std::uint32_t rgb) const {
    const int redBits = bits[0];
    const int greenBits = bits[1];
    const int blueBits = bits[2];
    const std::uint32_t red = ((rgb & 0xFF0000) >> (24 - redBits)) << (greenBits + blueBits);
    const std::uint32_t green = ((rgb & 0xFF00) >> (16 - greenBits)) << blueBits;
    const std::uint32_t blue = (rgb & 0xFF) >> (8 - blueBits);
    return red | green | blue;
}

std::uint32_t DisplayFormat::blendPixel(std::uint32_t destination, std::uint32_t source, std::uint32_t alpha) const {
    std::uint32_t result = 0;
    for (int field = 0; field < 3; ++field) {
        const std::uint32_t mask = masks[field];
        result |= mask & ((alpha * (source & mask) + (destination & mask) * (255 - alpha)) / 255);
    }
    return result;
}

std::uint32_t DisplayFormat::avoidKeyColour(std::uint32_t colour) const {
    std::uint32_t result = 0;
    for (int field = 0; field < 3; ++field) {
        const std::uint32_t mask = masks[field];
        const std::uint32_t step = mask & (~mask + 1);  // the lowest bit of the field
        const std::uint32_t value = colour & mask;
        result |= value == mask ? value - step : value + step;
    }
    return result;
}

}  // namespace tidewell
