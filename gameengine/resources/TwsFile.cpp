#include "resources/TwsFile.h"

#include <array>
#include <new>

#include "resources/AssetFile.h"
#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"
#include "core/ErrorNoMemory.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\TwsFile";
constexpr int kLineNullName = 23;
constexpr int kLineEmptyName = 28;
constexpr int kLineNoName = 72;
constexpr std::size_t kHeaderBytes = 16;

std::string checkedName(const char* fileName) {
    if (!fileName) throw ErrorGeneric(kModulePath, kLineNullName, 0);
    if (!*fileName) throw ErrorGeneric(kModulePath, kLineEmptyName, 0);
    return fileName;
}

} // namespace

TwsFile::TwsFile(const char* fileName) : fileName(checkedName(fileName)) {}

void TwsFile::load() {
    if (loaded) return;
    if (fileName.empty()) throw ErrorGeneric(kModulePath, kLineNoName, 0);
    AssetFile file(fileName);
    if (!file.isOpen()) throw ErrorFile(fileName, false);
    readHeader(file);
    readSamples(file);
    loaded = true;
}

void TwsFile::readHeader(AssetFile& file) {
    std::array<std::uint8_t, kHeaderBytes> header{};
    const std::size_t arrived = file.read(header.data(), header.size());
    channels = AssetFile::littleEndian32(&header[0]);
    rate = AssetFile::littleEndian32(&header[4]);
    bits = AssetFile::littleEndian32(&header[8]);
    dataBytes = AssetFile::littleEndian32(&header[12]);
    // Wavemelt always writes the whole header, so a shorter file is damaged.
    if (arrived < header.size()) throw ErrorFile(fileName, true);
}

void TwsFile::readSamples(AssetFile& file) {
    // The size field is checked against the file before anything is allocated, so a
    // damaged header can never ask for more memory than the file itself takes.
    if (dataBytes > file.bytesLeft()) throw ErrorFile(fileName, true);
    std::unique_ptr<std::uint8_t[]> samples(new (std::nothrow) std::uint8_t[dataBytes]);
    if (!samples) throw ErrorNoMemory();
    if (file.read(samples.get(), dataBytes) < dataBytes) throw ErrorFile(fileName, true);
    data = std::move(samples);
}

void TwsFile::unload() {
    channels = 0;
    rate = 0;
    bits = 0;
    dataBytes = 0;
    data.reset();
    loaded = false;
}

void TwsFile::reload() {
    unload();
    load();
}

bool TwsFile::matchesName(const char* name) const {
    return name && AssetFile::sameNameIgnoringCase(fileName.c_str(), name);
}

} // namespace tidewell
