#pragma once

#include <cstddef>

#include "../BufferedDevice.h"

namespace tidewell::platform::headless {

class HeadlessInput;

// A simulated joystick: a stick whose raw position runs from -1000 to 1000 on each
// axis, 32 buttons and, if it was attached with it, force feedback.
class HeadlessJoystick : public BufferedDevice<JoystickDevice> {
public:
    HeadlessJoystick(HeadlessInput& input, std::size_t index);
    ~HeadlessJoystick() override;

    // Acquiring the joystick again also gives its effects back their device.
    InputResult acquire() override;
    std::string name() const override;
    InputResult setAxisRange(JoystickAxis axis, std::int32_t minimum, std::int32_t maximum) override;
    InputResult setDeadZone(JoystickAxis axis, std::uint32_t tenThousandths) override;
    InputResult setAutoCenter(bool on) override;
    InputResult poll() override;
    InputResult readState(JoystickState& state) override;
    bool hasForceFeedback() const override;
    std::unique_ptr<ForceEffect> createConstantForce(const ConstantForce& force, InputResult& result) override;

private:
    HeadlessInput& input_;
    std::size_t index_;
};

}  // namespace tidewell::platform::headless
