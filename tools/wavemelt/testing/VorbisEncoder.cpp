#include "VorbisEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace wavemelt::testing {

namespace {

constexpr int kSerialNumber = 0x5eed;
constexpr long kFramesPerBlock = 1024;

// The libvorbis encoder state, released in reverse order of creation.
class Encoder {
public:
    Encoder(int channels, long rate, float quality) : channels_(channels) {
        vorbis_info_init(&info_);
        if (vorbis_encode_init_vbr(&info_, channels, rate, quality) != 0) {
            vorbis_info_clear(&info_);
            throw std::invalid_argument("libvorbisenc refuses this channel count, rate or quality");
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

    void writeHeaders() {
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &identification);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        // The audio must start on a fresh page.
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) {
            appendPage(page);
        }
    }

    void writeFrames(const std::int16_t* interleaved, long frames) {
        float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(frames));
        for (long frame = 0; frame < frames; ++frame) {
            for (int channel = 0; channel < channels_; ++channel) {
                buffer[channel][frame] = interleaved[frame * channels_ + channel] / 32768.0f;
            }
        }
        vorbis_analysis_wrote(&dsp_, static_cast<int>(frames));
        drainBlocks();
    }

    std::vector<unsigned char> finish() {
        vorbis_analysis_wrote(&dsp_, 0);
        drainBlocks();
        return std::move(bytes_);
    }

private:
    void drainBlocks() {
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) != 0) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream_, &page) != 0) {
                    appendPage(page);
                }
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
    std::vector<unsigned char> bytes_;
};

}  // namespace

std::vector<unsigned char> encodeVorbis(const std::vector<std::int16_t>& samples, int channels, long rate,
                                        float quality) {
    Encoder encoder(channels, rate, quality);
    encoder.writeHeaders();
    const long frames = static_cast<long>(samples.size()) / channels;
    for (long start = 0; start < frames; start += kFramesPerBlock) {
        encoder.writeFrames(samples.data() + start * channels, std::min(kFramesPerBlock, frames - start));
    }
    return encoder.finish();
}

std::vector<std::int16_t> sineWave(double frequency, long rate, std::size_t frames, double amplitude) {
    std::vector<std::int16_t> samples(frames);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const double phase =
            2.0 * std::numbers::pi * frequency * static_cast<double>(frame) / static_cast<double>(rate);
        samples[frame] = static_cast<std::int16_t>(std::lround(amplitude * std::sin(phase)));
    }
    return samples;
}

std::vector<std::int16_t> interleave(const std::vector<std::int16_t>& left, const std::vector<std::int16_t>& right) {
    std::vector<std::int16_t> samples;
    samples.reserve(left.size() * 2);
    for (std::size_t frame = 0; frame < left.size(); ++frame) {
        samples.push_back(left[frame]);
        samples.push_back(right.at(frame));
    }
    return samples;
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace wavemelt::testing
