#include "FrameView.h"

#include <cstddef>
#include <cstring>

namespace tidewell::platform {
namespace {

// Widens a 5-6-5 pixel to 8 bits a channel by repeating the top bits, so white stays white.
std::uint32_t widenRgb565(std::uint16_t pixel) {
    const std::uint32_t r = (pixel >> 11) & 0x1F;
    const std::uint32_t g = (pixel >> 5) & 0x3F;
    const std::uint32_t b = pixel & 0x1F;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

void widenRow(const unsigned char* row, std::uint32_t* out, int width) {
    for (int x = 0; x < width; ++x) {
        std::uint16_t pixel;
        std::memcpy(&pixel, row + x * 2, sizeof pixel);
        out[x] = widenRgb565(pixel);
    }
}

void maskRow(const unsigned char* row, std::uint32_t* out, int width) {
    std::memcpy(out, row, static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    for (int x = 0; x < width; ++x) out[x] &= 0xFFFFFF;
}

}  // namespace

void toRgbPixels(const FrameView& frame, std::vector<std::uint32_t>& rgb) {
    if (frame.pixels == nullptr || frame.width <= 0 || frame.height <= 0) {
        rgb.clear();
        return;
    }
    // Resized in place: a frame of the same size as the last reuses its memory.
    rgb.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
    const auto* rows = static_cast<const unsigned char*>(frame.pixels);
    // One plain loop a row for each format, which the compiler turns into vector code:
    // every frame of the headless backend passes through here.
    for (int y = 0; y < frame.height; ++y) {
        const unsigned char* row = rows + static_cast<std::ptrdiff_t>(y) * frame.pitchBytes;
        std::uint32_t* out = rgb.data() + static_cast<std::size_t>(y) * frame.width;
        if (frame.format == PixelFormat::Rgb565) {
            widenRow(row, out, frame.width);
        } else {
            maskRow(row, out, frame.width);
        }
    }
}

}  // namespace tidewell::platform
