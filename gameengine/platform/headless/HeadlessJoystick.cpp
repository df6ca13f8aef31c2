#include "HeadlessJoystick.h"

#include <algorithm>

#include "HeadlessForceEffect.h"
#include "HeadlessInput.h"

namespace tidewell::platform::headless {

HeadlessJoystick::HeadlessJoystick(HeadlessInput& input, std::size_t index) : input_(input), index_(index) {
    input_.connect(index_, this);
}

HeadlessJoystick::~HeadlessJoystick() { input_.disconnect(index_, this); }

InputResult HeadlessJoystick::acquire() {
    const InputResult result = BufferedDevice<JoystickDevice>::acquire();
    if (succeeded(result)) {
        for (const std::shared_ptr<ForceRecord>& effect : input_.joystick(index_).effects) {
            effect->lost = false;
        }
    }
    return result;
}

std::string HeadlessJoystick::name() const { return input_.joystick(index_).name; }

InputResult HeadlessJoystick::setAxisRange(JoystickAxis axis, std::int32_t minimum, std::int32_t maximum) {
    AxisScale scale = input_.joystick(index_).scales.of(axis);
    if (!scale.setRange(minimum, maximum)) {
        return InputResult::InvalidParam;
    }
    input_.setJoystickScale(index_, axis, scale);
    return InputResult::Ok;
}

InputResult HeadlessJoystick::setDeadZone(JoystickAxis axis, std::uint32_t tenThousandths) {
    AxisScale scale = input_.joystick(index_).scales.of(axis);
    if (!scale.setDeadZone(tenThousandths)) {
        return InputResult::InvalidParam;
    }
    input_.setJoystickScale(index_, axis, scale);
    return InputResult::Ok;
}

InputResult HeadlessJoystick::setAutoCenter(bool /*on*/) {
    return InputResult::Ok;  // a simulated stick has no spring
}

InputResult HeadlessJoystick::poll() { return readProblem(); }

InputResult HeadlessJoystick::readState(JoystickState& state) {
    if (const InputResult problem = readProblem(); !succeeded(problem)) {
        return problem;
    }
    const HeadlessInput::JoystickRecord& record = input_.joystick(index_);
    state = JoystickState{};
    state.lX = record.reportedX;
    state.lY = record.reportedY;
    std::copy(std::begin(record.buttons), std::end(record.buttons), std::begin(state.rgbButtons));
    return InputResult::Ok;
}

bool HeadlessJoystick::hasForceFeedback() const { return input_.joystick(index_).forceFeedback; }

std::unique_ptr<ForceEffect> HeadlessJoystick::createConstantForce(const ConstantForce& force, InputResult& result) {
    if (!isAttached()) {
        result = InputResult::InputLost;  // what an unplugged pad answers, as on the SDL backend
        return nullptr;
    }
    if (!hasForceFeedback()) {
        result = InputResult::Unsupported;
        return nullptr;
    }
    if (force.level < -10000 || force.level > 10000 || force.gain < 0 || force.gain > 10000) {
        result = InputResult::InvalidParam;
        return nullptr;
    }
    auto record = std::make_shared<ForceRecord>();
    record->force = force;
    record->level = force.level;
    input_.joystick(index_).effects.push_back(record);
    result = InputResult::Ok;
    return std::make_unique<HeadlessForceEffect>(record);
}

}  // namespace tidewell::platform::headless
