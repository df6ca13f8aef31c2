#include "FirstJoystick.h"

namespace brinefall::FirstJoystick {

using tidewell::InputManager::joystickCount;
using tidewell::InputManager::joystickStates;

const tidewell::InputManager::JoystickState* state() {
    if (joystickCount == 0 || joystickStates.empty()) return nullptr;
    return &joystickStates[0];
}

}  // namespace brinefall::FirstJoystick
