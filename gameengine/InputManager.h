#pragma once

#include <cstdint>
#include <vector>

// The input devices' polled state, read by game code during its update: which keys
// are down, where the mouse pointer is and where each joystick stands. Only this
// module writes it.
namespace tidewell::InputManager {

// One joystick as DirectInput reported it (the 80-byte DIJOYSTATE layout), which
// the game reads field by field. X and Y run from -1000 to 1000.
struct JoystickState {
    std::int32_t lX = 0;
    std::int32_t lY = 0;
    std::int32_t lZ = 0;
    std::int32_t lRx = 0;
    std::int32_t lRy = 0;
    std::int32_t lRz = 0;
    std::int32_t rglSlider[2] = {};
    std::uint32_t rgdwPOV[4] = {};
    std::uint8_t rgbButtons[32] = {}; // 0x80 while held
};
static_assert(sizeof(JoystickState) == 80, "a joystick state is read as 80 bytes");

// The pointer in logical screen pixels, always on the screen.
extern std::uint32_t mouseX;
extern std::uint32_t mouseY;
// Indexed by DirectInput scan code; 0x80 while the key is down.
extern std::uint8_t keyStates[256];
// The opened joysticks; joystickStates holds joystickCount entries.
extern std::uint32_t joystickCount;
extern std::vector<JoystickState> joystickStates;

// Back to the state before any device was read: the pointer in the middle of the
// screen, no key down and no joystick.
void resetPolledState();

} // namespace tidewell::InputManager
