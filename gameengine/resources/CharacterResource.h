#pragma once

#include <cstdint>

#include "resources/ImageResource.h"

namespace tidewell {

// One glyph of a bitmap font: its colours (white, with the coverage as alpha) and
// where it sits relative to the pen. The pen moves by left + width + right.
class CharacterResource : public ImageResource {
public:
    // The character's code: its byte value in the strings the game draws.
    std::uint32_t code = 0;
    // Offset of the bitmap's top from the line's top.
    std::int32_t top = 0;
    // Offset of the bitmap from the pen position.
    std::int32_t left = 0;
    // Extra pen movement after the bitmap.
    std::int32_t right = 0;
};

} // namespace tidewell
