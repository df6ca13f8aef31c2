#include "Manifest.h"

#include "BakeError.h"
#include "ParameterFile.h"

#include <cctype>
#include <filesystem>
#include <set>

namespace assetbake {
namespace {

constexpr int kLargestSide = 16384;

struct KindName {
    AssetKind kind;
    const char* name;
    const char* extension;
};

constexpr KindName kKinds[] = {
    {AssetKind::Image, "image", ".twi"}, {AssetKind::Icon, "icon", ".twi"},    {AssetKind::Font, "font", ".twf"},
    {AssetKind::Sound, "sound", ".tws"}, {AssetKind::Music, "music", ".tws"},
};

const KindName& kindEntry(AssetKind kind) {
    for (const KindName& entry : kKinds) {
        if (entry.kind == kind) return entry;
    }
    return kKinds[0];
}

bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

// "4x2" → 4 and 2; false when the text is not two positive whole numbers.
bool parsePair(const std::string& text, int& first, int& second) {
    const std::size_t cross = text.find('x');
    if (cross == std::string::npos) return false;
    try {
        std::size_t used = 0;
        first = std::stoi(text.substr(0, cross), &used);
        if (used != cross) return false;
        const std::string rest = text.substr(cross + 1);
        second = std::stoi(rest, &used);
        if (used != rest.size()) return false;
    } catch (const std::exception&) {
        return false;
    }
    return first > 0 && second > 0 && first <= kLargestSide && second <= kLargestSide;
}

void parsePicture(ManifestRow& row, const std::string& grid, const std::string& frame, const std::string& where) {
    if (!parsePair(grid, row.columns, row.rows)) {
        failAt(where, row.line, "grid must be COLUMNSxROWS, like 2x2, not '" + grid + "'");
    }
    if (!parsePair(frame, row.frameWidth, row.frameHeight)) {
        failAt(where, row.line, "frame must be WIDTHxHEIGHT in pixels, like 64x64, not '" + frame + "'");
    }
    if (row.sheetWidth() > kLargestSide || row.sheetHeight() > kLargestSide) {
        failAt(where, row.line, "the sheet of " + row.name + " is larger than the game can load");
    }
}

void parseFontSize(ManifestRow& row, const std::string& frame, const std::string& where) {
    int size = 0;
    try {
        std::size_t used = 0;
        size = std::stoi(frame, &used);
        if (frame.substr(used) != "px") size = 0;
    } catch (const std::exception&) {
        size = 0;
    }
    if (size < 4 || size > 256) failAt(where, row.line, "a font's size must be like 12px, not '" + frame + "'");
    row.pixelSize = size;
}

} // namespace

const char* kindName(AssetKind kind) { return kindEntry(kind).name; }

std::string ManifestRow::bakedFileName() const {
    if (kind != AssetKind::Sound && kind != AssetKind::Music) return name;
    return name.substr(0, name.size() - 4) + ".ogg";
}

ManifestRow parseManifestRow(const std::vector<std::string>& words, const std::string& where, int line) {
    if (words.size() != 5) {
        failAt(where, line, "a row has five words: name kind source grid frame");
    }
    ManifestRow row;
    row.line = line;
    row.name = words[0];
    row.source = words[2];
    bool known = false;
    for (const KindName& entry : kKinds) {
        if (words[1] == entry.name) {
            row.kind = entry.kind;
            known = true;
        }
    }
    if (!known) failAt(where, line, "unknown kind '" + words[1] + "' (image, icon, font, sound or music)");
    const char* extension = kindEntry(row.kind).extension;
    if (!endsWith(row.name, extension) || row.name.size() <= 4 || row.name.find('/') != std::string::npos) {
        failAt(where, line, "a " + words[1] + " is a file name ending in " + extension + ", not '" + row.name + "'");
    }
    switch (row.kind) {
    case AssetKind::Image:
    case AssetKind::Icon:
        parsePicture(row, words[3], words[4], where);
        break;
    case AssetKind::Font:
        parseFontSize(row, words[4], where);
        break;
    case AssetKind::Sound:
    case AssetKind::Music:
        if (words[3] != "-" || words[4] != "-") failAt(where, line, "a sound has no grid or frame: write - -");
        break;
    }
    return row;
}

std::vector<ManifestRow> readManifest(const std::string& path) {
    std::vector<ManifestRow> rows;
    std::set<std::string> names;
    for (const ParameterLine& line : readParameterFile(path)) {
        ManifestRow row = parseManifestRow(line.words, path, line.number);
        // The game opens names without regard to case, so two rows may not differ only in case.
        std::string folded = row.name;
        for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!names.insert(folded).second) failAt(path, line.number, row.name + " is listed twice");
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string sourcePath(const ManifestRow& row, const std::string& assetsDirectory) {
    const std::filesystem::path source(row.source);
    if (source.is_absolute()) return source.string();
    return (std::filesystem::path(assetsDirectory) / source).string();
}

} // namespace assetbake
