#include "SdlForceLink.h"

#include <algorithm>

#include "SdlRumbleEffect.h"

namespace tidewell::platform::sdl {
namespace {

// Each update asks for this long, and the main loop updates every frame: a program that
// stops running frames (in the background, or stuck) leaves the motors still soon after.
constexpr Uint32 kRumbleSpanMs = 1000;

}  // namespace

bool SdlForceLink::canRumble() const { return joystick_ != nullptr && SDL_JoystickHasRumble(joystick_) == SDL_TRUE; }

void SdlForceLink::remove(SdlRumbleEffect* effect) {
    rumbles_.erase(std::remove(rumbles_.begin(), rumbles_.end(), effect), rumbles_.end());
}

void SdlForceLink::updateRumble() {
    SDL_Joystick* motors = joystick();
    if (motors == nullptr || rumbles_.empty()) {
        return;
    }
    const Uint32 now = SDL_GetTicks();
    Uint16 strength = 0;
    for (SdlRumbleEffect* effect : rumbles_) {
        strength = std::max(strength, effect->strengthAt(now));
    }
    // SDL sends nothing to the pad when the strength is unchanged; it only moves the end.
    SDL_JoystickRumble(motors, strength, strength, strength != 0 ? kRumbleSpanMs : 0);
}

}  // namespace tidewell::platform::sdl
