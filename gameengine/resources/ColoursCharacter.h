#pragma once

#include <cstdint>

#include "resources/CharacterResource.h"

namespace tidewell {

// A glyph made from a colour array. Its colours are always present; load() and
// unload() only set and clear the loaded flag. Made through the resource manager,
// which shares equal glyphs between fonts.
class ColoursCharacter : public CharacterResource {
public:
    // Copies width × height colours; ErrorGeneric for a zero size or a null array.
    ColoursCharacter(std::uint32_t code, std::int32_t top, std::int32_t left, std::int32_t right, std::uint32_t width,
                     std::uint32_t height, const std::uint32_t* colours);

    void load() override;
    void unload() override;

    // All seven values equal, the colours byte for byte.
    bool matches(std::uint32_t code, std::int32_t top, std::int32_t left, std::int32_t right, std::uint32_t width,
                 std::uint32_t height, const std::uint32_t* colours) const;
};

} // namespace tidewell
