#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "AudioBuffer.h"

namespace tidewell::platform {

// Sums every playing buffer into one 16-bit output stream, converting each buffer's
// rate (by linear interpolation) and channel count to the output's and clipping the
// sum. Both backends share it: the SDL one calls mix() from its audio callback, the
// headless one once a frame. One lock guards all of its state, so buffers can be
// changed from the main thread while the callback mixes.
class Mixer : public std::enable_shared_from_this<Mixer> {
public:
    // One buffer as the mixer sees it. Only touched while the mixer is held.
    struct Voice {
        WaveFormat format;
        std::vector<std::uint8_t> samples;
        std::uint32_t frames = 0;    // whole frames in samples
        std::uint64_t position = 0;  // in frames, 32.32 fixed point
        std::int32_t volume = kVolumeFull;
        std::int32_t gain = kUnityGain;
        bool playing = false;
        bool looping = false;
        bool lost = false;
    };

    static constexpr std::int32_t kUnityGain = 1 << 16;
    static constexpr std::uint32_t kMinimumRate = 100;
    static constexpr std::uint32_t kMaximumRate = 200000;
    static constexpr std::uint32_t kMaximumChannels = 8;
    static constexpr std::uint32_t kMaximumBufferBytes = 0x0FFFFFFF;

    // Whether buffers of this format can be played: 8 or 16 bits, 1 to 8 channels, a rate from 100 to 200000.
    static bool canPlay(const WaveFormat& format);
    // Whether the mixer can produce this format: 16 bits, mono or stereo, a rate from 100 to 200000.
    static bool canOutput(const WaveFormat& format);
    // The linear factor, in 1/65536, of an attenuation in hundredths of a decibel; 0 at kVolumeSilent.
    static std::int32_t gainOf(std::int32_t hundredthsOfDecibel);

    explicit Mixer(const WaveFormat& output = WaveFormat{});

    // Changes the output format (one canOutput accepts); buffers keep playing where they were.
    void setOutput(const WaveFormat& output);
    WaveFormat output() const;

    // A new silent buffer, or null with BadFormat or InvalidCall in `result`.
    std::unique_ptr<AudioBuffer> createBuffer(const WaveFormat& format, std::uint32_t bytes, AudioResult& result);
    // Writes `frames` output frames (interleaved 16-bit samples) and moves every playing buffer on.
    void mix(std::int16_t* out, std::size_t frames);
    // Every buffer that exists now is lost: it stops and refuses to play until it is made again.
    void loseBuffers();
    // How many buffers exist.
    std::size_t bufferCount() const;

    // Keeps the mixer still while a buffer's voice is read or changed.
    std::unique_lock<std::mutex> hold() const { return std::unique_lock<std::mutex>(mutex_); }
    // Forgets a voice whose buffer is being destroyed.
    void removeVoice(const Voice* voice);

private:
    void mixChunk(std::int16_t* out, std::size_t frames);
    void mixVoice(Voice& voice, std::size_t frames);
    static void skipVoice(Voice& voice, std::uint64_t step, std::size_t frames);
    std::uint64_t stepOf(const Voice& voice) const;

    mutable std::mutex mutex_;
    WaveFormat output_;
    std::vector<std::unique_ptr<Voice>> voices_;
    std::vector<std::int32_t> sum_;
};

}  // namespace tidewell::platform
