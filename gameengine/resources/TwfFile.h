#pragma once

#include <cstdint>
#include <string>

#include "resources/FontResource.h"

namespace tidewell {

class AssetFile;

// A font read from a .twf file. All fields are 32-bit little-endian:
//   header   lineHeight (signed), defaultAdvance (signed)
//   records  up to the end of the file, each: code, width, height (unsigned, not 0),
//            top, left, right (signed), then width × height coverage bytes
// A coverage byte b becomes the colour (b << 24) | 0xFFFFFF, white that a drawing
// colour can tint. Glyphs are shared with other fonts through the resource manager.
class TwfFile : public FontResource {
public:
    // Neither side of a glyph may exceed this, as for images.
    static constexpr std::uint32_t maxGlyphSide = 16384;

    // ErrorGeneric for a null or an empty name.
    explicit TwfFile(const char* fileName);
    // Gives the glyphs back.
    ~TwfFile() override;

    // Reads the file: ErrorFile when it cannot be opened, or (corrupt) when a read fails
    // or a glyph is empty, too large or cut short. Glyphs read before the damage stay.
    void load() override;
    // Gives every glyph back to the resource manager.
    void unload() override;

    // Whether `name` names this file, ignoring case.
    bool matchesName(const char* name) const;

    const std::string fileName;

private:
    // Reads one record and adds its glyph; false once the file has ended.
    bool readCharacter(AssetFile& file);
};

} // namespace tidewell
