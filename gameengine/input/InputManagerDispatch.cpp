// Dispatch: each queued event updates the polled state and reaches the root sprite, then
// the polled state is read afresh from the devices.

#include "core/Engine.h"
#include "input/InputManager.h"
#include "input/InputManagerInternal.h"
#include "core/MainLoop.h"
#include "display/Sprite.h"

namespace tidewell::InputManager::internal {

bool quitKeyEnabled = true;

namespace {

constexpr std::int32_t kMouseButtons = 4;
constexpr std::int32_t kJoystickButtons = 32;
constexpr std::int32_t kKeys = 256;

std::uint8_t pressedByte(bool pressed) { return pressed ? 0x80 : 0; }

bool isJoystick(std::int32_t index) {
    return index >= 0 && static_cast<std::uint32_t>(index) < joystickCount &&
           static_cast<std::size_t>(index) < joystickStates.size();
}

void updatePolledState(const InputEvent& event) {
    switch (event.kind) {
        case InputEvent::KeyDown:
        case InputEvent::KeyUp:
            if (event.key >= 0 && event.key < kKeys) {
                keyStates[event.key] = pressedByte(event.kind == InputEvent::KeyDown);
            }
            if (event.kind == InputEvent::KeyDown && event.key == quitKey && quitKeyEnabled) {
                MainLoop::requestQuit();
            }
            break;
        case InputEvent::MouseMove:
            mouseX = clampToWidth(event.x);
            mouseY = clampToHeight(event.y);
            break;
        case InputEvent::MouseButtonDown:
        case InputEvent::MouseButtonUp:
            if (event.mouseButton >= 0 && event.mouseButton < kMouseButtons) {
                mouseButtons[event.mouseButton] = pressedByte(event.kind == InputEvent::MouseButtonDown);
            }
            break;
        case InputEvent::JoystickMove:
            // During this event's handlers an axis carried as 0 reads as centred; the refresh
            // after the dispatch puts back where the stick stands.
            if (isJoystick(event.joystick)) {
                joystickStates[event.joystick].lX = event.joystickX;
                joystickStates[event.joystick].lY = event.joystickY;
            }
            break;
        case InputEvent::JoystickButtonDown:
        case InputEvent::JoystickButtonUp:
            if (isJoystick(event.joystick) && event.joystickButton >= 0 && event.joystickButton < kJoystickButtons) {
                joystickStates[event.joystick].rgbButtons[event.joystickButton] =
                    pressedByte(event.kind == InputEvent::JoystickButtonDown);
            }
            break;
        default:
            break;
    }
}

void deliver(Sprite& root, const InputEvent& event) {
    const bool flag = event.extra != 0;
    switch (event.kind) {
        case InputEvent::KeyDown:
            root.dispatchKeyDown(event.key, flag);
            break;
        case InputEvent::KeyUp:
            root.dispatchKeyUp(event.key, flag);
            break;
        case InputEvent::MouseMove:
            root.dispatchMouseMove(event.x, event.y, flag);
            break;
        case InputEvent::MouseButtonDown:
            root.dispatchMouseDown(event.x, event.y, event.mouseButton, flag);
            break;
        case InputEvent::MouseButtonUp:
            root.dispatchMouseUp(event.x, event.y, event.mouseButton, flag);
            break;
        case InputEvent::JoystickMove:
            root.dispatchJoystickMove(static_cast<float>(event.joystickX) * 0.001f,
                                      static_cast<float>(event.joystickY) * 0.001f, event.joystick, flag);
            break;
        case InputEvent::JoystickButtonDown:
            root.dispatchJoystickDown(event.joystickButton, event.joystick, flag);
            break;
        case InputEvent::JoystickButtonUp:
            root.dispatchJoystickUp(event.joystickButton, event.joystick, flag);
            break;
        default:
            break;
    }
}

// A state read that failed is tried once more after acquiring the device again.
template <typename Device, typename State>
bool readState(Device& device, State& state) {
    if (platform::succeeded(device.readState(state))) {
        return true;
    }
    return platform::succeeded(device.acquire()) && platform::succeeded(device.readState(state));
}

}  // namespace

void deliverQueue() {
    // A handler may queue more events (they are delivered in this pass too) or empty the
    // queue (the pass ends); each event is copied out before its handlers run.
    for (std::size_t index = 0; index < queue.size(); ++index) {
        const InputEvent event = queue[index];
        if (event.extra == 0) {
            updatePolledState(event);
        }
        // Read the root again for every event: a handler may have replaced the scene.
        if (Sprite* root = getRootSprite()) {
            deliver(*root, event);
        }
    }
    queue.clear();
}

// A joystick that cannot be had again leaves the ones after it as they were until the next frame.
void refreshPolledState() {
    if (devices.keyboard) {
        platform::KeyboardState keyboard;
        if (readState(*devices.keyboard, keyboard)) {
            std::copy(std::begin(keyboard.keys), std::end(keyboard.keys), std::begin(keyStates));
        }
    }
    if (devices.mouse) {
        MouseState mouse;
        if (readState(*devices.mouse, mouse)) {
            mouseState = mouse;
        }
    }
    for (std::size_t index = 0; index < devices.joysticks.size() && index < joystickStates.size(); ++index) {
        platform::JoystickDevice& joystick = *devices.joysticks[index];
        JoystickState state;
        if (platform::succeeded(joystick.poll()) && platform::succeeded(joystick.readState(state))) {
            joystickStates[index] = state;
            continue;
        }
        if (!platform::succeeded(joystick.acquire())) {
            break;
        }
        if (platform::succeeded(joystick.readState(state))) {
            joystickStates[index] = state;
        }
    }
}

}  // namespace tidewell::InputManager::internal
