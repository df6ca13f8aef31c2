#pragma once

#include <SDL.h>

#include "../BufferedDevice.h"

namespace tidewell::platform::sdl {

class SdlInput;

// The mouse: relative motion in logical pixels, buttons 0 left, 1 right, 2 middle and 3
// the first side button, and the wheel in steps of 120. Motion is scaled here, the same
// for either renderer, so that the pointer crosses the picture as fast as the system
// cursor crosses the screen.
class SdlMouse : public BufferedDevice<MouseDevice> {
public:
    explicit SdlMouse(SdlInput& input);
    ~SdlMouse() override;

    InputResult readState(MouseState& state) override;
    void accept(const SDL_Event& event);

private:
    // Real motion to logical pixels; what is left below a whole pixel waits for the next motion.
    void scaleMotion(const SDL_MouseMotionEvent& motion, std::int32_t& dx, std::int32_t& dy);

    SdlInput& input_;
    MouseState moved_;  // movement since the last state read
    float remainderX_ = 0.0f;
    float remainderY_ = 0.0f;
};

}  // namespace tidewell::platform::sdl
