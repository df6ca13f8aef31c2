#pragma once

#include <cstdint>

namespace tidewell::platform {

// What a buffer operation came to. The values are what an error reports as its code.
enum class AudioResult : int {
    Ok = 0,
    BufferLost = 1,   // the output was lost and found again: release the buffer and create a new one
    InvalidCall = 2,  // a value out of range, or unlock without lock
    BadFormat = 3,    // a wave format the mixer cannot play
    NoDevice = 4,     // no sound output can be opened on this machine
};

inline int resultCode(AudioResult result) { return static_cast<int>(result); }

// Interleaved PCM, channel 0 first: signed 16-bit little-endian samples, or unsigned bytes for 8 bits.
struct WaveFormat {
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;  // frames per second
    std::uint16_t bits = 16;

    std::uint32_t blockAlign() const { return channels * (bits / 8u); }
    std::uint32_t bytesPerSecond() const { return rate * blockAlign(); }
};

// The memory a lock hands out: the bytes from the offset to the buffer's end, and
// those that wrapped round to its start (none when the range did not wrap).
struct LockedRegion {
    std::uint8_t* first = nullptr;
    std::uint32_t firstBytes = 0;
    std::uint8_t* second = nullptr;
    std::uint32_t secondBytes = 0;
};

// Volumes are attenuations in hundredths of a decibel.
inline constexpr std::int32_t kVolumeSilent = -10000;
inline constexpr std::int32_t kVolumeFull = 0;

// One circular buffer of samples that the device mixes into its output while it
// plays. Created stopped, silent-filled, at position 0 and full volume.
class AudioBuffer {
public:
    virtual ~AudioBuffer() = default;

    // The buffer's length in bytes, as created.
    virtual std::uint32_t size() const = 0;
    // Hands out writable memory for `bytes` bytes from `offset`, wrapping at the end; holds the current contents.
    virtual AudioResult lock(std::uint32_t offset, std::uint32_t bytes, LockedRegion& region) = 0;
    // Commits what was written into the region of the last lock; only then is it heard.
    virtual AudioResult unlock(const LockedRegion& region) = 0;
    // Starts playing from the current position, once to the end or round and round.
    virtual AudioResult play(bool looping) = 0;
    // Stops; the position stays where the output left it.
    virtual AudioResult stop() = 0;
    // Moves the position to a byte offset inside the buffer (rounded down to a whole frame).
    virtual AudioResult setPosition(std::uint32_t byteOffset) = 0;
    // The byte offset of the next frame to be handed to the output.
    virtual AudioResult position(std::uint32_t& byteOffset) const = 0;
    // Whether the buffer is playing; a buffer that played once to its end has stopped, back at 0.
    virtual AudioResult status(bool& playing) const = 0;
    // Sets the attenuation, from kVolumeSilent (silence) to kVolumeFull; anything else is refused.
    virtual AudioResult setVolume(std::int32_t hundredthsOfDecibel) = 0;
    // The attenuation last set.
    virtual AudioResult volume(std::int32_t& hundredthsOfDecibel) const = 0;
};

}  // namespace tidewell::platform
