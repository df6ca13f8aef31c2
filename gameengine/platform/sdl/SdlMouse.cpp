#include "SdlMouse.h"

#include <cmath>

#include "SdlPictureFit.h"
#include "SdlInput.h"

namespace tidewell::platform::sdl {
namespace {

constexpr std::int32_t kWheelStep = 120;

// Our button number of an SDL button; -1 for buttons the game has no byte for.
int buttonIndex(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return 0;
        case SDL_BUTTON_RIGHT:
            return 1;
        case SDL_BUTTON_MIDDLE:
            return 2;
        case SDL_BUTTON_X1:
            return 3;
        default:
            return -1;
    }
}

}  // namespace

SdlMouse::SdlMouse(SdlInput& input) : input_(input) { input_.connect(this); }

SdlMouse::~SdlMouse() { input_.disconnect(this); }

InputResult SdlMouse::readState(MouseState& state) {
    if (const InputResult problem = readProblem(); !succeeded(problem)) {
        return problem;
    }
    state = moved_;
    moved_ = MouseState{};
    const Uint32 held = SDL_GetMouseState(nullptr, nullptr);
    state.rgbButtons[0] = (held & SDL_BUTTON_LMASK) != 0 ? 0x80 : 0;
    state.rgbButtons[1] = (held & SDL_BUTTON_RMASK) != 0 ? 0x80 : 0;
    state.rgbButtons[2] = (held & SDL_BUTTON_MMASK) != 0 ? 0x80 : 0;
    state.rgbButtons[3] = (held & SDL_BUTTON_X1MASK) != 0 ? 0x80 : 0;
    return InputResult::Ok;
}

void SdlMouse::scaleMotion(const SDL_MouseMotionEvent& motion, std::int32_t& dx, std::int32_t& dy) {
    // Motion comes in window points; the picture may be drawn larger or smaller than them.
    float logicalPerPoint = 1.0f;
    if (SDL_Window* window = SDL_GetWindowFromID(motion.windowID)) {
        logicalPerPoint = pictureFitOf(window).logicalPerPoint();
    }
    remainderX_ += static_cast<float>(motion.xrel) * logicalPerPoint;
    remainderY_ += static_cast<float>(motion.yrel) * logicalPerPoint;
    dx = static_cast<std::int32_t>(std::trunc(remainderX_));
    dy = static_cast<std::int32_t>(std::trunc(remainderY_));
    remainderX_ -= static_cast<float>(dx);
    remainderY_ -= static_cast<float>(dy);
}

void SdlMouse::accept(const SDL_Event& event) {
    if (!isAcquired()) {
        return;
    }
    switch (event.type) {
        case SDL_MOUSEMOTION: {
            std::int32_t dx = 0;
            std::int32_t dy = 0;
            scaleMotion(event.motion, dx, dy);
            if (dx == 0 && dy == 0) {
                break;
            }
            moved_.lX += dx;
            moved_.lY += dy;
            // X and Y of one motion are one report with one number; a report that follows
            // another joins it, so a fast mouse does not fill the buffer before a click.
            const std::uint32_t sequence = input_.takeSequence();
            if (dx != 0) {
                recordAxis(InputDatum{mouseOffset::x, static_cast<std::uint32_t>(dx), sequence}, mouseOffset::button0,
                           true);
            }
            if (dy != 0) {
                recordAxis(InputDatum{mouseOffset::y, static_cast<std::uint32_t>(dy), sequence}, mouseOffset::button0,
                           true);
            }
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int index = buttonIndex(event.button.button);
            if (index >= 0) {
                const std::uint32_t value = event.type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0;
                record(
                    InputDatum{mouseOffset::button0 + static_cast<std::uint32_t>(index), value, input_.takeSequence()});
            }
            break;
        }
        case SDL_MOUSEWHEEL: {
            std::int32_t steps = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                steps = -steps;
            }
            if (steps != 0) {
                moved_.lZ += steps * kWheelStep;
                recordAxis(InputDatum{mouseOffset::wheel, static_cast<std::uint32_t>(steps * kWheelStep),
                                      input_.takeSequence()},
                           mouseOffset::button0, true);
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace tidewell::platform::sdl
