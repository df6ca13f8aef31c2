#pragma once

#include <SDL.h>

#include "../BufferedDevice.h"

namespace tidewell::platform::sdl {

class SdlInput;

// The mouse: relative motion in logical pixels, buttons 0 left, 1 right, 2 middle and 3
// the first side button, and the wheel in steps of 120.
class SdlMouse : public BufferedDevice<MouseDevice> {
public:
    explicit SdlMouse(SdlInput& input);
    ~SdlMouse() override;

    InputResult readState(MouseState& state) override;
    void accept(const SDL_Event& event);

private:
    SdlInput& input_;
    MouseState moved_;  // movement since the last state read
};

}  // namespace tidewell::platform::sdl
