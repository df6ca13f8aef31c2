#include "frontend/PointerSteering.h"

#include "ControlBindings.h"
#include "FirstJoystick.h"
#include "ScanCodes.h"
#include "input/InputManager.h"

namespace brinefall::PointerSteering {
namespace {

using namespace tidewell;

// -1, 0 or +1 for the lean of a joystick axis.
int leanOf(std::int32_t axis) {
    const double lean = axis * 0.001;
    if (lean < 0) return -1;
    if (lean > 0) return 1;
    return 0;
}

}  // namespace

void steer() {
    const ControlBindings& keys = ControlBindings::inForce();
    int dy = keys.isHeld(Action::Up) ? -kStep : (keys.isHeld(Action::Down) ? kStep : 0);
    const int dx = keys.isHeld(Action::Left) ? -kStep : (keys.isHeld(Action::Right) ? kStep : 0);
    if (const InputManager::JoystickState* stick = FirstJoystick::state()) {
        if (const int vertical = leanOf(stick->lY); vertical != 0) dy = vertical * kStep;
        // A sideways lean takes the horizontal step over from the keys.
        if (const int horizontal = leanOf(stick->lX); horizontal != 0) {
            InputManager::moveMouse(horizontal * kStep, dy);
            return;
        }
    }
    if (dx != 0 || dy != 0) InputManager::moveMouse(dx, dy);
}

bool clicksPointer(int key) {
    const ControlBindings& keys = ControlBindings::inForce();
    return key == kKeyEnter || keys.isKeyOf(Action::Fire, key) || keys.isKeyOf(Action::Pause, key);
}

void click() {
    InputManager::pressMouseButton(0);
    InputManager::releaseMouseButton(0);
}

}  // namespace brinefall::PointerSteering
