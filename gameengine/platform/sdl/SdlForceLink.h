#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace tidewell::platform::sdl {

class SdlRumbleEffect;

// What a joystick's force-feedback effects need of it, shared with them so that an effect
// that outlives its joystick, or whose joystick was unplugged, simply does nothing.
class SdlForceLink {
public:
    SdlForceLink(SDL_Joystick* joystick, SDL_Haptic* haptic) : joystick_(joystick), haptic_(haptic) {}

    // The device with constant-force effects, or null.
    SDL_Haptic* haptic() const { return unplugged_ ? nullptr : haptic_; }
    // The device whose rumble motors play the effects when it has no haptic effects; null once gone.
    SDL_Joystick* joystick() const { return unplugged_ ? nullptr : joystick_; }
    bool canRumble() const;

    // The joystick was unplugged or closed: its effects fall silent and touch nothing.
    void unplug() { unplugged_ = true; }
    void forget() {
        unplug();
        haptic_ = nullptr;
        joystick_ = nullptr;
    }

    // A pad has one pair of motors: the strongest playing rumble effect drives them.
    void add(SdlRumbleEffect* effect) { rumbles_.push_back(effect); }
    void remove(SdlRumbleEffect* effect);
    // Sets the motors from the playing effects; also keeps an endless effect from running out.
    void updateRumble();

private:
    SDL_Joystick* joystick_;
    SDL_Haptic* haptic_;
    bool unplugged_ = false;
    std::vector<SdlRumbleEffect*> rumbles_;
};

}  // namespace tidewell::platform::sdl
