#pragma once

#include "../BufferedDevice.h"

namespace tidewell::platform::headless {

class HeadlessInput;

// The simulated keyboard: reports the keys the script or a test holds down.
class HeadlessKeyboard : public BufferedDevice<KeyboardDevice> {
public:
    explicit HeadlessKeyboard(HeadlessInput& input);
    ~HeadlessKeyboard() override;
    InputResult readState(KeyboardState& state) override;

private:
    HeadlessInput& input_;
};

}  // namespace tidewell::platform::headless
