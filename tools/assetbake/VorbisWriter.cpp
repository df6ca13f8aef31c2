#include "VorbisWriter.h"

#include "BakeError.h"
#include "Mixing.h"
#include "Voice.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace assetbake {
namespace {

constexpr int kSerialNumber = 0x42F1;
constexpr float kQuality = 0.5f;
constexpr long kFramesPerBlock = 1024;
constexpr int kLargestRetries = 6;

class Encoder {
public:
    explicit Encoder(int channels) : channels_(channels) {
        vorbis_info_init(&info_);
        if (vorbis_encode_init_vbr(&info_, channels, kSampleRate, kQuality) != 0) {
            vorbis_info_clear(&info_);
            throw BakeError("libvorbisenc refuses " + std::to_string(channels) + " channels at the game's rate");
        }
        vorbis_comment_init(&comment_);
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, kSerialNumber);
    }

    ~Encoder() {
        ogg_stream_clear(&stream_);
        vorbis_block_clear(&block_);
        vorbis_dsp_clear(&dsp_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }

    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    std::vector<std::uint8_t> encode(const std::vector<float>& samples) {
        writeHeaders();
        const long frames = static_cast<long>(samples.size()) / channels_;
        for (long start = 0; start < frames; start += kFramesPerBlock) {
            const long count = std::min(kFramesPerBlock, frames - start);
            float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
            for (long frame = 0; frame < count; ++frame) {
                for (int channel = 0; channel < channels_; ++channel) {
                    buffer[channel][frame] = samples[static_cast<std::size_t>((start + frame) * channels_ + channel)];
                }
            }
            vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
            drainBlocks();
        }
        vorbis_analysis_wrote(&dsp_, 0);
        drainBlocks();
        return std::move(bytes_);
    }

private:
    void writeHeaders() {
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &identification);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        // The audio starts on a page of its own, as decoders expect.
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) appendPage(page);
    }

    void drainBlocks() {
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) != 0) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream_, &page) != 0) appendPage(page);
            }
        }
    }

    void appendPage(const ogg_page& page) {
        bytes_.insert(bytes_.end(), page.header, page.header + page.header_len);
        bytes_.insert(bytes_.end(), page.body, page.body + page.body_len);
    }

    int channels_;
    vorbis_info info_{};
    vorbis_comment comment_{};
    vorbis_dsp_state dsp_{};
    vorbis_block block_{};
    ogg_stream_state stream_{};
    std::vector<std::uint8_t> bytes_;
};

// vorbisfile reading from memory.
struct MemoryStream {
    const std::vector<std::uint8_t>* bytes;
    std::size_t position = 0;
};

std::size_t readMemory(void* destination, std::size_t size, std::size_t count, void* source) {
    auto* stream = static_cast<MemoryStream*>(source);
    const std::size_t wanted = size * count;
    const std::size_t available = stream->bytes->size() - stream->position;
    const std::size_t taken = std::min(wanted, available);
    std::memcpy(destination, stream->bytes->data() + stream->position, taken);
    stream->position += taken;
    return size == 0 ? 0 : taken / size;
}

int seekMemory(void* source, ogg_int64_t offset, int whence) {
    auto* stream = static_cast<MemoryStream*>(source);
    const auto size = static_cast<ogg_int64_t>(stream->bytes->size());
    ogg_int64_t target = offset;
    if (whence == SEEK_CUR) target += static_cast<ogg_int64_t>(stream->position);
    if (whence == SEEK_END) target += size;
    if (target < 0 || target > size) return -1;
    stream->position = static_cast<std::size_t>(target);
    return 0;
}

long tellMemory(void* source) { return static_cast<long>(static_cast<MemoryStream*>(source)->position); }

int largestMagnitude(const std::vector<std::int16_t>& samples) {
    int peak = 0;
    for (std::int16_t sample : samples) peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

} // namespace

std::vector<std::int16_t> decodeVorbis(const std::vector<std::uint8_t>& bytes, int& channels, long& rate) {
    MemoryStream stream{&bytes};
    const ov_callbacks callbacks{readMemory, seekMemory, nullptr, tellMemory};
    OggVorbis_File file;
    if (ov_open_callbacks(&stream, &file, nullptr, 0, callbacks) != 0) throw BakeError("not an Ogg Vorbis stream");
    const vorbis_info* info = ov_info(&file, -1);
    channels = info->channels;
    rate = info->rate;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(ov_pcm_total(&file, -1)) * channels);
    std::size_t filled = 0;
    int section = 0;
    while (filled < samples.size()) {
        const long got = ov_read(&file, reinterpret_cast<char*>(samples.data() + filled),
                                 static_cast<int>(std::min<std::size_t>((samples.size() - filled) * 2, 65536)), 0, 2,
                                 1, &section);
        if (got == 0) break;
        if (got > 0) filled += static_cast<std::size_t>(got) / 2;
    }
    ov_clear(&file);
    return samples;
}

std::vector<std::uint8_t> encodeVorbis(std::vector<float> samples, int channels, double peakLimitDecibels) {
    const double limit = 32767 * decibels(peakLimitDecibels);
    for (int attempt = 0;; ++attempt) {
        std::vector<std::uint8_t> stream = Encoder(channels).encode(samples);
        int decodedChannels = 0;
        long rate = 0;
        const int peak = largestMagnitude(decodeVorbis(stream, decodedChannels, rate));
        if (peak <= limit) return stream;
        if (attempt == kLargestRetries) throw BakeError("the coded sound stays louder than its peak limit");
        // Aim a little under the limit so that the next try lands below it.
        const double factor = limit / peak * 0.995;
        for (float& sample : samples) sample = static_cast<float>(sample * factor);
    }
}

} // namespace assetbake
