#include "VorbisSource.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "ConversionError.h"

namespace wavemelt {

namespace {

constexpr int kLittleEndian = 0;
constexpr int kSixteenBitWords = 2;
constexpr int kSigned = 1;
constexpr int kWholeStream = -1;

// vorbisfile asks for 2 KiB at a time; a larger stdio buffer turns that into
// few system calls.
constexpr std::size_t kReadBufferBytes = 64 << 10;

std::string describeOpenFailure(int code) {
    switch (code) {
        case OV_EREAD:
            return "read error";
        case OV_ENOTVORBIS:
            return "not an Ogg Vorbis stream";
        case OV_EVERSION:
            return "unsupported Vorbis version";
        case OV_EBADHEADER:
            return "damaged Vorbis headers";
        default:
            return "cannot open the Vorbis stream (error " + std::to_string(code) + ")";
    }
}

// Gaps and damaged sections lose their samples and decoding goes on after them.
bool isRecoverable(long result) { return result == OV_HOLE || result == OV_EBADLINK; }

}  // namespace

VorbisSource::VorbisSource(const std::string& path) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        throwSystemError("cannot open");
    }
    std::setvbuf(stream, nullptr, _IOFBF, kReadBufferBytes);
    // vorbisfile owns the stream once ov_open succeeds, and not before.
    if (const int result = ov_open(stream, &file_, nullptr, 0); result != 0) {
        std::fclose(stream);
        throw ConversionError(describeOpenFailure(result));
    }
    const vorbis_info* info = ov_info(&file_, kWholeStream);
    const ogg_int64_t frames = ov_pcm_total(&file_, kWholeStream);
    if (info == nullptr || frames < 0) {
        ov_clear(&file_);
        throw ConversionError("cannot determine the length of the stream");
    }
    channels_ = info->channels;
    rate_ = info->rate;
    frames_ = frames;
}

VorbisSource::~VorbisSource() { ov_clear(&file_); }

std::size_t VorbisSource::decodeInto(char* buffer, std::size_t capacity) {
    std::size_t filled = 0;
    int currentLink = 0;
    // Stop once the buffer is full: asked for zero bytes, ov_read reports an
    // error instead of the end, and a stream longer than announced would never end.
    while (filled < capacity) {
        const int request = static_cast<int>(std::min<std::size_t>(capacity - filled, INT_MAX));
        const long result =
            ov_read(&file_, buffer + filled, request, kLittleEndian, kSixteenBitWords, kSigned, &currentLink);
        if (result == 0) {
            break;
        }
        if (result > 0) {
            filled += static_cast<std::size_t>(result);
        } else if (!isRecoverable(result)) {
            throw ConversionError("decoding failed (vorbisfile error " + std::to_string(result) + ")");
        }
    }
    return filled;
}

}  // namespace wavemelt
