#pragma once

#include <cstdint>

namespace tidewell {

// The pixel layout of the back buffer: red above green above blue, packed at the
// bottom of a 16-bit (5-6-5) or 32-bit (8-8-8, the top byte unused) word. Every
// conversion the software renderer makes goes through one of these.
struct DisplayFormat {
    int depth = 0;                // bits per pixel: 16 or 32
    std::uint32_t masks[4] = {};  // red, green, blue, alpha
    int bits[4] = {};             // set bits of each mask

    static DisplayFormat rgb565();
    static DisplayFormat xrgb8888();
    // 32 for 32, 16 for anything else, as the depth options are read.
    static DisplayFormat forDepth(int depth);

    int bytesPerPixel() const { return depth / 8; }

    // 0xRRGGBB (alpha ignored) reduced to this format's fields.
    std::uint32_t toDisplayColour(std::uint32_t rgb) const;
    // Per field: alpha × source + (255 − alpha) × destination, over 255, in place.
    std::uint32_t blendPixel(std::uint32_t destination, std::uint32_t source, std::uint32_t alpha) const;
    // A neighbouring colour: each field at its top steps down one, any other steps up
    // one, so an opaque pixel never turns into the colour key.
    std::uint32_t avoidKeyColour(std::uint32_t colour) const;
    // Only the red, green and blue fields of a pixel.
    std::uint32_t colourBits() const { return masks[0] | masks[1] | masks[2]; }
};

// The number of set bits of a mask.
int countBits(std::uint32_t mask);

}  // namespace tidewell
