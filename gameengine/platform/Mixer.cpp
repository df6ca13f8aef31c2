#include "Mixer.h"

#include <algorithm>
#include <cmath>

#include "MixerBuffer.h"

namespace tidewell::platform {
namespace {

// The sum is built in pieces of this many frames, so its scratch space stays small
// whatever the callback asks for.
constexpr std::size_t kChunkFrames = 1024;
constexpr unsigned kFractionBits = 15;  // of the interpolation weight

template <bool Sixteen>
inline std::int32_t sampleAt(const std::uint8_t* frame, std::uint32_t channel) {
    if constexpr (Sixteen) {
        const std::uint8_t* bytes = frame + channel * 2;
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
    } else {
        return (static_cast<std::int32_t>(frame[channel]) - 128) * 256;  // 8-bit PCM is unsigned
    }
}

// What a source frame gives one output channel: mono is spread to every channel, a
// mono output hears the average of all source channels, and otherwise each channel
// takes its own (a source with fewer channels repeats its last).
template <bool Sixteen>
inline std::int32_t channelValue(const std::uint8_t* frame, std::uint32_t sourceChannels, std::uint32_t outputChannels,
                                 std::uint32_t channel) {
    if (sourceChannels == 1) {
        return sampleAt<Sixteen>(frame, 0);
    }
    if (outputChannels == 1) {
        std::int32_t sum = 0;
        for (std::uint32_t source = 0; source < sourceChannels; ++source) {
            sum += sampleAt<Sixteen>(frame, source);
        }
        return sum / static_cast<std::int32_t>(sourceChannels);
    }
    return sampleAt<Sixteen>(frame, std::min(channel, sourceChannels - 1));
}

// Adds `frames` output frames of one voice to the sum, stopping a voice that plays
// once at its end.
template <bool Sixteen>
void addVoice(Mixer::Voice& voice, std::int32_t* sum, std::size_t frames, std::uint32_t outputChannels,
              std::uint64_t step) {
    const std::uint32_t sourceChannels = voice.format.channels;
    const std::uint32_t blockAlign = voice.format.blockAlign();
    const std::uint8_t* samples = voice.samples.data();
    const std::uint64_t end = static_cast<std::uint64_t>(voice.frames) << 32;
    const std::int64_t gain = voice.gain;
    std::uint64_t position = voice.position;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const std::uint32_t index = static_cast<std::uint32_t>(position >> 32);
        std::uint32_t nextIndex = index + 1;
        if (nextIndex >= voice.frames) {
            nextIndex = voice.looping ? 0 : index;  // the end of a one-shot holds its last frame
        }
        const std::int32_t weight =
            static_cast<std::int32_t>((position >> (32 - kFractionBits)) & ((1u << kFractionBits) - 1));
        const std::uint8_t* here = samples + static_cast<std::size_t>(index) * blockAlign;
        const std::uint8_t* next = samples + static_cast<std::size_t>(nextIndex) * blockAlign;
        for (std::uint32_t channel = 0; channel < outputChannels; ++channel) {
            const std::int32_t a = channelValue<Sixteen>(here, sourceChannels, outputChannels, channel);
            const std::int32_t b = channelValue<Sixteen>(next, sourceChannels, outputChannels, channel);
            const std::int32_t value = a + (((b - a) * weight) >> kFractionBits);
            sum[frame * outputChannels + channel] += static_cast<std::int32_t>((value * gain) >> 16);
        }
        position += step;
        if (position >= end) {
            if (!voice.looping) {
                voice.playing = false;
                position = 0;
                break;
            }
            position %= end;
        }
    }
    voice.position = position;
}

}  // namespace

bool Mixer::canPlay(const WaveFormat& format) {
    return (format.bits == 8 || format.bits == 16) && format.channels >= 1 && format.channels <= kMaximumChannels &&
           format.rate >= kMinimumRate && format.rate <= kMaximumRate;
}

bool Mixer::canOutput(const WaveFormat& format) {
    return format.bits == 16 && (format.channels == 1 || format.channels == 2) && format.rate >= kMinimumRate &&
           format.rate <= kMaximumRate;
}

