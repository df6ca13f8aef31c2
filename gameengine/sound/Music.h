#pragma once

#include <cstdint>
#include <memory>

#include "platform/AudioBuffer.h"

namespace tidewell {

class SoundResource;

namespace platform {
class AudioBuffer;
class AudioDevice;
}  // namespace platform

// One background track that loops without end. The whole track is in memory, but
// the device only ever holds two seconds of it: a looping buffer of two one-second
// halves, of which the half just played is refilled from the track while the other
// plays. Between two passes an optional gap of silence can be heard. The refill is
// the per-frame streamStep(), driven by the sound manager's update(). A track survives
// the sound output going away (headphones pulled out): its buffer is lost, nothing is
// heard while the output is away, and then the track goes on from where it stood.
class Music {
public:
    // Takes a reference on the resource. A null resource throws a plain text exception, a
    // null device ErrorGeneric. The buffer is made later, by createBuffer().
    Music(SoundResource* resource, float gapSeconds, platform::AudioDevice* directSound);
    virtual ~Music();

    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    // Makes the two-second device buffer and fills both halves from the stream positions.
    void createBuffer();
    // Stops and drops the device buffer; the track stays with the resource.
    void releaseBuffer();
    void recreateBuffer();
    // The device to make buffers on after the output was opened again.
    void setDirectSound(platform::AudioDevice* directSound);

    // Starts looping playback; with restart from the beginning of the track. Play, stop
    // and volume requests are told to the AudioEvents listener, heard or not.
    void play(bool restart);
    // Stops; the cursor and the stream stay, so play(false) continues seamlessly.
    void stop();
    bool isPlaying() const;
    // Sets the track's own volume factor and applies it.
    void setVolume(float volume);
    // Recomputes the volume from the global one and sets it on the buffer.
    void applyVolume();
    // Foreground lost: remembers whether it was playing and stops.
    void pause();
    // Foreground back: continues if it was playing when paused.
    void resume();
    // The per-frame refill of whichever half the cursor has just left.
    void streamStep();

    SoundResource* getResource() const { return resource_; }
    float getEffectiveVolume() const { return effectiveVolume_; }
    // The device buffer, null when there is none. For diagnostics and tests.
    const platform::AudioBuffer* getBuffer() const { return buffer_.get(); }

private:
    void allocateBuffer();
    void startBuffer(bool restart);
    void stopBuffer();
    void fillHalf(std::uint64_t streamPosition, std::uint32_t bytes, std::uint32_t bufferOffset);
    platform::AudioResult tryFillHalf(std::uint64_t streamPosition, std::uint32_t bytes, std::uint32_t bufferOffset);
    // Where in the looped stream the next byte heard comes from.
    std::uint64_t standingPosition() const;
    void goOnInNewBuffer();
    std::uint64_t cycleBytes() const;
    std::uint64_t wrapped(std::uint64_t streamPosition) const;

    SoundResource* resource_;
    float ownVolume_ = 1.0f;
    float effectiveVolume_;
    bool wasPlaying_ = false;
    bool playing_ = false;  // told to play and not since to stop or pause
    // Where the next buffer made starts in the looped stream.
    std::uint64_t resumeFrom_ = 0;
    std::uint32_t gapBytes_;
    std::uint32_t bufferBytes_ = 0;
    std::uint32_t firstHalfLength_ = 0;  // also where the second half starts in the buffer
    std::uint32_t secondHalfLength_ = 0;
    // Positions in the looped stream (the track, then the gap, again and again) of the bytes
    // each half holds; wide enough that no track and gap can overflow them.
    std::uint64_t firstHalfStreamPos_ = 0;
    std::uint64_t secondHalfStreamPos_ = 0;
    bool playingFirstHalf_ = true;
    bool bufferReady_ = false;
    platform::AudioDevice* directSound_;
    std::unique_ptr<platform::AudioBuffer> buffer_;
};

}  // namespace tidewell
