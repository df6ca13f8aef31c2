#pragma once

// What the input manager's source files share: the devices, the event queue and the
// steps each file runs for the others. Only InputManager*.cpp include it; the rest of the
// engine and the game see the manager through InputManager.h.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "input/InputManager.h"
#include "platform/InputDevices.h"

namespace tidewell::InputManager::internal {

inline constexpr const char* kModule = "gameengine\\Game Engine\\InputManager";

// Throws ErrorGeneric naming the call site when a device call failed.
void check(platform::InputResult result, int line);

// ---- the devices (InputManagerDevices.cpp) ----

struct Devices {
    std::unique_ptr<platform::KeyboardDevice> keyboard;
    std::unique_ptr<platform::MouseDevice> mouse;
    std::vector<std::unique_ptr<platform::JoystickDevice>> joysticks;
};
extern Devices devices;

platform::InputDevices& inputDevices();
// Opens the keyboard, the mouse and every attached joystick and fills the joystick tables.
void createDevices();
// Closes them all and empties the joystick tables.
void releaseDevices();
// Between frames: when a joystick was plugged in or pulled out, the joysticks are opened anew
// as a device reset opens them, and the vibrations are given their joysticks' new devices.
void followJoystickPlugging();
// What a device buffered; a device taken away is acquired again and read once more, and
// one that still cannot be read gives nothing this frame. The data stay valid until the
// next read: they live in storage kept from frame to frame.
std::span<const platform::InputDatum> readBuffered(platform::InputDevice& device, std::size_t size);
// Shows or hides the system cursor over the window, only when that changes anything.
void setSystemCursorShown(bool shown);
// The system cursor is shown until the mouse is opened.
void forgetSystemCursor();

// ---- gathering and merging (InputManagerGathering.cpp) ----

// The events of this frame, oldest first. Its storage is kept from frame to frame.
extern std::vector<InputEvent> queue;
// Everything the devices buffered up to the start of the given frame, into the queue.
void gather(std::uint64_t frame);
// Makes room for a frame with every device buffer full, so that play never grows it.
void reserveQueue();

// ---- dispatch (InputManagerDispatch.cpp) ----

// quitOnKey as it was at start-up.
extern bool quitKeyEnabled;
// Delivers every queued event, oldest first, and empties the queue.
void deliverQueue();
// The polled state from the devices themselves (only while active).
void refreshPolledState();

// ---- the pointer (InputManagerPointer.cpp) ----

std::uint32_t clampToWidth(std::int64_t x);
std::uint32_t clampToHeight(std::int64_t y);
// Deletes the pointer sprite; the next drawing makes it again.
void releasePointer();

// ---- the vibration registry (InputManagerVibrations.cpp) ----

// An empty registry at start-up, the gain at 1.
void createVibrationList();
// Every vibration, and with it every effect: before the devices close.
void deleteVibrations();
// Before the devices are rebuilt, every effect goes.
void releaseVibrationEffects();
// After they were rebuilt, each vibration is given its joystick's new device, or none.
void giveVibrationsNewDevices();

}  // namespace tidewell::InputManager::internal
