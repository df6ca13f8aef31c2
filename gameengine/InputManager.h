#pragma once

#include <cstdint>
#include <deque>
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

// The mouse as DirectInput reported it: relative movement and four button bytes.
struct MouseState {
    std::int32_t lX = 0;
    std::int32_t lY = 0;
    std::int32_t lZ = 0;
    std::uint8_t rgbButtons[4] = {}; // 0x80 while held
};
static_assert(sizeof(MouseState) == 16, "a mouse state is read as 16 bytes");

// One queued input event. Fields the kind does not use hold -1 for indexes and 0
// for coordinates.
struct InputEvent {
    enum Kind : std::int32_t {
        KeyDown = 1,
        KeyUp = 2,
        MouseMove = 3,
        MouseButtonDown = 4,
        MouseButtonUp = 5,
        JoystickMove = 6,
        JoystickButtonDown = 7,
        JoystickButtonUp = 8,
    };
    std::int32_t kind = 0;
    std::int32_t key = -1;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t mouseButton = -1;
    std::int32_t joystick = -1;
    std::int32_t joystickX = 0;
    std::int32_t joystickY = 0;
    std::int32_t joystickButton = -1;
    std::int32_t sequence = 0;
    std::int32_t extra = 0; // passed on as the dispatch flag; 0 for every event the devices make
};

// Configuration, fixed before start-up.
extern bool quitOnKey;      // a key-down of quitKey ends the main loop (the game switches it off)
extern std::int32_t quitKey; // scan code; 1 = Escape

// The pointer in logical screen pixels, always on the screen.
extern std::uint32_t mouseX;
extern std::uint32_t mouseY;
// Indexed by DirectInput scan code; 0x80 while the key is down.
extern std::uint8_t keyStates[256];
// The opened joysticks; joystickStates holds joystickCount entries.
extern std::uint32_t joystickCount;
extern std::vector<JoystickState> joystickStates;

extern MouseState mouseState;
// The mouse's button bytes, 0 left, 1 right, 2 middle, 3 fourth.
inline std::uint8_t* const mouseButtons = mouseState.rgbButtons;

// Places the pointer at the centre of the screen and opens the devices.
void start();
// Closes the devices and drops whatever is queued.
void stop();
// First frame step: takes what the devices buffered since the last frame into the
// queue (nothing while the program is inactive).
void gatherEvents();
// Second frame step: for each queued event, oldest first, updates the polled state
// and delivers it to the root sprite; then empties the queue.
void dispatchEvents();
// The program came back to the foreground: what was buffered in the background is
// gathered and thrown away, never delivered.
void onActivated();
// Adds an event at the end of the queue, as a device does when it is read.
void queueEvent(const InputEvent& event);
// Events waiting for the next dispatch.
std::size_t queuedEventCount();

// The mouse pointer, drawn by the graphics manager over every frame at (mouseX, mouseY).
// The built-in arrow is made at its first drawing, so that input alone needs no display.
extern bool pointerVisible;
void drawPointer();
// Frame 0 is the arrow, frame 1 the pointing hand's stand-in, an upward arrow.
void setCursorFrame(unsigned frame);
// Shows or hides the pointer (its opacity 255 or 0).
void setCursorVisible(bool visible);

// Back to the state before any device was read: the pointer in the middle of the
// screen, no key down and no joystick.
void resetPolledState();

} // namespace tidewell::InputManager
