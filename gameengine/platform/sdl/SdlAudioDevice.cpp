#include "SdlAudioDevice.h"

namespace tidewell::platform::sdl {

SdlAudioDevice::~SdlAudioDevice() { close(); }

AudioResult SdlAudioDevice::open(const WaveFormat& output) {
    if (open_) {
        return AudioResult::Ok;
    }
    if (!Mixer::canOutput(output)) {
        return AudioResult::BadFormat;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        lastError_ = SDL_GetError();
        return AudioResult::NoDevice;
    }
    format_ = output;
    mixer_->setOutput(output);
    if (!openOutput()) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return AudioResult::NoDevice;
    }
    open_ = true;
    return AudioResult::Ok;
}

bool SdlAudioDevice::openOutput() {
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(format_.rate);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(format_.channels);
    wanted.samples = kBlockFrames;
    wanted.callback = &SdlAudioDevice::fill;
    wanted.userdata = mixer_.get();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts our format to the card's, so the mixer's stays fixed.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) {
        lastError_ = SDL_GetError();
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioDevice::closeOutput() {
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);  // returns once the callback has finished
        device_ = 0;
    }
}

void SdlAudioDevice::close() {
    if (!open_) {
        return;
    }
    closeOutput();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
}

bool SdlAudioDevice::isOpen() const { return open_; }

std::unique_ptr<AudioBuffer> SdlAudioDevice::createBuffer(const WaveFormat& format, std::uint32_t bytes,
                                                          AudioResult& result) {
    return mixer_->createBuffer(format, bytes, result);
}

void SdlAudioDevice::frameStep() {
    if (!open_) {
        return;
    }
    // A device we never pause reports stopped only when it was unplugged or its server went
    // away. Its buffers are lost, and the game rebuilds them the next time it plays them.
    if (device_ != 0 && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) {
        closeOutput();
        mixer_->loseBuffers();
        stepsUntilRetry_ = 0;
    }
    if (device_ == 0 && stepsUntilRetry_-- <= 0) {
        stepsUntilRetry_ = openOutput() ? 0 : kRetrySteps;
    }
}

void SDLCALL SdlAudioDevice::fill(void* mixer, Uint8* stream, int length) {
    auto& target = *static_cast<Mixer*>(mixer);
    const std::size_t frameBytes = sizeof(std::int16_t) * target.output().channels;
    target.mix(reinterpret_cast<std::int16_t*>(stream), static_cast<std::size_t>(length) / frameBytes);
}

}  // namespace tidewell::platform::sdl
