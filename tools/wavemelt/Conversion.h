#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace wavemelt {

struct ConversionLimits {
    // Largest sample data accepted. The .tws header stores the size in 32 bits;
    // the fuzzer lowers it so that a forged stream length cannot make every run
    // write megabytes of silence.
    std::uint64_t maxDataBytes = UINT32_MAX;
};

// Decodes the Ogg Vorbis file at sourcePath into a .tws file beside it (see
// twsPathFor) and returns the path written. Samples that the stream announces
// but does not deliver are written as silence. Throws ConversionError; then no
// .tws has been written or changed.
std::string convertToTws(const std::string& sourcePath, const ConversionLimits& limits = {});

// What the installation does with each file: convert it, then delete the
// source. When anything fails the source stays and one line naming the file
// and the reason goes to errors. Returns whether the whole job was done.
bool installSound(const std::string& sourcePath, std::FILE* errors, const ConversionLimits& limits = {});

}  // namespace wavemelt
