#include "FontBaker.h"

#include "BakeError.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>

namespace assetbake {
namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

void put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void putSigned32(std::vector<std::uint8_t>& bytes, std::int32_t value) { put32(bytes, static_cast<std::uint32_t>(value)); }

// 26.6 fixed point to whole pixels, rounded.
std::int32_t pixels(FT_Pos value) { return static_cast<std::int32_t>((value + 32) >> 6); }

void loadCharacter(FT_Face face, std::uint32_t code, const std::string& path) {
    if (FT_Get_Char_Index(face, code) == 0) {
        throw BakeError(path + ": has no glyph for character " + std::to_string(code));
    }
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0 ||
        face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
        throw BakeError(path + ": cannot render character " + std::to_string(code) + " with grey coverage");
    }
}

void appendRecord(std::vector<std::uint8_t>& bytes, FT_Face face, std::uint32_t code, std::int32_t ascender) {
    const FT_GlyphSlot glyph = face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0) return;
    const auto width = static_cast<std::int32_t>(bitmap.width);
    const std::int32_t advance = pixels(glyph->advance.x);
    put32(bytes, code);
    put32(bytes, bitmap.width);
    put32(bytes, bitmap.rows);
    putSigned32(bytes, ascender - glyph->bitmap_top);
    putSigned32(bytes, glyph->bitmap_left);
    putSigned32(bytes, advance - glyph->bitmap_left - width);
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        bytes.insert(bytes.end(), line, line + bitmap.width);
    }
}

} // namespace

std::vector<std::uint8_t> bakeFont(const std::string& path, int pixelSize) {
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) throw BakeError("FreeType cannot start");
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), path.c_str(), 0, &rawFace) != 0) {
        throw BakeError(path + ": not a font file FreeType can read");
    }
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face(rawFace);
    if (FT_Set_Pixel_Sizes(face.get(), 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        throw BakeError(path + ": cannot be set to " + std::to_string(pixelSize) + " pixels");
    }
    const FT_Size_Metrics& metrics = face->size->metrics;
    const std::int32_t ascender = pixels(metrics.ascender);

    loadCharacter(face.get(), ' ', path);
    std::vector<std::uint8_t> bytes;
    putSigned32(bytes, pixels(metrics.height));
    putSigned32(bytes, pixels(face->glyph->advance.x));
    for (std::uint32_t code = 33; code <= 255; ++code) {
        if (!isFontCode(code)) continue;
        loadCharacter(face.get(), code, path);
        appendRecord(bytes, face.get(), code, ascender);
    }
    return bytes;
}

} // namespace assetbake
