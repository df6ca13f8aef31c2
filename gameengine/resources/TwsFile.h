#pragma once

#include <string>

#include "resources/SoundResource.h"

namespace tidewell {

class AssetFile;

// A sound read from a .tws file: four unsigned 32-bit little-endian fields
// (channels, rate, bits, dataBytes) and then dataBytes bytes of PCM samples.
// Nothing is read until load(); the resource manager calls it at every request.
class TwsFile : public SoundResource {
public:
    // ErrorGeneric for a null or an empty name.
    explicit TwsFile(const char* fileName);

    // Reads the file: ErrorFile when it cannot be opened, or (corrupt) when a read
    // fails or the file is shorter than its header says; ErrorNoMemory when the
    // samples cannot be had.
    void load() override;
    void unload() override;
    void reload() override;

    // Whether `name` names this file, ignoring case.
    bool matchesName(const char* name) const;

    bool loaded = false;
    const std::string fileName;

private:
    void readHeader(AssetFile& file);
    void readSamples(AssetFile& file);
};

} // namespace tidewell
