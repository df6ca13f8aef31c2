#pragma once

#include <memory>

namespace tidewell {

class SoundResource;

namespace platform {
class AudioBuffer;
class AudioDevice;
}  // namespace platform

// One short effect: the whole sample data of one sound file in one device buffer,
// played once from the start on request. One file is one voice: playing an effect
// that is still sounding starts it over instead of layering a second copy. Made and
// shared by the sound manager; game code only plays, stops and asks.
class Sound {
public:
    // Takes a reference on the resource. A null resource throws a plain text exception, a
    // null device ErrorGeneric. The buffer is made later, by createBuffer().
    Sound(SoundResource* resource, platform::AudioDevice* directSound);
    virtual ~Sound();

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Makes the device buffer, fills it with the samples and gives it its volume.
    void createBuffer();
    // Stops and drops the device buffer; the samples stay with the resource.
    void releaseBuffer();
    void recreateBuffer();
    // The device to make buffers on after the output was opened again.
    void setDirectSound(platform::AudioDevice* directSound);

    // Plays once; with restart from the beginning, else from where it stopped. Play and
    // stop requests are told to the AudioEvents listener, heard or not.
    void play(bool restart);
    // Stops; the position stays.
    void stop();
    bool isPlaying() const;
    // Recomputes the volume from the global one and sets it on the buffer.
    void applyVolume();
    // Foreground lost: remembers whether it was playing and stops.
    void pause();
    // Foreground back: continues if it was playing when paused.
    void resume();

    SoundResource* getResource() const { return resource_; }
    float getEffectiveVolume() const { return effectiveVolume_; }
    // The device buffer, null when there is none. For diagnostics and tests.
    const platform::AudioBuffer* getBuffer() const { return buffer_.get(); }

private:
    void allocateBuffer();
    void fillBuffer();
    void stopBuffer();

    SoundResource* resource_;
    float ownVolume_ = 1.0f;
    float effectiveVolume_;
    bool wasPlaying_ = false;
    bool bufferReady_ = false;
    platform::AudioDevice* directSound_;
    std::unique_ptr<platform::AudioBuffer> buffer_;
};

}  // namespace tidewell
