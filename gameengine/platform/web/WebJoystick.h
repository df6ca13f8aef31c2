#pragma once

#include "../BufferedDevice.h"

#include <memory>
#include <string>

namespace tidewell::platform::web {

class WebInput;
struct RumbleState;

// One gamepad of the Gamepad API. Pads in the standard mapping have the same layout as a
// desktop game controller: A is button 0, B 1, X 2, Y 3 and so on; the left stick and the
// d-pad (buttons 12 to 15) drive X and Y. Other pads give their buttons by number and their
// first two axes as X and Y. Vibration is the pad's vibrationActuator, where the browser has one.
class WebJoystick : public BufferedDevice<JoystickDevice> {
public:
    WebJoystick(WebInput& input, int index, std::string name);
    ~WebJoystick() override;

    int index() const { return index_; }

    std::string name() const override { return name_; }
    InputResult setAxisRange(JoystickAxis axis, std::int32_t minimum, std::int32_t maximum) override;
    InputResult setDeadZone(JoystickAxis axis, std::uint32_t tenThousandths) override;
    InputResult setAutoCenter(bool) override { return InputResult::Ok; }
    InputResult poll() override;
    InputResult readState(JoystickState& state) override;
    bool hasForceFeedback() const override;
    std::unique_ptr<ForceEffect> createConstantForce(const ConstantForce& force, InputResult& result) override;

    // Reads the pad as the browser last sampled it and buffers what changed.
    void sample();

private:
    std::int32_t axisPosition(JoystickAxis axis, double raw) const;
    void setButton(int button, bool down);
    void setAxis(JoystickAxis axis, std::int32_t position);

    WebInput& input_;
    int index_;
    std::string name_;
    AxisScales scales_;
    JoystickState state_;
    std::shared_ptr<RumbleState> rumble_;
};

}  // namespace tidewell::platform::web
