#pragma once

#include "../BufferedDevice.h"

#include <emscripten/html5.h>

namespace tidewell::platform::web {

class WebInput;

// The mouse over the canvas: relative motion in logical pixels, buttons 0 left, 1 right,
// 2 middle and 3 back, and the wheel in steps of 120. Motion on the page is scaled by how
// large the canvas is shown, so the pointer follows the system cursor.
class WebMouse : public BufferedDevice<MouseDevice> {
public:
    explicit WebMouse(WebInput& input);
    ~WebMouse() override;

    InputResult readState(MouseState& state) override;
    void accept(int type, const EmscriptenMouseEvent& event);
    void acceptWheel(double deltaY);

private:
    WebInput& input_;
    MouseState moved_;
    std::uint8_t held_[4] = {};
    double remainderX_ = 0;
    double remainderY_ = 0;
};

}  // namespace tidewell::platform::web
