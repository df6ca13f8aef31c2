#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/InputDevices.h"

namespace tidewell {
class Vibration;
}

// The keyboard, the mouse and every attached joystick. Once a frame the manager reads
// what each device buffered since the last frame, merges it into one queue of events in
// the order they happened, delivers each to the root sprite, and then refreshes the
// polled state (which keys are down, where the mouse is, where each joystick stands)
// that game code reads during its update. It also owns the mouse pointer and the
// force-feedback effects (Vibration).
namespace tidewell::InputManager {

// A joystick as its device reports it (the 80-byte layout); X and Y run from -1000 to 1000.
using JoystickState = platform::JoystickState;
// The mouse as its device reports it: relative movement and four button bytes.
using MouseState = platform::MouseState;

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
    std::int32_t extra = 0;  // passed on as the dispatch flag; 0 for every event the devices make
};

// Configuration, fixed before start-up.
extern std::uint32_t mouseBufferSize;     // mouse data kept between frames (16)
extern std::uint32_t keyboardBufferSize;  // keyboard data kept between frames (16)
extern std::uint32_t joystickBufferSize;  // data each joystick keeps between frames (64)
extern bool quitOnKey;                    // a key-down of quitKey ends the main loop (the game switches it off)
extern std::int32_t quitKey;              // scan code; 1 = Escape
extern bool pointerVisible;               // whether the pointer is shown

// The pointer in logical screen pixels, always on the screen; the centre at start.
extern std::uint32_t mouseX;
extern std::uint32_t mouseY;
// Indexed by DirectInput scan code; 0x80 while the key is down.
extern std::uint8_t keyStates[256];
// The joysticks opened at start-up (or at the last device reset); the two tables hold
// joystickCount entries each. A force-feedback byte is 1 when the joystick can vibrate.
extern std::uint32_t joystickCount;
extern std::vector<JoystickState> joystickStates;
extern std::vector<std::uint8_t> joystickForceFeedback;

// The product name of an opened joystick; empty when there is no such joystick.
std::string joystickName(std::uint32_t index);

extern MouseState mouseState;
// The mouse's button bytes, 0 left, 1 right, 2 middle, 3 fourth.
inline std::uint8_t* const mouseButtons = mouseState.rgbButtons;

// Places the pointer at the centre of the screen and opens the keyboard, the mouse and
// every attached joystick; a device that cannot be set up throws ErrorGeneric.
void start();
// Deletes every vibration and the pointer and closes the devices.
void stop();
// Vibrations registered now.
std::size_t vibrationCount();
bool isStarted();

// First frame step: takes what the devices buffered since the last frame into the
// queue, in the order it happened (nothing while the program is inactive).
void gatherEvents();
// Second frame step: for each queued event, oldest first, updates the polled state
// and delivers it to the root sprite; then empties the queue and refreshes the
// polled state from the devices.
void dispatchEvents();
// The program came back to the foreground: what was buffered in the background is
// gathered and thrown away, never delivered.
void onActivated();
// The window was made again in the other mode: every device is opened anew, and each
// vibration is given its joystick's new device; one whose joystick is no longer there
// does nothing until a later reset finds it.
void resetDevices();

// Moves the pointer (clamped to the screen) and at once delivers a mouse move.
void setMousePosition(std::uint32_t x, std::uint32_t y);
// Moves the pointer by (dx, dy), never past the top or left edge.
void moveMouse(std::int32_t dx, std::int32_t dy);
// Presses or releases mouse button 0 to 3 and at once delivers it at the pointer; other
// buttons are ignored. Keys and joystick buttons click this way.
void pressMouseButton(std::int32_t button);
void releaseMouseButton(std::int32_t button);

// A constant-force effect on a joystick: duration in seconds (0: endless), magnitude 0 to 1,
// direction in degrees. Null when there is no such joystick. Asking again with the same
// values gives the same object with one more holder; each holder releases it once.
Vibration* createVibration(float duration, float magnitude, float direction, std::int32_t joystick, bool createNow);
void releaseVibration(Vibration* vibration);
// Scales every effect: 1.0 normally, 0 while the program is in the background.
void setVibrationGain(float gain);
float getVibrationGain();
// Silences every effect, keeping the gain for resumeVibration; pausing again changes nothing.
void pauseVibration();
void resumeVibration();
// How many hold the vibration; 0 when it is not listed.
unsigned long vibrationHolders(const Vibration* vibration);

// A program playing the game lets go of a key it pressed through the devices' injection.
// The key reads as up at once, so nothing else run in this frame still sees it held; its
// key-up event comes with the next frame's input, as any key's does.
void releaseInjectedKey(std::uint8_t code);

// Adds an event at the end of the queue, as a device does when it is read.
void queueEvent(const InputEvent& event);

// The mouse pointer, drawn by the graphics manager over every frame at (mouseX, mouseY).
// The built-in arrow is made at its first drawing, so that input alone needs no display.
void drawPointer();
// Frame 0 is the arrow, frame 1 the pointing hand's stand-in, an upward arrow.
void setCursorFrame(unsigned frame);
// The pointer frame last set, whether or not the pointer has been drawn yet.
unsigned getCursorFrame();
// Shows or hides the pointer (its opacity 255 or 0).
void setCursorVisible(bool visible);

// Back to the state before any device was read: the pointer in the middle of the
// screen, no key down and no joystick.
void resetPolledState();

}  // namespace tidewell::InputManager
