#pragma once

#include "../System.h"

namespace tidewell::platform::sdl {

// SDL's timer and event wait, and the start-up checks of its subsystems.
class SdlSystem : public System {
public:
    bool checkVideo() override;
    bool checkAudio() override;
    bool checkInput() override;
    std::string lastError() const override;
    std::uint32_t milliseconds() override;
    void waitForEvent(std::uint32_t timeoutMs) override;

private:
    bool checkSubsystem(unsigned flags);
    std::string lastError_;
};

} // namespace tidewell::platform::sdl
