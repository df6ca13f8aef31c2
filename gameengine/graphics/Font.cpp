#include "graphics/Font.h"

#include <algorithm>

#include "resources/CharacterResource.h"
#include "core/ErrorGeneric.h"
#include "resources/FontResource.h"
#include "graphics/GraphicManager.h"
#include "resources/ResourceManager.h"
#include "graphics/Texture.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\Font";
constexpr int kLineNoEmptyFont = 23;
constexpr int kLineNoResource = 82;
constexpr int kLineDrawNoAtlas = 291;
constexpr int kLineTableNoResource = 341;
constexpr int kLinePackNoTable = 384;
constexpr int kLineAtlasNoTable = 448;
constexpr int kLineAtlasZeroSize = 458;
constexpr int kLineAtlasNoTexture = 485;

constexpr std::uint32_t kLineFeed = 10;

std::uint32_t powerOfTwoNotBelow(std::uint32_t value) {
    std::uint32_t power = 1;
    while (power < value) power *= 2;
    return power;
}

}  // namespace

Font::Font(FontResource* fontResource) {
    if (!fontResource) throw ErrorGeneric(kModulePath, kLineNoResource, 0);
    resource = ResourceManager::retainFontResource(fontResource);
    defaultAdvance = resource->defaultAdvance;
    lineHeight = resource->lineHeight;
}

Font::Font() {
    resource = ResourceManager::createEmptyFont();
    if (!resource) throw ErrorGeneric(kModulePath, kLineNoEmptyFont, 0);
    defaultAdvance = resource->defaultAdvance;
    lineHeight = resource->lineHeight;
}

Font::~Font() {
    unload();
    ResourceManager::releaseFontResource(resource);
}

bool Font::usesResource(const FontResource* candidate) const { return candidate == resource; }

void Font::load() {
    if (loaded_) return;
    buildGlyphTable();
    packGlyphs();
    buildAtlas();
    loaded_ = true;
}

void Font::unload() {
    glyphs_.clear();
    glyphCount_ = 0;
    Texture* texture = atlas_;
    atlas_ = nullptr;
    GraphicManager::releaseTexture(texture);
    loaded_ = false;
}

void Font::reload() {
    unload();
    load();
}

void Font::buildGlyphTable() {
    if (!resource) throw ErrorGeneric(kModulePath, kLineTableNoResource, 0);
    glyphs_.clear();
    glyphs_.reserve(resource->characters.size());
    for (const CharacterResource* character : resource->characters) {
        glyphs_.push_back({character->code, 0, 0, character->width, character->height, character->top, character->left,
                           character->right});
    }
    glyphCount_ = static_cast<std::uint32_t>(glyphs_.size());
}

// Rows of the tallest glyph's height, each glyph going to the least filled row; a row
// is opened when that one is full, and the width limit doubles whenever the rows no
// longer fit in a square of that size.
void Font::packGlyphs() {
    if (glyphCount_ == 0) return;
    if (glyphs_.size() != glyphCount_) throw ErrorGeneric(kModulePath, kLinePackNoTable, 0);
    std::uint32_t rowHeight = 0;
    for (const Glyph& glyph : glyphs_) rowHeight = std::max(rowHeight, glyph.height);
    std::uint32_t limit = powerOfTwoNotBelow(rowHeight);
    std::uint32_t usedHeight = rowHeight;
    std::vector<std::uint32_t> fills{glyphs_[0].width};
    glyphs_[0].atlasX = 0;
    glyphs_[0].atlasY = 0;
    for (std::size_t i = 1; i < glyphs_.size(); ++i) {
        Glyph& glyph = glyphs_[i];
        std::size_t row = static_cast<std::size_t>(std::min_element(fills.begin(), fills.end()) - fills.begin());
        if (limit < fills[row] + glyph.width) {
            usedHeight += rowHeight;
            if (limit < usedHeight) limit *= 2;
            fills.push_back(0);
            row = fills.size() - 1;
        }
        glyph.atlasX = fills[row];
        glyph.atlasY = rowHeight * static_cast<std::uint32_t>(row);
        fills[row] += glyph.width;
    }
}

void Font::buildAtlas() {
    if (glyphCount_ == 0) return;
    if (glyphs_.size() != glyphCount_) throw ErrorGeneric(kModulePath, kLineAtlasNoTable, 0);
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    for (const Glyph& glyph : glyphs_) {
        width = std::max(width, glyph.atlasX + glyph.width);
        height = std::max(height, glyph.atlasY + glyph.height);
    }
    if (width == 0 || height == 0) throw ErrorGeneric(kModulePath, kLineAtlasZeroSize, 0);
    std::vector<std::uint32_t> colours(std::size_t{width} * height, 0);
    for (const Glyph& glyph : glyphs_) {
        const CharacterResource* character = resource->findCharacter(glyph.code);
        if (!character || !character->pixels) continue;
        for (std::uint32_t y = 0; y < glyph.height; ++y) {
            const std::uint32_t* from = character->pixels + std::size_t{y} * glyph.width;
            std::copy(from, from + glyph.width, colours.begin() + std::size_t{glyph.atlasY + y} * width + glyph.atlasX);
        }
    }
    atlas_ = GraphicManager::createTexture(width, height, colours.data(), true);
    if (!atlas_) throw ErrorGeneric(kModulePath, kLineAtlasNoTexture, 0);
}

const Font::Glyph* Font::findGlyph(std::uint32_t code) const {
    auto found = std::lower_bound(glyphs_.begin(), glyphs_.end(), code,
                                  [](const Glyph& glyph, std::uint32_t wanted) { return glyph.code < wanted; });
    return found != glyphs_.end() && found->code == code ? &*found : nullptr;
}

std::int32_t Font::advance(std::uint32_t code) const {
    const Glyph* glyph = findGlyph(code);
    return glyph ? glyph->left + static_cast<std::int32_t>(glyph->width) + glyph->right : defaultAdvance;
}

void Font::draw(const std::uint32_t* codes, std::uint32_t count, int x, int y, std::uint32_t multiply,
                std::uint32_t add) {
    if (!codes || count == 0) return;
    if (!loaded_) load();
    if (glyphCount_ == 0) return;
    if (!atlas_) throw ErrorGeneric(kModulePath, kLineDrawNoAtlas, 0);
    int penX = x;
    int penY = y;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t code = codes[i];
        if (code == kLineFeed) {
            penX = x;
            penY += lineHeight;
            continue;
        }
        const Glyph* glyph = findGlyph(code);
        if (!glyph) {
            penX += defaultAdvance;
            continue;
        }
        const int left = penX + glyph->left;
        const int top = penY + glyph->top;
        atlas_->draw(static_cast<int>(glyph->atlasX), static_cast<int>(glyph->atlasY),
                     static_cast<int>(glyph->atlasX + glyph->width), static_cast<int>(glyph->atlasY + glyph->height),
                     left, top, left + static_cast<int>(glyph->width), top + static_cast<int>(glyph->height), multiply,
                     add);
        penX += glyph->left + static_cast<int>(glyph->width) + glyph->right;
    }
}

Font::Size Font::measure(const std::uint32_t* codes, std::uint32_t count) const {
    Size size;
    if (!codes || count == 0) return size;
    std::int32_t lines = 1;
    std::int32_t lineWidth = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (codes[i] == kLineFeed) {
            size.width = std::max(size.width, lineWidth);
            lineWidth = 0;
            ++lines;
            continue;
        }
        lineWidth += advance(codes[i]);
    }
    size.width = std::max(size.width, lineWidth);
    size.height = lineHeight * lines;
    return size;
}

}  // namespace tidewell
