#include "resources/TwfFile.h"

#include <array>
#include <vector>

#include "resources/AssetFile.h"
#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"
#include "core/NewOrNoMemory.h"
#include "resources/ResourceManager.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\TwfFile";
constexpr int kLineNullName = 24;
constexpr int kLineEmptyName = 29;
constexpr std::size_t kHeaderBytes = 8;
constexpr std::size_t kRecordBytes = 24;

std::string checkedName(const char* fileName) {
    if (!fileName) throw ErrorGeneric(kModulePath, kLineNullName, 0);
    if (!*fileName) throw ErrorGeneric(kModulePath, kLineEmptyName, 0);
    return fileName;
}

std::int32_t signed32(const std::uint8_t* bytes) { return static_cast<std::int32_t>(AssetFile::littleEndian32(bytes)); }

// Coverage becomes the alpha of white, so that a drawing colour can tint the glyph.
std::vector<std::uint32_t> colouredCoverage(const std::vector<std::uint8_t>& coverage) {
    std::vector<std::uint32_t> colours(coverage.size());
    for (std::size_t i = 0; i < coverage.size(); ++i) colours[i] = std::uint32_t{coverage[i]} << 24 | 0xFFFFFF;
    return colours;
}

}  // namespace

TwfFile::TwfFile(const char* fileName) : fileName(checkedName(fileName)) {}

TwfFile::~TwfFile() { unload(); }

void TwfFile::load() {
    if (loaded) return;
    AssetFile file(fileName);
    if (!file.isOpen()) throw ErrorFile(fileName, false);

    // Header bytes the file does not have read as zeros; the records then find its end.
    std::array<std::uint8_t, kHeaderBytes> header{};
    file.read(header.data(), header.size());
    if (file.hasReadError()) throw ErrorFile(fileName, true);
    lineHeight = signed32(&header[0]);
    defaultAdvance = signed32(&header[4]);

    orNoMemory([&] {
        while (readCharacter(file)) {
        }
    });
    loaded = true;
}

bool TwfFile::readCharacter(AssetFile& file) {
    std::array<std::uint8_t, kRecordBytes> record;
    if (file.read(record.data(), record.size()) < record.size()) {
        // A record cut short by the end of the file is ignored; a failing read is damage.
        if (file.hasReadError()) throw ErrorFile(fileName, true);
        return false;
    }
    const std::uint32_t code = AssetFile::littleEndian32(&record[0]);
    const std::uint32_t glyphWidth = AssetFile::littleEndian32(&record[4]);
    const std::uint32_t glyphHeight = AssetFile::littleEndian32(&record[8]);
    if (glyphWidth == 0 || glyphHeight == 0) throw ErrorFile(fileName, true);
    // A bitmap larger than what is left of the file is cut short: refusing it before
    // allocating keeps a damaged size field from asking for gigabytes.
    const std::size_t bitmapBytes = std::size_t{glyphWidth} * glyphHeight;
    if (glyphWidth > maxGlyphSide || glyphHeight > maxGlyphSide || bitmapBytes > file.bytesLeft()) {
        throw ErrorFile(fileName, true);
    }
    std::vector<std::uint8_t> coverage(bitmapBytes);
    if (file.read(coverage.data(), coverage.size()) < coverage.size()) throw ErrorFile(fileName, true);

    addCharacter(ResourceManager::getCharacter(code, signed32(&record[12]), signed32(&record[16]),
                                               signed32(&record[20]), glyphWidth, glyphHeight,
                                               colouredCoverage(coverage).data()));
    return true;
}

void TwfFile::unload() { releaseCharacters(); }

bool TwfFile::matchesName(const char* name) const {
    return name && AssetFile::sameNameIgnoringCase(fileName.c_str(), name);
}

}  // namespace tidewell
