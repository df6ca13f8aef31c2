#include "MixerBuffer.h"

#include <algorithm>

namespace tidewell::platform {

MixerBuffer::MixerBuffer(std::shared_ptr<Mixer> mixer, Mixer::Voice* voice)
    : mixer_(std::move(mixer)), voice_(voice), size_(static_cast<std::uint32_t>(voice->samples.size())) {}

MixerBuffer::~MixerBuffer() { mixer_->removeVoice(voice_); }

std::uint32_t MixerBuffer::size() const { return size_; }

AudioResult MixerBuffer::lock(std::uint32_t offset, std::uint32_t bytes, LockedRegion& region) {
    if (locked_ || bytes > size_ || (offset >= size_ && !(offset == 0 && bytes == 0))) {
        return AudioResult::InvalidCall;
    }
    const auto held = mixer_->hold();
    if (voice_->lost) {
        return AudioResult::BufferLost;
    }
    const std::uint32_t firstBytes = std::min(bytes, size_ - offset);
    const std::uint32_t secondBytes = bytes - firstBytes;
    staging_.resize(bytes);
    const std::uint8_t* samples = voice_->samples.data();
    std::copy_n(samples + offset, firstBytes, staging_.data());
    std::copy_n(samples, secondBytes, staging_.data() + firstBytes);
    region.first = staging_.data();
    region.firstBytes = firstBytes;
    region.second = secondBytes > 0 ? staging_.data() + firstBytes : nullptr;
    region.secondBytes = secondBytes;
    lockedOffset_ = offset;
    locked_ = true;
    return AudioResult::Ok;
}

AudioResult MixerBuffer::unlock(const LockedRegion& region) {
    if (!locked_ || region.first != staging_.data() || region.firstBytes + region.secondBytes != staging_.size()) {
        return AudioResult::InvalidCall;
    }
    locked_ = false;
    const auto held = mixer_->hold();
    if (voice_->lost) {
        return AudioResult::BufferLost;  // what was written goes nowhere, as the buffer is gone
    }
    std::uint8_t* samples = voice_->samples.data();
    std::copy_n(staging_.data(), region.firstBytes, samples + lockedOffset_);
    std::copy_n(staging_.data() + region.firstBytes, region.secondBytes, samples);
    return AudioResult::Ok;
}

AudioResult MixerBuffer::play(bool looping) {
    const auto held = mixer_->hold();
    if (voice_->lost) {
        return AudioResult::BufferLost;
    }
    voice_->playing = true;
    voice_->looping = looping;
    return AudioResult::Ok;
}

AudioResult MixerBuffer::stop() {
    const auto held = mixer_->hold();
    voice_->playing = false;
    return AudioResult::Ok;
}

AudioResult MixerBuffer::setPosition(std::uint32_t byteOffset) {
    if (byteOffset > size_) {
        return AudioResult::InvalidCall;
    }
    const auto held = mixer_->hold();
    if (voice_->lost) {
        return AudioResult::BufferLost;
    }
    std::uint32_t frame = byteOffset / voice_->format.blockAlign();
    if (frame >= voice_->frames) {
        frame = 0;  // the end of a circular buffer is its start
    }
    voice_->position = static_cast<std::uint64_t>(frame) << 32;
    return AudioResult::Ok;
}

AudioResult MixerBuffer::position(std::uint32_t& byteOffset) const {
    const auto held = mixer_->hold();
    byteOffset = static_cast<std::uint32_t>(voice_->position >> 32) * voice_->format.blockAlign();
    return AudioResult::Ok;
}

AudioResult MixerBuffer::status(bool& playing) const {
    const auto held = mixer_->hold();
    playing = voice_->playing;
    return AudioResult::Ok;
}

AudioResult MixerBuffer::setVolume(std::int32_t hundredthsOfDecibel) {
    if (hundredthsOfDecibel < kVolumeSilent || hundredthsOfDecibel > kVolumeFull) {
        return AudioResult::InvalidCall;
    }
    const std::int32_t gain = Mixer::gainOf(hundredthsOfDecibel);
    const auto held = mixer_->hold();
    voice_->volume = hundredthsOfDecibel;
    voice_->gain = gain;
    return AudioResult::Ok;
}

AudioResult MixerBuffer::volume(std::int32_t& hundredthsOfDecibel) const {
    const auto held = mixer_->hold();
    hundredthsOfDecibel = voice_->volume;
    return AudioResult::Ok;
}

}  // namespace tidewell::platform