std::int32_t Mixer::gainOf(std::int32_t hundredthsOfDecibel) {
    if (hundredthsOfDecibel <= kVolumeSilent) {
        return 0;  // the quietest setting is silence, not a faint sound
    }
    const double factor = std::pow(10.0, hundredthsOfDecibel / 2000.0);
    return static_cast<std::int32_t>(std::lround(factor * kUnityGain));
}

Mixer::Mixer(const WaveFormat& output) : output_(output) {}

void Mixer::setOutput(const WaveFormat& output) {
    std::lock_guard lock(mutex_);
    output_ = output;
}

WaveFormat Mixer::output() const {
    std::lock_guard lock(mutex_);
    return output_;
}

std::unique_ptr<AudioBuffer> Mixer::createBuffer(const WaveFormat& format, std::uint32_t bytes, AudioResult& result) {
    if (!canPlay(format)) {
        result = AudioResult::BadFormat;
        return nullptr;
    }
    if (bytes > kMaximumBufferBytes) {
        result = AudioResult::InvalidCall;
        return nullptr;
    }
    auto voice = std::make_unique<Voice>();
    voice->format = format;
    voice->samples.assign(bytes, format.bits == 8 ? 0x80 : 0x00);  // silence in either encoding
    voice->frames = bytes / format.blockAlign();
    Voice* listed = voice.get();
    {
        std::lock_guard lock(mutex_);
        voices_.push_back(std::move(voice));
    }
    result = AudioResult::Ok;
    return std::make_unique<MixerBuffer>(shared_from_this(), listed);
}

void Mixer::removeVoice(const Voice* voice) {
    std::lock_guard lock(mutex_);
    std::erase_if(voices_, [voice](const std::unique_ptr<Voice>& listed) { return listed.get() == voice; });
}

void Mixer::loseBuffers() {
    std::lock_guard lock(mutex_);
    for (const auto& voice : voices_) {
        voice->lost = true;
        voice->playing = false;
    }
}

std::size_t Mixer::bufferCount() const {
    std::lock_guard lock(mutex_);
    return voices_.size();
}

void Mixer::mix(std::int16_t* out, std::size_t frames) {
    std::lock_guard lock(mutex_);
    while (frames > 0) {
        const std::size_t chunk = std::min(frames, kChunkFrames);
        mixChunk(out, chunk);
        out += chunk * output_.channels;
        frames -= chunk;
    }
}

void Mixer::mixChunk(std::int16_t* out, std::size_t frames) {
    const std::size_t samples = frames * output_.channels;
    sum_.assign(samples, 0);
    for (const auto& voice : voices_) {
        if (voice->playing) {
            mixVoice(*voice, frames);
        }
    }
    for (std::size_t i = 0; i < samples; ++i) {
        out[i] = static_cast<std::int16_t>(std::clamp<std::int32_t>(sum_[i], -32768, 32767));
    }
}

std::uint64_t Mixer::stepOf(const Voice& voice) const {
    return (static_cast<std::uint64_t>(voice.format.rate) << 32) / output_.rate;
}

void Mixer::mixVoice(Voice& voice, std::size_t frames) {
    const std::uint64_t step = stepOf(voice);
    if (voice.frames == 0) {
        voice.playing = false;  // nothing to play, not even round and round
        voice.position = 0;
        return;
    }
    if (voice.gain == 0) {
        skipVoice(voice, step, frames);  // silent, but its position moves on as if heard
        return;
    }
    if (voice.format.bits == 16) {
        addVoice<true>(voice, sum_.data(), frames, output_.channels, step);
    } else {
        addVoice<false>(voice, sum_.data(), frames, output_.channels, step);
    }
}

void Mixer::skipVoice(Voice& voice, std::uint64_t step, std::size_t frames) {
    const std::uint64_t end = static_cast<std::uint64_t>(voice.frames) << 32;
    const std::uint64_t position = voice.position + step * frames;
    if (position < end) {
        voice.position = position;
    } else if (voice.looping) {
        voice.position = position % end;
    } else {
        voice.playing = false;
        voice.position = 0;
    }
}

}  // namespace tidewell::platform
