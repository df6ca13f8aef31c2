#include "resources/TwiFile.h"

#include <algorithm>
#include <array>

#include "resources/AssetFile.h"
#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\TwiFile";
constexpr int kLineNullName = 23;
constexpr int kLineEmptyName = 28;
constexpr std::size_t kHeaderBytes = 24;
// Pixels are read and expanded a block at a time, so no second, 16-bit copy of the
// whole image is ever held.
constexpr std::size_t kPixelsPerBlock = 8192;

static_assert(std::uint64_t{TwiFile::maxSide} * TwiFile::maxSide * 4 <= UINT32_MAX,
              "the largest accepted image must have a 32-bit pixel byte count");

std::string checkedName(const char* fileName) {
    if (!fileName) throw ErrorGeneric(kModulePath, kLineNullName, 0);
    if (!*fileName) throw ErrorGeneric(kModulePath, kLineEmptyName, 0);
    return fileName;
}

} // namespace

TwiFile::TwiFile(const char* fileName) : fileName(checkedName(fileName)) {}

std::uint32_t TwiFile::expandPixel(std::uint16_t pixel) {
    const std::uint32_t alpha = pixel >> 12 & 0xF, red = pixel >> 8 & 0xF, green = pixel >> 4 & 0xF, blue = pixel & 0xF;
    return alpha << 28 | red << 20 | green << 12 | blue << 4;
}

void TwiFile::load() {
    if (loaded) return;
    AssetFile file(fileName);
    if (!file.isOpen()) throw ErrorFile(fileName, false);

    // A header cut short by the end of the file reads as zeros; only a failing read is an error.
    std::array<std::uint8_t, kHeaderBytes> header{};
    file.read(header.data(), header.size());
    if (file.hasReadError()) throw ErrorFile(fileName, true);
    const std::uint32_t fileWidth = AssetFile::littleEndian32(&header[0]);
    const std::uint32_t fileHeight = AssetFile::littleEndian32(&header[4]);
    // A damaged or hostile header must not make us ask for gigabytes.
    if (fileWidth > maxSide || fileHeight > maxSide) throw ErrorFile(fileName, true);

    readPixels(file, std::size_t{fileWidth} * fileHeight);
    width = fileWidth;
    height = fileHeight;
    loaded = true;
}

void TwiFile::readPixels(AssetFile& file, std::size_t count) {
    allocatePixels(count);
    std::array<std::uint8_t, kPixelsPerBlock * 2> block;
    for (std::size_t done = 0; done < count;) {
        const std::size_t wanted = std::min(count - done, kPixelsPerBlock);
        const std::size_t arrived = file.read(block.data(), wanted * 2) / 2;
        for (std::size_t i = 0; i < arrived; ++i) {
            pixels[done + i] = expandPixel(static_cast<std::uint16_t>(block[2 * i] | block[2 * i + 1] << 8));
        }
        done += arrived;
        if (arrived < wanted) break;
    }
    if (file.hasReadError()) {
        freePixels();
        throw ErrorFile(fileName, true);
    }
    // A file that ends before its last pixel is not an error: the pixels it lacks stay
    // transparent black, as allocatePixels() left them.
}

void TwiFile::unload() {
    freePixels();
    width = 0;
    height = 0;
    loaded = false;
}

bool TwiFile::matchesName(const char* name) const {
    return name && AssetFile::sameNameIgnoringCase(fileName.c_str(), name);
}

} // namespace tidewell
