#pragma once

#include <string>
#include <vector>

namespace assetbake {

enum class AssetKind {
    Image, // an SVG sheet rendered into a .twi
    Icon,  // frame 0 of an SVG sheet fitted into a 32 × 32 .twi
    Font,  // a FreeType face rendered into a .twf
    Sound, // a sound effect file rendered into Ogg Vorbis
    Music, // a score rendered into Ogg Vorbis
};

// One row of the manifest: one file that the game loads.
//   name     the file's name in the data folder, as the game asks for it
//   kind     image, icon, font, sound or music
//   source   relative to the assets folder, or absolute (system fonts)
//   grid     columns x rows of equal frames ("-" where it means nothing)
//   frame    frame width x height; for a font its size in pixels, "12px"
struct ManifestRow {
    std::string name;
    AssetKind kind = AssetKind::Image;
    std::string source;
    int columns = 1;
    int rows = 1;
    int frameWidth = 0;
    int frameHeight = 0;
    int pixelSize = 0;
    int line = 0;

    int sheetWidth() const { return columns * frameWidth; }
    int sheetHeight() const { return rows * frameHeight; }
    // What the bake writes: the name itself, or for sounds the Ogg Vorbis file
    // that the installation turns into the name.
    std::string bakedFileName() const;
};

const char* kindName(AssetKind kind);

// One row from its five words; `where` and `line` name it in messages.
ManifestRow parseManifestRow(const std::vector<std::string>& words, const std::string& where, int line);

// Every row of a manifest file; BakeError for a bad row or a name listed twice.
std::vector<ManifestRow> readManifest(const std::string& path);

// The source's path: absolute as given, otherwise inside the assets folder.
std::string sourcePath(const ManifestRow& row, const std::string& assetsDirectory);

} // namespace assetbake
