#include "WebJoystick.h"

#include "WebInput.h"
#include "WebRumbleEffect.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tidewell::platform::web {
namespace {

constexpr std::int32_t kRawMinimum = -32768;
constexpr std::int32_t kRawMaximum = 32767;
// The standard mapping's d-pad buttons.
constexpr int kPadUp = 12;
constexpr int kPadDown = 13;
constexpr int kPadLeft = 14;
constexpr int kPadRight = 15;

std::int32_t rawOf(double position) {
    return static_cast<std::int32_t>(std::lround(std::clamp(position, -1.0, 1.0) * kRawMaximum));
}

}  // namespace

WebJoystick::WebJoystick(WebInput& input, int index, std::string name)
    : input_(input), index_(index), name_(std::move(name)), rumble_(std::make_shared<RumbleState>()) {
    rumble_->padIndex = index;
    state_.lX = axisPosition(JoystickAxis::X, 0);
    state_.lY = axisPosition(JoystickAxis::Y, 0);
    input_.connect(this);
}

WebJoystick::~WebJoystick() {
    rumble_->attached = false;
    input_.disconnect(this);
}

InputResult WebJoystick::setAxisRange(JoystickAxis axis, std::int32_t minimum, std::int32_t maximum) {
    return scales_.of(axis).setRange(minimum, maximum) ? InputResult::Ok : InputResult::InvalidParam;
}

InputResult WebJoystick::setDeadZone(JoystickAxis axis, std::uint32_t tenThousandths) {
    return scales_.of(axis).setDeadZone(tenThousandths) ? InputResult::Ok : InputResult::InvalidParam;
}

InputResult WebJoystick::poll() {
    if (const InputResult problem = readProblem(); !succeeded(problem)) return problem;
    if (emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS) sample();
    return InputResult::Ok;
}

InputResult WebJoystick::readState(JoystickState& state) {
    if (const InputResult problem = readProblem(); !succeeded(problem)) return problem;
    state = state_;
    return InputResult::Ok;
}

bool WebJoystick::hasForceFeedback() const {
    return EM_ASM_INT({
        var pad = navigator.getGamepads ? navigator.getGamepads()[$0] : null;
        return pad && pad.vibrationActuator ? 1 : 0;
    }, index_) != 0;
}

std::unique_ptr<ForceEffect> WebJoystick::createConstantForce(const ConstantForce& force, InputResult& result) {
    if (!hasForceFeedback()) {
        result = InputResult::Unsupported;
        return nullptr;
    }
    result = InputResult::Ok;
    return std::make_unique<WebRumbleEffect>(rumble_, force);
}

std::int32_t WebJoystick::axisPosition(JoystickAxis axis, double raw) const {
    return scales_.of(axis).apply(rawOf(raw), kRawMinimum, kRawMaximum);
}

void WebJoystick::sample() {
    rumble_->keepGoing();
    EmscriptenGamepadEvent pad{};
    if (emscripten_get_gamepad_status(index_, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected) return;
    const bool standard = std::strcmp(pad.mapping, "standard") == 0;
    const auto pressed = [&pad](int button) { return button < pad.numButtons && pad.digitalButton[button] != 0; };
    double x = pad.numAxes > 0 ? pad.axis[0] : 0;
    double y = pad.numAxes > 1 ? pad.axis[1] : 0;
    // The d-pad, held, stands for the stick.
    if (standard && (pressed(kPadLeft) || pressed(kPadRight))) x = pressed(kPadLeft) ? -1 : 1;
    if (standard && (pressed(kPadUp) || pressed(kPadDown))) y = pressed(kPadUp) ? -1 : 1;
    setAxis(JoystickAxis::X, axisPosition(JoystickAxis::X, x));
    setAxis(JoystickAxis::Y, axisPosition(JoystickAxis::Y, y));
    const int buttons = std::min(pad.numButtons, 32);
    for (int button = 0; button < buttons; ++button) setButton(button, pressed(button));
}

void WebJoystick::setAxis(JoystickAxis axis, std::int32_t position) {
    std::int32_t& now = axis == JoystickAxis::X ? state_.lX : state_.lY;
    if (now == position) return;
    now = position;
    const std::uint32_t offset = axis == JoystickAxis::X ? joystickOffset::x : joystickOffset::y;
    recordAxis(InputDatum{offset, static_cast<std::uint32_t>(position), input_.takeSequence()},
               joystickOffset::button0, false);
}

void WebJoystick::setButton(int button, bool down) {
    const std::uint8_t value = down ? 0x80 : 0;
    if (state_.rgbButtons[button] == value) return;
    state_.rgbButtons[button] = value;
    record(InputDatum{joystickOffset::button0 + static_cast<std::uint32_t>(button), value, input_.takeSequence()});
}

}  // namespace tidewell::platform::web
