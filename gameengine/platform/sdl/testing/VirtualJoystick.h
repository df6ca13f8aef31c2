#pragma once

#include <string>

namespace tidewell::platform::sdl::testing {

// A joystick that exists only inside SDL, for tests of the SDL backend on machines without
// one. It is compiled into the tests only, never into the game. It attaches as a game
// controller (SDL then reads it through its controller mapping) or as a plain joystick.
class VirtualJoystick {
public:
    enum class Kind { Controller, Joystick };

    VirtualJoystick(Kind kind, int axes, int buttons, int hats, bool rumble);
    ~VirtualJoystick();
    VirtualJoystick(const VirtualJoystick&) = delete;
    VirtualJoystick& operator=(const VirtualJoystick&) = delete;

    // Whether SDL took it; the reason when it did not.
    bool attached() const { return handle_ != nullptr; }
    const std::string& error() const { return error_; }
    // Whether SDL reads it as a game controller.
    bool isController() const;

    // Where an axis stands (-32768 to 32767), a button, a hat (SDL_HAT_* bits); seen at SDL's next update.
    void setAxis(int axis, int value);
    void setButton(int button, bool down);
    void setHat(int hat, int value);

    // The speeds its rumble motors were last given (0 to 65535) and how often they were set.
    int lowRumble() const { return low_; }
    int highRumble() const { return high_; }
    int rumbleCalls() const { return calls_; }

private:
    static int onRumble(void* self, unsigned short low, unsigned short high);

    void* handle_ = nullptr;  // the SDL_Joystick this helper holds open
    int deviceIndex_ = -1;
    std::string error_;
    int low_ = 0;
    int high_ = 0;
    int calls_ = 0;
};

}  // namespace tidewell::platform::sdl::testing
