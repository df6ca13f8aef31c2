#include "SdlSystem.h"

#include <SDL.h>

#include "VideoDriverPolicy.h"

#include <algorithm>

namespace tidewell::platform::sdl {

bool SdlSystem::checkSubsystem(unsigned flags) {
    if (SDL_InitSubSystem(flags) != 0) {
        lastError_ = SDL_GetError();
        return false;
    }
    SDL_QuitSubSystem(flags);
    lastError_.clear();
    return true;
}

bool SdlSystem::checkVideo() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        lastError_ = SDL_GetError();
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    const bool accepted = driver == nullptr || acceptsVideoDriver(driver, requested != nullptr ? requested : "");
    lastError_ = accepted ? std::string() : refusedVideoDriverText(driver);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return accepted;
}

bool SdlSystem::checkAudio() {
    return checkSubsystem(SDL_INIT_AUDIO);
}

bool SdlSystem::checkInput() {
    return checkSubsystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
}

std::string SdlSystem::lastError() const {
    return lastError_;
}

std::uint32_t SdlSystem::milliseconds() {
    return SDL_GetTicks();  // 32-bit milliseconds that wrap, as the cadence rule expects
}

void SdlSystem::waitForEvent(std::uint32_t timeoutMs) {
    // A null event leaves the event queued for the pump to take.
    if (timeoutMs == kWaitForever) {
        SDL_WaitEvent(nullptr);
        return;
    }
    SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<std::uint32_t>(timeoutMs, 0x7FFFFFFF)));
}

} // namespace tidewell::platform::sdl
