#pragma once

#include "Picture.h"

#include <cstdint>
#include <vector>

namespace assetbake {

// Straight (not premultiplied) 8-bit channels of one pixel.
struct StraightColour {
    int alpha, red, green, blue;
};

// Undoes cairo's premultiplication, rounding to the nearest value.
StraightColour unpremultiply(std::uint32_t premultiplied);

// A .twi file of the picture: the 24-byte header (width, height, 16 zero bytes)
// and one 16-bit little-endian ARGB 4-4-4-4 word per pixel, rows from the top.
//
// Each 8-bit channel v is stored as n, which the game shows as n × 16. Where the
// picture changes smoothly (no step larger than kSharpStep to a neighbour) and v
// lies between two levels, n is chosen by a 4 × 4 ordered (Bayer) threshold so
// that the average over a few pixels keeps v and gradients do not band; flat
// colours on a level and sharp edges are rounded, so outlines stay clean. A
// pixel whose alpha becomes 0 is stored as 0.
std::vector<std::uint8_t> encodeTwi(const Picture& picture);

// A channel step to a neighbour above this is an edge, not part of a gradient.
constexpr int kSharpStep = 24;

} // namespace assetbake
