#include "WebMouse.h"

#include "WebInput.h"
#include "WebWindow.h"

#include <cmath>

namespace tidewell::platform::web {
namespace {

constexpr std::int32_t kWheelStep = 120;

// Our button number of a DOM button (0 left, 1 middle, 2 right, 3 back); -1 for the others.
int buttonIndex(unsigned short button) {
    switch (button) {
        case 0: return 0;
        case 1: return 2;
        case 2: return 1;
        case 3: return 3;
        default: return -1;
    }
}

}  // namespace

WebMouse::WebMouse(WebInput& input) : input_(input) { input_.connect(this); }

WebMouse::~WebMouse() { input_.disconnect(this); }

InputResult WebMouse::readState(MouseState& state) {
    if (const InputResult problem = readProblem(); !succeeded(problem)) return problem;
    state = moved_;
    moved_ = MouseState{};
    for (int button = 0; button < 4; ++button) state.rgbButtons[button] = held_[button];
    return InputResult::Ok;
}

void WebMouse::accept(int type, const EmscriptenMouseEvent& event) {
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        const WindowSize shown = input_.window().clientSize();
        if (shown.width <= 0 || shown.height <= 0) return;
        remainderX_ += event.movementX * kLogicalWidth / shown.width;
        remainderY_ += event.movementY * kLogicalHeight / shown.height;
        const auto dx = static_cast<std::int32_t>(std::trunc(remainderX_));
        const auto dy = static_cast<std::int32_t>(std::trunc(remainderY_));
        remainderX_ -= dx;
        remainderY_ -= dy;
        if ((dx == 0 && dy == 0) || !isAcquired()) return;
        moved_.lX += dx;
        moved_.lY += dy;
        // X and Y of one motion are one report with one number, merged with the report before.
        const std::uint32_t sequence = input_.takeSequence();
        if (dx != 0) recordAxis(InputDatum{mouseOffset::x, static_cast<std::uint32_t>(dx), sequence}, mouseOffset::button0, true);
        if (dy != 0) recordAxis(InputDatum{mouseOffset::y, static_cast<std::uint32_t>(dy), sequence}, mouseOffset::button0, true);
        return;
    }
    const int index = buttonIndex(event.button);
    if (index < 0) return;
    const std::uint8_t value = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? 0x80 : 0;
    if (held_[index] == value) return;
    held_[index] = value;
    record(InputDatum{mouseOffset::button0 + static_cast<std::uint32_t>(index), value, input_.takeSequence()});
}

void WebMouse::acceptWheel(double deltaY) {
    if (deltaY == 0) return;
    // Away from the player is a positive step, as on the desktop.
    const std::int32_t steps = deltaY < 0 ? kWheelStep : -kWheelStep;
    moved_.lZ += steps;
    recordAxis(InputDatum{mouseOffset::wheel, static_cast<std::uint32_t>(steps), input_.takeSequence()},
               mouseOffset::button0, true);
}

}  // namespace tidewell::platform::web
