#pragma once

#include "input/InputManager.h"

// The first joystick, the only one the game plays and steers the pointer with.
namespace brinefall::FirstJoystick {

// Where it stands and which buttons it holds; null when no joystick is open, so that a
// pad pulled out leaves the ship and the pointer standing still.
const tidewell::InputManager::JoystickState* state();

}  // namespace brinefall::FirstJoystick
