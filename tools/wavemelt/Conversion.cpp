#include "Conversion.h"

#include <algorithm>
#include <new>
#include <vector>

#include "ConversionError.h"
#include "ReplacingFile.h"
#include "TwsHeader.h"
#include "TwsPath.h"
#include "VorbisSource.h"

namespace wavemelt {

namespace {

constexpr std::uint32_t kBitsPerSample = 16;
constexpr std::uint64_t kBytesPerSample = kBitsPerSample / 8;

// Decoded and written a part at a time, so that memory stays small for any
// length and the disk writes while the next part decodes.
constexpr std::size_t kChunkBytes = 256 << 10;

std::string targetPathOrThrow(const std::string& sourcePath) {
    auto target = twsPathFor(sourcePath);
    if (!target) {
        throw ConversionError("path longer than " + std::to_string(kMaxPathLength) + " characters");
    }
    return *target;
}

TwsHeader headerFor(const VorbisSource& source, const ConversionLimits& limits) {
    const auto channels = static_cast<std::uint64_t>(source.channels());
    const auto frames = static_cast<std::uint64_t>(source.framesPerChannel());
    const std::uint64_t limit = std::min<std::uint64_t>(limits.maxDataBytes, UINT32_MAX);
    // Checked by division so that a forged frame count cannot overflow.
    if (channels == 0 || frames > limit / (channels * kBytesPerSample)) {
        throw ConversionError("stream of " + std::to_string(frames) + " frames is too long for a .tws file");
    }
    TwsHeader header;
    header.channels = static_cast<std::uint32_t>(channels);
    header.rate = static_cast<std::uint32_t>(source.rate());
    header.bits = kBitsPerSample;
    header.dataBytes = static_cast<std::uint32_t>(frames * channels * kBytesPerSample);
    return header;
}

void writeSamples(VorbisSource& source, ReplacingFile& target, const TwsHeader& header) {
    // Whole frames only: vorbisfile will not split a frame across two calls.
    const std::size_t frameBytes = header.channels * kBytesPerSample;
    std::vector<char> chunk(std::min<std::size_t>(kChunkBytes / frameBytes * frameBytes, header.dataBytes));
    std::size_t remaining = header.dataBytes;
    bool streamEnded = false;
    while (remaining > 0) {
        const std::size_t length = std::min(chunk.size(), remaining);
        const std::size_t decoded = streamEnded ? 0 : source.decodeInto(chunk.data(), length);
        streamEnded = decoded < length;
        // Whatever the stream announced but did not deliver plays as silence.
        std::fill(chunk.data() + decoded, chunk.data() + length, 0);
        target.write(chunk.data(), length);
        remaining -= length;
    }
}

}  // namespace

std::string convertToTws(const std::string& sourcePath, const ConversionLimits& limits) {
    const std::string targetPath = targetPathOrThrow(sourcePath);
    VorbisSource source(sourcePath);
    const TwsHeader header = headerFor(source, limits);
    ReplacingFile target(targetPath);
    const auto headerBytes = header.encode();
    target.write(headerBytes.data(), headerBytes.size());
    writeSamples(source, target, header);
    target.commit();
    return targetPath;
}

bool installSound(const std::string& sourcePath, std::FILE* errors, const ConversionLimits& limits) {
    try {
        const std::string targetPath = convertToTws(sourcePath, limits);
        // A source already named .tws has just been replaced by its conversion.
        if (targetPath != sourcePath && std::remove(sourcePath.c_str()) != 0) {
            throwSystemError("converted, but cannot delete the source");
        }
        return true;
    } catch (const ConversionError& error) {
        std::fprintf(errors, "wavemelt: %s: %s\n", sourcePath.c_str(), error.what());
    } catch (const std::bad_alloc&) {
        std::fprintf(errors, "wavemelt: %s: not enough memory\n", sourcePath.c_str());
    }
    return false;
}

}  // namespace wavemelt
