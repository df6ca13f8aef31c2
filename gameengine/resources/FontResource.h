#pragma once

#include <cstdint>
#include <vector>

namespace tidewell {

class CharacterResource;

// A bitmap font: line metrics and its glyphs, sorted by code, one per code. The
// font holds one resource-manager reference to each glyph it lists.
class FontResource {
public:
    FontResource() = default;
    FontResource(const FontResource&) = delete;
    FontResource& operator=(const FontResource&) = delete;

    virtual void load() = 0;
    virtual void unload() = 0;
    // unload() then load().
    virtual void reload();
    // Frees the array; the glyphs are given back by the subclasses' unload().
    virtual ~FontResource();

    // Lists the character under its code, taking over the caller's reference to it.
    // A character already listed under that code is replaced, and the font's reference
    // to it is given back to the resource manager. Null is ignored.
    void addCharacter(CharacterResource* character);
    // The character listed under `code`, or null.
    CharacterResource* findCharacter(std::uint32_t code) const;

    // Distance from one line's top to the next line's top.
    std::int32_t lineHeight = 0;
    // How far the pen moves for a character the font does not have.
    std::int32_t defaultAdvance = 0;
    std::uint32_t characterCount = 0;
    bool loaded = false;
    std::vector<CharacterResource*> characters;

protected:
    // Gives every character back to the resource manager and empties the font.
    void releaseCharacters();
};

} // namespace tidewell
