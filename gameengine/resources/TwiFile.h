#pragma once

#include <cstdint>
#include <string>

#include "resources/ImageResource.h"

namespace tidewell {

class AssetFile;

// An image read from a .twi file:
//   offset 0   width, unsigned 32-bit little-endian
//   offset 4   height, unsigned 32-bit little-endian
//   offset 8   16 bytes the reader skips
//   offset 24  width × height 16-bit little-endian pixels, 4 bits per channel (ARGB)
// Nothing is read until load(); the resource manager calls it at every request.
class TwiFile : public ImageResource {
public:
    // Neither side may exceed this, which also keeps the pixel bytes within 32 bits.
    static constexpr std::uint32_t maxSide = 16384;

    // ErrorGeneric for a null or an empty name.
    explicit TwiFile(const char* fileName);

    // Reads the file: ErrorFile when it cannot be opened, or (corrupt) when a read
    // fails or the size is out of bounds; ErrorNoMemory when the pixels cannot be had.
    void load() override;
    void unload() override;

    // Whether `name` names this file, ignoring case.
    bool matchesName(const char* name) const;

    // A 4-bit-per-channel pixel of the file as an ARGB colour: each 4-bit value n
    // becomes n × 16, so a fully opaque pixel has alpha 240.
    static std::uint32_t expandPixel(std::uint16_t pixel);

    const std::string fileName;

private:
    void readPixels(AssetFile& file, std::size_t count);
};

} // namespace tidewell
