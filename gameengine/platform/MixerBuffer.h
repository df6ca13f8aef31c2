#pragma once

#include <memory>
#include <vector>

#include "AudioBuffer.h"
#include "Mixer.h"

namespace tidewell::platform {

// A buffer that is one voice of a Mixer. A lock hands out a copy of the bytes and
// the unlock writes them back under the mixer's lock, so the game never writes
// memory that the audio callback is reading. The buffer keeps its mixer alive.
class MixerBuffer : public AudioBuffer {
public:
    MixerBuffer(std::shared_ptr<Mixer> mixer, Mixer::Voice* voice);
    ~MixerBuffer() override;

    MixerBuffer(const MixerBuffer&) = delete;
    MixerBuffer& operator=(const MixerBuffer&) = delete;

    std::uint32_t size() const override;
    AudioResult lock(std::uint32_t offset, std::uint32_t bytes, LockedRegion& region) override;
    AudioResult unlock(const LockedRegion& region) override;
    AudioResult play(bool looping) override;
    AudioResult stop() override;
    AudioResult setPosition(std::uint32_t byteOffset) override;
    AudioResult position(std::uint32_t& byteOffset) const override;
    AudioResult status(bool& playing) const override;
    AudioResult setVolume(std::int32_t hundredthsOfDecibel) override;
    AudioResult volume(std::int32_t& hundredthsOfDecibel) const override;

private:
    std::shared_ptr<Mixer> mixer_;
    Mixer::Voice* voice_;
    const std::uint32_t size_;
    // The bytes handed out by the current lock, and where they go back.
    std::vector<std::uint8_t> staging_;
    std::uint32_t lockedOffset_ = 0;
    bool locked_ = false;
};

}  // namespace tidewell::platform
