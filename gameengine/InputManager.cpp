#include "InputManager.h"

#include "Screen.h"

#include <algorithm>

namespace tidewell::InputManager {

std::uint32_t mouseX = screenWidth / 2;
std::uint32_t mouseY = screenHeight / 2;
std::uint8_t keyStates[256] = {};
std::uint32_t joystickCount = 0;
std::vector<JoystickState> joystickStates;

void resetPolledState() {
    mouseX = screenWidth / 2;
    mouseY = screenHeight / 2;
    std::fill(std::begin(keyStates), std::end(keyStates), std::uint8_t{0});
    joystickCount = 0;
    joystickStates.clear();
}

} // namespace tidewell::InputManager
