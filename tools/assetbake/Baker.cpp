#include "Baker.h"

#include "BakeError.h"
#include "FontBaker.h"
#include "Picture.h"
#include "Score.h"
#include "SoundEffect.h"
#include "TwiEncoder.h"
#include "VorbisWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace assetbake {
namespace {

std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw BakeError(path + ": cannot be opened");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    if (!file) throw BakeError(path + ": cannot be written");
}

} // namespace

std::vector<std::uint8_t> bakeRow(const ManifestRow& row, const std::string& assetsDirectory) {
    const std::string source = sourcePath(row, assetsDirectory);
    if (!std::filesystem::exists(source)) {
        throw BakeError(source + ": missing; it is the source of " + row.name + " (manifest line " +
                        std::to_string(row.line) + ")");
    }
    switch (row.kind) {
    case AssetKind::Image:
        return encodeTwi(renderSvgSheet(source, row.sheetWidth(), row.sheetHeight()));
    case AssetKind::Icon:
        return encodeTwi(renderSvgFrameFitted(source, row.frameWidth, row.frameHeight, kIconSide));
    case AssetKind::Font:
        return bakeFont(source, row.pixelSize);
    case AssetKind::Sound:
        return encodeVorbis(renderSoundEffect(parseSoundEffect(readText(source), source)), 1, kHighestPeakDecibels);
    case AssetKind::Music:
        return encodeVorbis(renderScore(parseScore(readText(source), source)), 2, kHighestPeakDecibels);
    }
    throw BakeError(row.name + ": unknown kind");
}

void bakeRowInto(const ManifestRow& row, const std::string& assetsDirectory, const std::string& outputDirectory) {
    const std::vector<std::uint8_t> bytes = bakeRow(row, assetsDirectory);
    std::filesystem::create_directories(outputDirectory);
    const std::string target = (std::filesystem::path(outputDirectory) / row.bakedFileName()).string();
    const std::string temporary = target + ".part";
    writeBytes(temporary, bytes);
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::remove(temporary.c_str());
        throw BakeError(target + ": cannot be written: " + error.message());
    }
}

} // namespace assetbake
