#pragma once

#include <cstdint>
#include <vector>

namespace tidewell {

class FontResource;
class Texture;

// Draws text with the glyphs of a font resource. Loading packs every glyph into one
// atlas texture, so a line of text is a run of small draws from one picture. Glyphs
// are white with their coverage as alpha: the multiply colour gives the text its
// colour and opacity, the add colour brightens it. Fonts are shared and counted by the
// graphics manager (getFont, releaseFont).
class Font {
public:
    // One glyph and where it sits in the atlas; the pen moves by left + width + right.
    struct Glyph {
        std::uint32_t code;
        std::uint32_t atlasX;
        std::uint32_t atlasY;
        std::uint32_t width;
        std::uint32_t height;
        std::int32_t top;
        std::int32_t left;
        std::int32_t right;
    };

    struct Size {
        std::int32_t width = 0;
        std::int32_t height = 0;
    };

    // Takes one reference to the resource; ErrorGeneric for a null one.
    explicit Font(FontResource* resource);
    // On a new font resource without a file.
    Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Whether this font was made on that resource.
    virtual bool usesResource(const FontResource* resource) const;
    // Builds the glyph table and the atlas, unless loaded.
    virtual void load();
    // Gives the atlas back and forgets the glyphs.
    virtual void unload();
    virtual void reload();
    // unload(), then the resource reference goes back.
    virtual ~Font();

    // Draws `count` character codes with the pen starting at (x, y), the top of the
    // first line; a line feed (10) starts the next line at x, lineHeight lower, and a
    // code the font lacks leaves a gap of defaultAdvance.
    void draw(const std::uint32_t* codes, std::uint32_t count, int x, int y, std::uint32_t multiply, std::uint32_t add);
    // The size of the block `draw` would cover: the widest line, and lineHeight a line.
    Size measure(const std::uint32_t* codes, std::uint32_t count) const;

    // The glyph of a code, or null.
    const Glyph* findGlyph(std::uint32_t code) const;
    Texture* getAtlas() const { return atlas_; }
    std::uint32_t getGlyphCount() const { return glyphCount_; }
    bool isLoaded() const { return loaded_; }

    FontResource* resource = nullptr;
    std::int32_t defaultAdvance = 0;
    std::int32_t lineHeight = 0;

private:
    void buildGlyphTable();
    void packGlyphs();
    void buildAtlas();
    // How far the pen moves for one code (a line feed is not passed here).
    std::int32_t advance(std::uint32_t code) const;

    Texture* atlas_ = nullptr;
    std::vector<Glyph> glyphs_;
    std::uint32_t glyphCount_ = 0;
    bool loaded_ = false;
};

}  // namespace tidewell
