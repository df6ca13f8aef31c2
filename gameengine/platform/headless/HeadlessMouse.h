#pragma once

#include "../BufferedDevice.h"

namespace tidewell::platform::headless {

class HeadlessInput;

// The simulated mouse: relative movement and four buttons.
class HeadlessMouse : public BufferedDevice<MouseDevice> {
public:
    explicit HeadlessMouse(HeadlessInput& input);
    ~HeadlessMouse() override;
    InputResult readState(MouseState& state) override;

private:
    HeadlessInput& input_;
};

}  // namespace tidewell::platform::headless
