#pragma once

#include <cstdint>
#include <vector>

namespace tidewell::platform {

// The two back-buffer layouts the renderers produce.
enum class PixelFormat { Rgb565, Xrgb8888 };

// A borrowed view of a finished frame; the pixels stay owned by the renderer.
struct FrameView {
    const void* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitchBytes = 0;
    PixelFormat format = PixelFormat::Xrgb8888;
};

// The frame as 0xRRGGBB words, row by row (5-6-5 pixels widened so that white stays
// white), written into `rgb`; empty for a view without pixels. The vector keeps its
// memory from one frame to the next, so a frame costs no allocation.
void toRgbPixels(const FrameView& frame, std::vector<std::uint32_t>& rgb);

} // namespace tidewell::platform
