#include "HeadlessInput.h"

#include <algorithm>
#include <cstdlib>

#include "HeadlessJoystick.h"
#include "HeadlessKeyboard.h"
#include "HeadlessMouse.h"
#include "HeadlessWindow.h"

namespace tidewell::platform::headless {
namespace {

constexpr std::int32_t kStickEnd = 1000;
constexpr int kMouseButtons = 4;
constexpr int kJoystickButtons = 32;

std::uint8_t pressedByte(bool down) { return down ? 0x80 : 0; }

}  // namespace

HeadlessInput::HeadlessInput(HeadlessWindow& window) : window_(window) {}

void HeadlessInput::play(const InputScript& script) {
    for (const InputScript::Joystick& joystick : script.joysticks) {
        attachJoystick(joystick.name, joystick.forceFeedback);
    }
    script_ = script.actions;
    plugged_ = script.plugged;
    nextAction_ = 0;
}

std::unique_ptr<KeyboardDevice> HeadlessInput::createKeyboard(InputResult& result) {
    result = InputResult::Ok;
    return std::make_unique<HeadlessKeyboard>(*this);
}

std::unique_ptr<MouseDevice> HeadlessInput::createMouse(InputResult& result) {
    result = InputResult::Ok;
    mouseState_.lX = mouseState_.lY = mouseState_.lZ = 0;
    return std::make_unique<HeadlessMouse>(*this);
}

bool HeadlessInput::enumerateJoysticks(std::vector<JoystickInstance>& found) {
    found.clear();
    joysticksChanged_ = false;
    for (std::size_t index = 0; index < joysticks_.size(); ++index) {
        if (joysticks_[index].attached) {
            found.push_back(JoystickInstance{static_cast<std::int32_t>(index), joysticks_[index].name});
        }
    }
    return true;
}

std::unique_ptr<JoystickDevice> HeadlessInput::createJoystick(const JoystickInstance& instance, InputResult& result) {
    if (instance.id < 0 || static_cast<std::size_t>(instance.id) >= joysticks_.size() ||
        !joysticks_[static_cast<std::size_t>(instance.id)].attached) {
        result = InputResult::Failed;
        return nullptr;
    }
    JoystickRecord& record = joysticks_[static_cast<std::size_t>(instance.id)];
    // A device opened anew starts with the default range and no dead zone.
    record.scales = AxisScales{};
    record.reportedX = record.scales.x.apply(record.rawX, -kStickEnd, kStickEnd);
    record.reportedY = record.scales.y.apply(record.rawY, -kStickEnd, kStickEnd);
    result = InputResult::Ok;
    return std::make_unique<HeadlessJoystick>(*this, static_cast<std::size_t>(instance.id));
}

void HeadlessInput::collect(std::uint64_t frame) {
    while (nextAction_ < script_.size() && script_[nextAction_].frame <= frame) {
        perform(script_[nextAction_]);
        ++nextAction_;
    }
}

void HeadlessInput::perform(const InputScript::Action& action) {
    using Kind = InputScript::Action::Kind;
    const auto joystick = static_cast<std::size_t>(action.a);
    switch (action.kind) {
        case Kind::KeyDown:
            pressKey(static_cast<std::uint8_t>(action.a));
            break;
        case Kind::KeyUp:
            releaseKey(static_cast<std::uint8_t>(action.a));
            break;
        case Kind::MouseMove:
            moveMouse(action.a, action.b);
            break;
        case Kind::MouseTo:
            moveMouseTo(action.a, action.b);
            break;
        case Kind::MouseDown:
            pressMouseButton(action.a);
            break;
        case Kind::MouseUp:
            releaseMouseButton(action.a);
            break;
        case Kind::JoystickMove:
            moveJoystick(joystick, action.b, action.c);
            break;
        case Kind::MouseCursor:
            placeCursor(action.a, action.b);
            break;
        case Kind::JoystickAt:
            placeJoystick(joystick, action.b, action.c);
            break;
        case Kind::JoystickDown:
            pressJoystickButton(joystick, action.b);
            break;
        case Kind::JoystickUp:
            releaseJoystickButton(joystick, action.b);
            break;
        case Kind::JoystickPlug:
            attachJoystick(plugged_.at(joystick).name, plugged_.at(joystick).forceFeedback);
            break;
        case Kind::JoystickUnplug:
            detachJoystick(joystick);
            break;
    }
}

void HeadlessInput::pressKey(std::uint8_t code) { setKey(code, true); }

void HeadlessInput::releaseKey(std::uint8_t code) { setKey(code, false); }

// A key that is already in the asked state sends nothing, as a real key cannot go down twice.
void HeadlessInput::setKey(std::uint8_t code, bool down) {
    if (code == 0 || ((keys_.keys[code] & 0x80) != 0) == down) {
        return;
    }
    keys_.keys[code] = pressedByte(down);
    const InputDatum datum{code, pressedByte(down), takeSequence()};
    if (keyboard_ != nullptr) {
        keyboard_->record(datum);
    }
}

void HeadlessInput::moveMouse(std::int32_t dx, std::int32_t dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    int cursorX = 0;
    int cursorY = 0;
    window_.cursorPosition(cursorX, cursorY);
    window_.setCursor(cursorX + dx, cursorY + dy);
    mouseState_.lX += dx;
    mouseState_.lY += dy;
    // X and Y of one movement are one report and share its sequence number.
    const std::uint32_t sequence = takeSequence();
    if (mouse_ == nullptr) {
        return;
    }
    if (dx != 0) {
        mouse_->record(InputDatum{mouseOffset::x, static_cast<std::uint32_t>(dx), sequence});
    }
    if (dy != 0) {
        mouse_->record(InputDatum{mouseOffset::y, static_cast<std::uint32_t>(dy), sequence});
    }
}

void HeadlessInput::moveMouseTo(std::int32_t x, std::int32_t y) {
    int cursorX = 0;
    int cursorY = 0;
    window_.cursorPosition(cursorX, cursorY);
    moveMouse(x - cursorX, y - cursorY);
}

void HeadlessInput::pressMouseButton(int button) { setMouseButton(button, true); }

void HeadlessInput::releaseMouseButton(int button) { setMouseButton(button, false); }

void HeadlessInput::setMouseButton(int button, bool down) {
    if (button < 0 || button >= kMouseButtons || ((mouseState_.rgbButtons[button] & 0x80) != 0) == down) {
        return;
    }
    mouseState_.rgbButtons[button] = pressedByte(down);
    const InputDatum datum{mouseOffset::button0 + static_cast<std::uint32_t>(button), pressedByte(down),
                           takeSequence()};
    if (mouse_ != nullptr) {
        mouse_->record(datum);
    }
}

MouseState HeadlessInput::takeMouseState() {
    const MouseState state = mouseState_;
    mouseState_.lX = mouseState_.lY = mouseState_.lZ = 0;
    return state;
}

std::size_t HeadlessInput::attachJoystick(const std::string& name, bool forceFeedback) {
    JoystickRecord& record = joysticks_.emplace_back();
    record.name = name;
    record.forceFeedback = forceFeedback;
    record.reportedX = record.scales.x.apply(0, -kStickEnd, kStickEnd);
    record.reportedY = record.scales.y.apply(0, -kStickEnd, kStickEnd);
    joysticksChanged_ = true;
    return joysticks_.size() - 1;
}

void HeadlessInput::detachJoystick(std::size_t index) {
    JoystickRecord& record = joysticks_.at(index);
    joysticksChanged_ = joysticksChanged_ || record.attached;
    record.attached = false;
    if (record.device != nullptr) {
        record.device->markDetached();
    }
    for (const std::shared_ptr<ForceRecord>& effect : record.effects) {
        effect->playing = false;
        effect->unplugged = true;
    }
}

void HeadlessInput::moveJoystick(std::size_t index, std::int32_t x, std::int32_t y) {
    JoystickRecord& record = joysticks_.at(index);
    record.rawX = std::clamp(x, -kStickEnd, kStickEnd);
    record.rawY = std::clamp(y, -kStickEnd, kStickEnd);
    const std::int32_t newX = record.scales.x.apply(record.rawX, -kStickEnd, kStickEnd);
    const std::int32_t newY = record.scales.y.apply(record.rawY, -kStickEnd, kStickEnd);
    if (newX == record.reportedX && newY == record.reportedY) {
        return;  // a move inside the dead zone reports nothing
    }
    const std::uint32_t sequence = takeSequence();
    if (newX != record.reportedX) {
        recordJoystick(record, InputDatum{joystickOffset::x, static_cast<std::uint32_t>(newX), sequence});
    }
    if (newY != record.reportedY) {
        recordJoystick(record, InputDatum{joystickOffset::y, static_cast<std::uint32_t>(newY), sequence});
    }
    record.reportedX = newX;
    record.reportedY = newY;
}

void HeadlessInput::placeCursor(std::int32_t x, std::int32_t y) { window_.setCursor(x, y); }

// The raw position kept is the one that reads closest to (x, y), so that a device opened anew
// with the same range and dead zone reads the stick where it was left.
void HeadlessInput::placeJoystick(std::size_t index, std::int32_t x, std::int32_t y) {
    JoystickRecord& record = joysticks_.at(index);
    auto closestRaw = [](const AxisScale& scale, std::int32_t wanted) {
        std::int32_t best = 0;
        std::int64_t bestDistance = -1;
        for (std::int32_t raw = -kStickEnd; raw <= kStickEnd; ++raw) {
            const std::int64_t distance = std::abs(std::int64_t{scale.apply(raw, -kStickEnd, kStickEnd)} - wanted);
            if (bestDistance < 0 || distance < bestDistance) {
                best = raw;
                bestDistance = distance;
            }
        }
        return best;
    };
    if (x != record.reportedX) {
        record.rawX = closestRaw(record.scales.x, x);
    }
    if (y != record.reportedY) {
        record.rawY = closestRaw(record.scales.y, y);
    }
    if (x == record.reportedX && y == record.reportedY) {
        return;
    }
    const std::uint32_t sequence = takeSequence();
    if (x != record.reportedX) {
        recordJoystick(record, InputDatum{joystickOffset::x, static_cast<std::uint32_t>(x), sequence});
    }
    if (y != record.reportedY) {
        recordJoystick(record, InputDatum{joystickOffset::y, static_cast<std::uint32_t>(y), sequence});
    }
    record.reportedX = x;
    record.reportedY = y;
}

void HeadlessInput::pressJoystickButton(std::size_t index, int button) { setJoystickButton(index, button, true); }

void HeadlessInput::releaseJoystickButton(std::size_t index, int button) { setJoystickButton(index, button, false); }

void HeadlessInput::setJoystickButton(std::size_t index, int button, bool down) {
    JoystickRecord& record = joysticks_.at(index);
    if (button < 0 || button >= kJoystickButtons || ((record.buttons[button] & 0x80) != 0) == down) {
        return;
    }
    record.buttons[button] = pressedByte(down);
    recordJoystick(record, InputDatum{joystickOffset::button0 + static_cast<std::uint32_t>(button), pressedByte(down),
                                      takeSequence()});
}

void HeadlessInput::setJoystickScale(std::size_t index, JoystickAxis axis, const AxisScale& scale) {
    JoystickRecord& record = joysticks_.at(index);
    record.scales.of(axis) = scale;
    if (axis == JoystickAxis::X) {
        record.reportedX = scale.apply(record.rawX, -kStickEnd, kStickEnd);
    } else {
        record.reportedY = scale.apply(record.rawY, -kStickEnd, kStickEnd);
    }
}

void HeadlessInput::recordJoystick(JoystickRecord& record, const InputDatum& datum) {
    if (record.device != nullptr) {
        record.device->record(datum);
    }
}

void HeadlessInput::loseDevices() {
    if (keyboard_ != nullptr) {
        keyboard_->markLost();
    }
    if (mouse_ != nullptr) {
        mouse_->markLost();
    }
    for (JoystickRecord& record : joysticks_) {
        if (record.device != nullptr && record.device->isAcquired()) {
            record.device->markLost();
            for (const std::shared_ptr<ForceRecord>& effect : record.effects) {
                effect->lost = true;
            }
        }
    }
}

void HeadlessInput::disconnect(HeadlessKeyboard* keyboard) {
    if (keyboard_ == keyboard) {
        keyboard_ = nullptr;
    }
}

void HeadlessInput::disconnect(HeadlessMouse* mouse) {
    if (mouse_ == mouse) {
        mouse_ = nullptr;
    }
}

void HeadlessInput::disconnect(std::size_t index, HeadlessJoystick* joystick) {
    if (index < joysticks_.size() && joysticks_[index].device == joystick) {
        joysticks_[index].device = nullptr;
    }
}

}  // namespace tidewell::platform::headless
