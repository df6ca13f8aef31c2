#include "InputManager.h"

#include "Cursor.h"
#include "Engine.h"
#include "MainLoop.h"
#include "PointerImage.h"
#include "Screen.h"
#include "Sprite.h"

#include <algorithm>
#include <memory>

namespace tidewell::InputManager {

bool quitOnKey = true;
std::int32_t quitKey = 1;
MouseState mouseState;

std::uint32_t mouseX = screenWidth / 2;
std::uint32_t mouseY = screenHeight / 2;
std::uint8_t keyStates[256] = {};
std::uint32_t joystickCount = 0;
std::vector<JoystickState> joystickStates;
bool pointerVisible = true;

namespace {

std::deque<InputEvent> queue;
std::unique_ptr<Cursor> pointer;
unsigned pointerFrame = 0;

Cursor& pointerSprite() {
    if (!pointer) {
        const std::vector<std::uint32_t> pixels = makePointerImage();
        pointer = std::make_unique<Cursor>(pixels.data(), pointerImageWidth, pointerImageHeight, 2, 1, 2);
        static const float hotSpotX[] = {0, 10};
        static const float hotSpotY[] = {0, 0};
        pointer->setHotSpots(hotSpotX, hotSpotY, 2);
        pointer->setPointerFrame(pointerFrame);
        pointer->setAlpha(pointerVisible ? 255 : 0);
    }
    return *pointer;
}

bool isJoystick(std::int32_t index) {
    return index >= 0 && static_cast<std::uint32_t>(index) < joystickCount &&
           static_cast<std::size_t>(index) < joystickStates.size();
}

std::uint8_t pressedByte(bool pressed) {
    return pressed ? 0x80 : 0;
}

void updatePolledState(const InputEvent& event) {
    switch (event.kind) {
    case InputEvent::KeyDown:
    case InputEvent::KeyUp:
        if (event.key >= 0 && event.key < 256) {
            keyStates[event.key] = pressedByte(event.kind == InputEvent::KeyDown);
        }
        if (event.kind == InputEvent::KeyDown && event.key == quitKey && quitOnKey) {
            MainLoop::requestQuit();
        }
        break;
    case InputEvent::MouseMove:
        mouseX = static_cast<std::uint32_t>(std::clamp<std::int32_t>(event.x, 0, screenWidth - 1));
        mouseY = static_cast<std::uint32_t>(std::clamp<std::int32_t>(event.y, 0, screenHeight - 1));
        break;
    case InputEvent::MouseButtonDown:
    case InputEvent::MouseButtonUp:
        if (event.mouseButton >= 0 && event.mouseButton < 4) {
            mouseButtons[event.mouseButton] = pressedByte(event.kind == InputEvent::MouseButtonDown);
        }
        break;
    case InputEvent::JoystickMove:
        if (isJoystick(event.joystick)) {
            joystickStates[event.joystick].lX = event.joystickX;
            joystickStates[event.joystick].lY = event.joystickY;
        }
        break;
    case InputEvent::JoystickButtonDown:
    case InputEvent::JoystickButtonUp:
        if (isJoystick(event.joystick) && event.joystickButton >= 0 && event.joystickButton < 32) {
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
    case InputEvent::KeyDown: root.dispatchKeyDown(event.key, flag); break;
    case InputEvent::KeyUp: root.dispatchKeyUp(event.key, flag); break;
    case InputEvent::MouseMove: root.dispatchMouseMove(event.x, event.y, flag); break;
    case InputEvent::MouseButtonDown: root.dispatchMouseDown(event.x, event.y, event.mouseButton, flag); break;
    case InputEvent::MouseButtonUp: root.dispatchMouseUp(event.x, event.y, event.mouseButton, flag); break;
    case InputEvent::JoystickMove:
        root.dispatchJoystickMove(static_cast<float>(event.joystickX) * 0.001f,
                                  static_cast<float>(event.joystickY) * 0.001f, event.joystick, flag);
        break;
    case InputEvent::JoystickButtonDown: root.dispatchJoystickDown(event.joystickButton, event.joystick, flag); break;
    case InputEvent::JoystickButtonUp: root.dispatchJoystickUp(event.joystickButton, event.joystick, flag); break;
    default: break;
    }
}

} // namespace

void start() {
    mouseX = screenWidth / 2;
    mouseY = screenHeight / 2;
    queue.clear();
}

void stop() {
    queue.clear();
    pointer.reset();
}

void gatherEvents() {
    // The devices add what they buffered through queueEvent as they are read.
}

void dispatchEvents() {
    while (!queue.empty()) {
        const InputEvent event = queue.front();
        queue.pop_front();
        if (event.extra == 0) {
            updatePolledState(event);
        }
        // Read the root again for every event: a handler may have replaced the scene.
        if (Sprite* root = getRootSprite()) {
            deliver(*root, event);
        }
    }
}

void drawPointer() {
    Cursor& sprite = pointerSprite();
    sprite.setPosition(static_cast<float>(mouseX), static_cast<float>(mouseY));
    sprite.draw();
}

void setCursorFrame(unsigned frame) {
    pointerFrame = frame;
    if (pointer) pointer->setPointerFrame(frame);
}

void setCursorVisible(bool visible) {
    pointerVisible = visible;
    if (pointer) pointer->setAlpha(visible ? 255 : 0);
}

void onActivated() {
    gatherEvents();
    queue.clear();
}

void queueEvent(const InputEvent& event) {
    queue.push_back(event);
}

std::size_t queuedEventCount() {
    return queue.size();
}

void resetPolledState() {
    mouseX = screenWidth / 2;
    mouseY = screenHeight / 2;
    std::fill(std::begin(keyStates), std::end(keyStates), std::uint8_t{0});
    joystickCount = 0;
    joystickStates.clear();
    mouseState = MouseState{};
}

} // namespace tidewell::InputManager
