#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#define OV_EXCLUDE_STATIC_CALLBACKS  // ov_open is all we use; spares unused statics
#include <vorbis/vorbisfile.h>

namespace wavemelt {

// One Ogg Vorbis file opened with vorbisfile on a stdio stream. The stream
// format and length are those of the whole file (all links).
class VorbisSource {
public:
    // Throws ConversionError when the file cannot be opened or is not Ogg Vorbis.
    explicit VorbisSource(const std::string& path);
    ~VorbisSource();
    VorbisSource(const VorbisSource&) = delete;
    VorbisSource& operator=(const VorbisSource&) = delete;

    int channels() const { return channels_; }
    long rate() const { return rate_; }
    std::int64_t framesPerChannel() const { return frames_; }

    // Decodes signed little-endian 16-bit samples into buffer until it is full
    // or the stream ends; returns the number of bytes filled. Gaps and damaged
    // sections are skipped, so a damaged stream fills less than it announced.
    std::size_t decodeInto(char* buffer, std::size_t capacity);

private:
    OggVorbis_File file_{};
    int channels_ = 0;
    long rate_ = 0;
    std::int64_t frames_ = 0;
};

}  // namespace wavemelt
