#include "VirtualJoystick.h"

#include <SDL.h>

namespace tidewell::platform::sdl::testing {

VirtualJoystick::VirtualJoystick(Kind kind, int axes, int buttons, int hats, bool rumble) {
    // The test process has no focused window of its own to earn joystick events with.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0) {
        error_ = SDL_GetError();
        return;
    }
    SDL_VirtualJoystickDesc description;
    SDL_zero(description);
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = kind == Kind::Controller ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_FLIGHT_STICK;
    description.naxes = static_cast<Uint16>(axes);
    description.nbuttons = static_cast<Uint16>(buttons);
    description.nhats = static_cast<Uint16>(hats);
    description.name = kind == Kind::Controller ? "Brinefall test pad" : "Brinefall test stick";
    if (rumble) {
        description.userdata = this;
        description.Rumble = [](void* self, Uint16 low, Uint16 high) { return onRumble(self, low, high); };
    }
    deviceIndex_ = SDL_JoystickAttachVirtualEx(&description);
    if (deviceIndex_ < 0) {
        error_ = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
        return;
    }
    handle_ = SDL_JoystickOpen(deviceIndex_);
    if (handle_ == nullptr) {
        error_ = SDL_GetError();
        SDL_JoystickDetachVirtual(deviceIndex_);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    }
}

VirtualJoystick::~VirtualJoystick() {
    if (handle_ == nullptr) {
        return;
    }
    auto* joystick = static_cast<SDL_Joystick*>(handle_);
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
    SDL_JoystickClose(joystick);
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == id) {
            SDL_JoystickDetachVirtual(index);
            break;
        }
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
}

bool VirtualJoystick::isController() const {
    if (handle_ == nullptr) {
        return false;
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(static_cast<SDL_Joystick*>(handle_));
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == id) {
            return SDL_IsGameController(index) == SDL_TRUE;
        }
    }
    return false;
}

void VirtualJoystick::setAxis(int axis, int value) {
    SDL_JoystickSetVirtualAxis(static_cast<SDL_Joystick*>(handle_), axis, static_cast<Sint16>(value));
}

void VirtualJoystick::setButton(int button, bool down) {
    SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick*>(handle_), button, down ? 1 : 0);
}

void VirtualJoystick::setHat(int hat, int value) {
    SDL_JoystickSetVirtualHat(static_cast<SDL_Joystick*>(handle_), hat, static_cast<Uint8>(value));
}

int VirtualJoystick::onRumble(void* self, unsigned short low, unsigned short high) {
    auto* joystick = static_cast<VirtualJoystick*>(self);
    joystick->low_ = low;
    joystick->high_ = high;
    ++joystick->calls_;
    return 0;
}

}  // namespace tidewell::platform::sdl::testing
