#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "../AudioDevice.h"
#include "../Mixer.h"

namespace tidewell::platform::sdl {

// The sound card through SDL audio. The output is opened in the game's own format and
// SDL converts it to whatever the card takes; SDL's audio thread calls the mixer for
// every block, so the positions the game reads are those of samples already handed
// to the card. The block is short (512 frames, 23 ms at 22050 Hz), so an effect
// started in a frame is heard within about two blocks.
class SdlAudioDevice : public AudioDevice {
public:
    static constexpr Uint16 kBlockFrames = 512;
    // Frame steps between attempts to open an output that went away (one second).
    static constexpr int kRetrySteps = 20;

    ~SdlAudioDevice() override;

    AudioResult open(const WaveFormat& output) override;
    void close() override;
    bool isOpen() const override;
    std::unique_ptr<AudioBuffer> createBuffer(const WaveFormat& format, std::uint32_t bytes,
                                              AudioResult& result) override;
    void frameStep() override;

    // Why the output could not be opened, from SDL.
    const std::string& lastError() const { return lastError_; }

private:
    static void SDLCALL fill(void* mixer, Uint8* stream, int length);
    bool openOutput();
    void closeOutput();

    std::shared_ptr<Mixer> mixer_ = std::make_shared<Mixer>();
    WaveFormat format_;
    SDL_AudioDeviceID device_ = 0;
    bool open_ = false;  // the game wants sound, whether or not the card is there right now
    int stepsUntilRetry_ = 0;
    std::string lastError_;
};

}  // namespace tidewell::platform::sdl
