// The input manager's devices: opening the keyboard, the mouse and every attached
// joystick as the game expects them set up, closing them, and reading what they buffered.

#include <algorithm>
#include <cstdio>

#include "core/ErrorGeneric.h"
#include "input/InputJournal.h"
#include "input/InputManager.h"
#include "input/InputManagerInternal.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"

namespace tidewell::InputManager::internal {

Devices devices;

namespace {

using platform::InputDatum;
using platform::InputResult;

constexpr int kLineCreateKeyboard = 518;
constexpr int kLineKeyboardBufferSize = 542;
constexpr int kLineAcquireKeyboard = 548;
constexpr int kLineDiscardKeyboard = 561;
constexpr int kLineReadKeyboard = 567;
constexpr int kLineCreateMouse = 605;
constexpr int kLineMouseBufferSize = 637;
constexpr int kLineAcquireMouse = 643;
constexpr int kLineDiscardMouse = 656;
constexpr int kLineReadMouse = 662;
constexpr int kLineEnumerateJoysticks = 728;
constexpr int kLineDiscardJoystick = 783;
constexpr int kLineReadJoystick = 789;
constexpr int kLineCreateJoystick = 842;
constexpr int kLineJoystickRangeX = 868;
constexpr int kLineJoystickRangeY = 876;
constexpr int kLineJoystickDeadZoneX = 890;
constexpr int kLineJoystickDeadZoneY = 898;
constexpr int kLineJoystickBufferSize = 911;
constexpr int kLineAcquireJoystick = 927;

constexpr std::size_t kMostJoysticks = 128;
constexpr std::int32_t kAxisEnd = 1000;
constexpr std::uint32_t kDeadZone = 1000;  // ten-thousandths: 10 %

bool systemCursorShown = true;
// Room for the largest buffer of any device, made when the devices are opened.
std::vector<InputDatum> readStorage;

void makeReadStorage() {
    const std::size_t largest = std::max({std::size_t{1}, std::size_t{keyboardBufferSize}, std::size_t{mouseBufferSize},
                                          std::size_t{joystickBufferSize}});
    if (readStorage.size() < largest) {
        readStorage.resize(largest);
    }
}

void discardBuffered(platform::InputDevice& device, std::size_t size, int line) {
    std::size_t count = 0;
    check(device.readBuffered(readStorage.data(), std::min(std::max<std::size_t>(size, 1), readStorage.size()), count),
          line);
}

void createKeyboard() {
    InputResult result = InputResult::Failed;
    auto keyboard = inputDevices().createKeyboard(result);
    if (!keyboard) {
        throw ErrorGeneric(kModule, kLineCreateKeyboard, static_cast<int>(result));
    }
    check(keyboard->setBufferSize(keyboardBufferSize), kLineKeyboardBufferSize);
    check(keyboard->acquire(), kLineAcquireKeyboard);
    discardBuffered(*keyboard, keyboardBufferSize, kLineDiscardKeyboard);
    platform::KeyboardState unused;
    check(keyboard->readState(unused), kLineReadKeyboard);  // keyStates is first filled by the frame's refresh
    devices.keyboard = std::move(keyboard);
}

void createMouse() {
    InputResult result = InputResult::Failed;
    auto mouse = inputDevices().createMouse(result);
    if (!mouse) {
        throw ErrorGeneric(kModule, kLineCreateMouse, static_cast<int>(result));
    }
    check(mouse->setBufferSize(mouseBufferSize), kLineMouseBufferSize);
    check(mouse->acquire(), kLineAcquireMouse);
    discardBuffered(*mouse, mouseBufferSize, kLineDiscardMouse);
    MouseState unused;
    check(mouse->readState(unused), kLineReadMouse);
    devices.mouse = std::move(mouse);
    // Full screen the mouse is the game's alone and only its motion counts; in a window the
    // pointer follows the system cursor, which starts under it and is hidden over the picture.
    if (platform::Window* window = WindowManager::getWindow()) {
        window->setRelativeMouseMode(WindowManager::isFullScreen());
        window->moveSystemCursor(static_cast<int>(mouseX), static_cast<int>(mouseY));
        window->showSystemCursor(false);
        systemCursorShown = false;
    }
}

// How a joystick that cannot be set up is taken: at start-up and at a device reset it stops
// the program, since the player would not know why it does nothing; one plugged in during
// play is left out with a note, since the game must go on (and it may be gone already).
enum class BrokenJoystick { Stops, LeftOut };

std::unique_ptr<platform::JoystickDevice> createJoystick(const platform::JoystickInstance& instance) {
    InputResult result = InputResult::Failed;
    auto joystick = inputDevices().createJoystick(instance, result);
    if (!joystick) {
        throw ErrorGeneric(kModule, kLineCreateJoystick, static_cast<int>(result));
    }
    check(joystick->setAxisRange(platform::JoystickAxis::X, -kAxisEnd, kAxisEnd), kLineJoystickRangeX);
    check(joystick->setAxisRange(platform::JoystickAxis::Y, -kAxisEnd, kAxisEnd), kLineJoystickRangeY);
    check(joystick->setDeadZone(platform::JoystickAxis::X, kDeadZone), kLineJoystickDeadZoneX);
    check(joystick->setDeadZone(platform::JoystickAxis::Y, kDeadZone), kLineJoystickDeadZoneY);
    check(joystick->setBufferSize(joystickBufferSize), kLineJoystickBufferSize);
    joystick->setAutoCenter(false);  // a stick without a spring to switch off is just as good
    check(joystick->acquire(), kLineAcquireJoystick);
    return joystick;
}

// Opens one joystick and reads it once; null when it is left out.
std::unique_ptr<platform::JoystickDevice> openJoystick(const platform::JoystickInstance& instance,
                                                       JoystickState& state, BrokenJoystick broken) {
    try {
        auto joystick = createJoystick(instance);
        discardBuffered(*joystick, joystickBufferSize, kLineDiscardJoystick);
        check(joystick->readState(state), kLineReadJoystick);
        return joystick;
    } catch (const ErrorGeneric&) {
        if (broken == BrokenJoystick::Stops) {
            throw;
        }
        std::fprintf(stderr, "brinefall: the joystick \"%s\" was plugged in but cannot be opened; it is left out\n",
                     instance.name.c_str());
        return nullptr;
    }
}

void createJoysticks(BrokenJoystick broken) {
    std::vector<platform::JoystickInstance> found;
    if (!inputDevices().enumerateJoysticks(found)) {
        if (broken == BrokenJoystick::Stops) {
            throw ErrorGeneric(kModule, kLineEnumerateJoysticks, static_cast<int>(InputResult::Failed));
        }
        std::fprintf(stderr, "brinefall: the joysticks cannot be listed; the game goes on without them\n");
        found.clear();
    }
    if (found.size() > kMostJoysticks) {
        found.resize(kMostJoysticks);
    }
    std::vector<std::unique_ptr<platform::JoystickDevice>> made;
    std::vector<platform::JoystickInstance> opened;
    joystickStates.clear();
    for (const platform::JoystickInstance& instance : found) {
        JoystickState state;
        if (auto joystick = openJoystick(instance, state, broken)) {
            opened.push_back({instance.id, joystick->name()});
            made.push_back(std::move(joystick));
            joystickStates.push_back(state);
        }
    }
    joystickForceFeedback.assign(made.size(), 0);
    for (std::size_t index = 0; index < made.size(); ++index) {
        joystickForceFeedback[index] = made[index]->hasForceFeedback() ? 1 : 0;
    }
    devices.joysticks = std::move(made);
    joystickCount = static_cast<std::uint32_t>(devices.joysticks.size());
    InputJournal::noteJoysticks(opened, joystickForceFeedback);
}

void releaseJoysticks() {
    for (auto& joystick : devices.joysticks) {
        joystick->unacquire();
    }
    devices.joysticks.clear();
    joystickCount = 0;
    joystickStates.clear();
    joystickForceFeedback.clear();
}

}  // namespace

platform::InputDevices& inputDevices() { return platform::current().input(); }

void setSystemCursorShown(bool shown) {
    platform::Window* window = WindowManager::getWindow();
    if (window != nullptr && shown != systemCursorShown) {
        window->showSystemCursor(shown);
        systemCursorShown = shown;
    }
}

void forgetSystemCursor() { systemCursorShown = true; }

void createDevices() {
    makeReadStorage();
    createKeyboard();
    createMouse();
    createJoysticks(BrokenJoystick::Stops);
}

void followJoystickPlugging() {
    if (!inputDevices().joysticksChanged()) {
        return;
    }
    releaseVibrationEffects();
    releaseJoysticks();
    createJoysticks(BrokenJoystick::LeftOut);
    reserveQueue();
    giveVibrationsNewDevices();
}

void releaseDevices() {
    releaseJoysticks();
    if (devices.mouse) {
        devices.mouse->unacquire();
        devices.mouse.reset();
        if (platform::Window* window = WindowManager::getWindow()) {
            window->setRelativeMouseMode(false);
        }
        setSystemCursorShown(true);
    }
    if (devices.keyboard) {
        devices.keyboard->unacquire();
        devices.keyboard.reset();
    }
}

std::span<const InputDatum> readBuffered(platform::InputDevice& device, std::size_t size) {
    const std::size_t capacity = std::min(size, readStorage.size());
    std::size_t count = 0;
    InputResult result = device.readBuffered(readStorage.data(), capacity, count);
    if (result == InputResult::InputLost || result == InputResult::NotAcquired) {
        if (platform::succeeded(device.acquire())) {
            result = device.readBuffered(readStorage.data(), capacity, count);
        }
    }
    return {readStorage.data(), platform::succeeded(result) ? std::min(count, capacity) : 0};
}

}  // namespace tidewell::InputManager::internal

namespace tidewell::InputManager {

std::string joystickName(std::uint32_t index) {
    const auto& joysticks = internal::devices.joysticks;
    return index < joysticks.size() && joysticks[index] ? joysticks[index]->name() : std::string();
}

void releaseInjectedKey(std::uint8_t code) {
    keyStates[code] = 0;
    internal::inputDevices().injectKey(code, false);
}

}  // namespace tidewell::InputManager
