#include "InputManager.h"

#include <algorithm>
#include <list>
#include <memory>

#include "Cursor.h"
#include "Engine.h"
#include "ErrorGeneric.h"
#include "ErrorNoMemory.h"
#include "MainLoop.h"
#include "PointerImage.h"
#include "Registry.h"
#include "Screen.h"
#include "Sprite.h"
#include "Vibration.h"
#include "WindowManager.h"
#include "platform/Platform.h"

namespace tidewell::InputManager {

std::uint32_t mouseBufferSize = 16;
std::uint32_t keyboardBufferSize = 16;
std::uint32_t joystickBufferSize = 64;
bool quitOnKey = true;
std::int32_t quitKey = 1;
bool pointerVisible = true;
MouseState mouseState;

std::uint32_t mouseX = screenWidth / 2;
std::uint32_t mouseY = screenHeight / 2;
std::uint8_t keyStates[256] = {};
std::uint32_t joystickCount = 0;
std::vector<JoystickState> joystickStates;
std::vector<std::uint8_t> joystickForceFeedback;

namespace {

using platform::InputDatum;
using platform::InputResult;

constexpr const char* kModule = "gameengine\\Game Engine\\InputManager";
constexpr std::size_t kMostJoysticks = 128;
constexpr std::int32_t kAxisEnd = 1000;
constexpr std::uint32_t kDeadZone = 1000;  // ten-thousandths: 10 %
constexpr std::int32_t kMouseButtons = 4;

struct Devices {
    std::unique_ptr<platform::KeyboardDevice> keyboard;
    std::unique_ptr<platform::MouseDevice> mouse;
    std::vector<std::unique_ptr<platform::JoystickDevice>> joysticks;
};

bool started = false;
bool quitKeyEnabled = true;  // quitOnKey as it was at start-up
Devices devices;
std::list<InputEvent> queue;
std::unique_ptr<Registry<Vibration>> vibrationList;
float vibrationGain = 1.0f;
float savedVibrationGain = 1.0f;
bool systemCursorShown = true;
std::unique_ptr<Cursor> pointer;
unsigned pointerFrame = 0;

// The built-in arrow is made at its first drawing, so that input alone needs no display.
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

platform::InputDevices& inputDevices() { return platform::current().input(); }

void check(InputResult result, int line) {
    if (!platform::succeeded(result)) {
        throw ErrorGeneric(kModule, line, static_cast<int>(result));
    }
}

std::uint8_t pressedByte(bool pressed) { return pressed ? 0x80 : 0; }

std::uint32_t clampToWidth(std::int64_t x) {
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(x, 0, screenWidth - 1));
}

std::uint32_t clampToHeight(std::int64_t y) {
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(y, 0, screenHeight - 1));
}

// ---- the devices ----

void discardBuffered(platform::InputDevice& device, std::size_t size, int line) {
    std::vector<InputDatum> scratch(std::max<std::size_t>(size, 1));
    std::size_t count = 0;
    check(device.readBuffered(scratch.data(), scratch.size(), count), line);
}

void setSystemCursorShown(bool shown) {
    platform::Window* window = WindowManager::getWindow();
    if (window != nullptr && shown != systemCursorShown) {
        window->showSystemCursor(shown);
        systemCursorShown = shown;
    }
}

void createKeyboard() {
    InputResult result = InputResult::Failed;
    auto keyboard = inputDevices().createKeyboard(result);
    if (!keyboard) {
        throw ErrorGeneric(kModule, 518, static_cast<int>(result));
    }
    check(keyboard->setBufferSize(keyboardBufferSize), 542);
    check(keyboard->acquire(), 548);
    discardBuffered(*keyboard, keyboardBufferSize, 561);
    platform::KeyboardState unused;
    check(keyboard->readState(unused), 567);  // keyStates is first filled by the frame's refresh
    devices.keyboard = std::move(keyboard);
}

void createMouse() {
    InputResult result = InputResult::Failed;
    auto mouse = inputDevices().createMouse(result);
    if (!mouse) {
        throw ErrorGeneric(kModule, 605, static_cast<int>(result));
    }
    check(mouse->setBufferSize(mouseBufferSize), 637);
    check(mouse->acquire(), 643);
    discardBuffered(*mouse, mouseBufferSize, 656);
    MouseState unused;
    check(mouse->readState(unused), 662);
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

std::unique_ptr<platform::JoystickDevice> createJoystick(const platform::JoystickInstance& instance) {
    InputResult result = InputResult::Failed;
    auto joystick = inputDevices().createJoystick(instance, result);
    if (!joystick) {
        throw ErrorGeneric(kModule, 842, static_cast<int>(result));
    }
    check(joystick->setAxisRange(platform::JoystickAxis::X, -kAxisEnd, kAxisEnd), 868);
    check(joystick->setAxisRange(platform::JoystickAxis::Y, -kAxisEnd, kAxisEnd), 876);
    check(joystick->setDeadZone(platform::JoystickAxis::X, kDeadZone), 890);
    check(joystick->setDeadZone(platform::JoystickAxis::Y, kDeadZone), 898);
    check(joystick->setBufferSize(joystickBufferSize), 911);
    joystick->setAutoCenter(false);  // a stick without a spring to switch off is just as good
    check(joystick->acquire(), 927);
    return joystick;
}

void createJoysticks() {
    std::vector<platform::JoystickInstance> found;
    if (!inputDevices().enumerateJoysticks(found)) {
        throw ErrorGeneric(kModule, 728, static_cast<int>(InputResult::Failed));
    }
    if (found.size() > kMostJoysticks) {
        found.resize(kMostJoysticks);
    }
    // One broken joystick stops start-up: the player would not know why it does nothing.
    std::vector<std::unique_ptr<platform::JoystickDevice>> made;
    for (const platform::JoystickInstance& instance : found) {
        made.push_back(createJoystick(instance));
    }
    joystickStates.assign(made.size(), JoystickState{});
    joystickForceFeedback.assign(made.size(), 0);
    for (std::size_t index = 0; index < made.size(); ++index) {
        discardBuffered(*made[index], joystickBufferSize, 783);
        check(made[index]->readState(joystickStates[index]), 789);
        joystickForceFeedback[index] = made[index]->hasForceFeedback() ? 1 : 0;
    }
    devices.joysticks = std::move(made);
    joystickCount = static_cast<std::uint32_t>(devices.joysticks.size());
}

void createDevices() {
    createKeyboard();
    createMouse();
    createJoysticks();
}

void releaseDevices() {
    for (auto& joystick : devices.joysticks) {
        joystick->unacquire();
    }
    devices.joysticks.clear();
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
    joystickCount = 0;
    joystickStates.clear();
    joystickForceFeedback.clear();
}

// What a device buffered; a device taken away is acquired again and read once more, and
// one that still cannot be read gives nothing this frame.
std::vector<InputDatum> readBuffered(platform::InputDevice& device, std::size_t size) {
    std::vector<InputDatum> data(size);
    std::size_t count = 0;
    InputResult result = device.readBuffered(data.data(), data.size(), count);
    if (result == InputResult::InputLost || result == InputResult::NotAcquired) {
        if (platform::succeeded(device.acquire())) {
            result = device.readBuffered(data.data(), data.size(), count);
        }
    }
    data.resize(platform::succeeded(result) ? count : 0);
    return data;
}

// A state read that failed is tried once more after acquiring the device again.
template <typename Device, typename State>
bool readState(Device& device, State& state) {
    if (platform::succeeded(device.readState(state))) {
        return true;
    }
    return platform::succeeded(device.acquire()) && platform::succeeded(device.readState(state));
}

// ---- gathering ----

InputEvent makeEvent(InputEvent::Kind kind, std::uint32_t sequence) {
    InputEvent event;
    event.kind = kind;
    event.sequence = static_cast<std::int32_t>(sequence);
    return event;
}

// Sequence numbers wrap around; the signed difference still tells which came first.
bool earlier(std::int32_t first, std::int32_t second) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(first) - static_cast<std::uint32_t>(second)) < 0;
}

// Both the queue and the batch are in order. A batch event goes before the first queued
// event that came after it; events of the same moment stay behind those already queued.
void mergeIntoQueue(const std::vector<InputEvent>& batch) {
    auto place = queue.begin();
    auto next = batch.begin();
    while (place != queue.end() && next != batch.end()) {
        if (earlier(next->sequence, place->sequence)) {
            queue.insert(place, *next);
            ++next;
        } else {
            ++place;
        }
    }
    queue.insert(queue.end(), next, batch.end());
}

std::vector<InputEvent> keyEvents(const std::vector<InputDatum>& data) {
    std::vector<InputEvent> events;
    for (const InputDatum& datum : data) {
        InputEvent event =
            makeEvent((datum.value & 0x80) != 0 ? InputEvent::KeyDown : InputEvent::KeyUp, datum.sequence);
        event.key = static_cast<std::int32_t>(datum.offset);
        events.push_back(event);
    }
    return events;
}

std::vector<InputEvent> mouseEvents(const std::vector<InputDatum>& data) {
    std::vector<InputEvent> events;
    std::int64_t runningX = mouseX;
    std::int64_t runningY = mouseY;
    for (const InputDatum& datum : data) {
        const auto delta = static_cast<std::int32_t>(datum.value);
        if (datum.offset == platform::mouseOffset::x || datum.offset == platform::mouseOffset::y) {
            if (datum.offset == platform::mouseOffset::x) {
                runningX = clampToWidth(runningX + delta);
            } else {
                runningY = clampToHeight(runningY + delta);
            }
            // X and Y reported together are one move.
            const bool sameReport = !events.empty() && events.back().kind == InputEvent::MouseMove &&
                                    events.back().sequence == static_cast<std::int32_t>(datum.sequence);
            if (!sameReport) {
                events.push_back(makeEvent(InputEvent::MouseMove, datum.sequence));
            }
            events.back().x = static_cast<std::int32_t>(runningX);
            events.back().y = static_cast<std::int32_t>(runningY);
        } else if (datum.offset >= platform::mouseOffset::button0 &&
                   datum.offset < platform::mouseOffset::button0 + 3) {
            InputEvent event = makeEvent(
                (datum.value & 0x80) != 0 ? InputEvent::MouseButtonDown : InputEvent::MouseButtonUp, datum.sequence);
            event.mouseButton = static_cast<std::int32_t>(datum.offset - platform::mouseOffset::button0);
            event.x = static_cast<std::int32_t>(runningX);
            event.y = static_cast<std::int32_t>(runningY);
            events.push_back(event);
        }
        // The wheel and the fourth button make no events.
    }
    return events;
}

std::vector<InputEvent> joystickEvents(std::int32_t joystick, const std::vector<InputDatum>& data) {
    std::vector<InputEvent> events;
    for (const InputDatum& datum : data) {
        const auto value = static_cast<std::int32_t>(datum.value);
        if (datum.offset == platform::joystickOffset::x || datum.offset == platform::joystickOffset::y) {
            // An axis alone carries 0 for the other one; X and Y of one report make one move.
            const bool sameReport = !events.empty() && events.back().kind == InputEvent::JoystickMove &&
                                    events.back().sequence == static_cast<std::int32_t>(datum.sequence);
            if (!sameReport) {
                InputEvent event = makeEvent(InputEvent::JoystickMove, datum.sequence);
                event.joystick = joystick;
                events.push_back(event);
            }
            (datum.offset == platform::joystickOffset::x ? events.back().joystickX : events.back().joystickY) = value;
        } else if (datum.offset >= platform::joystickOffset::button0 &&
                   datum.offset < platform::joystickOffset::button0 + 32) {
            InputEvent event =
                makeEvent((datum.value & 0x80) != 0 ? InputEvent::JoystickButtonDown : InputEvent::JoystickButtonUp,
                          datum.sequence);
            event.joystick = joystick;
            event.joystickButton = static_cast<std::int32_t>(datum.offset - platform::joystickOffset::button0);
            events.push_back(event);
        }
    }
    return events;
}

// A handler sees at most one move per run of moves: the last, where the device ended up.
// Moves of two joysticks are not one run: each joystick keeps its own last move.
void collapseMoves() {
    auto sameRun = [](const InputEvent& first, const InputEvent& second) {
        if (first.kind != second.kind) {
            return false;
        }
        return first.kind == InputEvent::MouseMove ||
               (first.kind == InputEvent::JoystickMove && first.joystick == second.joystick);
    };
    for (auto event = queue.begin(); event != queue.end();) {
        const auto next = std::next(event);
        if (next != queue.end() && sameRun(*event, *next)) {
            event = queue.erase(event);
        } else {
            event = next;
        }
    }
}

bool isMouseEvent(const InputEvent& event) {
    return event.kind == InputEvent::MouseMove || event.kind == InputEvent::MouseButtonDown ||
           event.kind == InputEvent::MouseButtonUp;
}

// In a window the pointer is where the system cursor is; outside the picture the system
// cursor shows itself, so the player sees where the mouse went.
void followSystemCursor() {
    const auto lastMove = std::find_if(queue.rbegin(), queue.rend(),
                                       [](const InputEvent& event) { return event.kind == InputEvent::MouseMove; });
    platform::Window* window = WindowManager::getWindow();
    if (lastMove == queue.rend() || window == nullptr) {
        return;
    }
    int x = 0;
    int y = 0;
    window->cursorPosition(x, y);
    const bool outside = x < 0 || y < 0 || x >= static_cast<int>(screenWidth) || y >= static_cast<int>(screenHeight);
    setSystemCursorShown(outside);
    mouseX = clampToWidth(x);
    mouseY = clampToHeight(y);
    for (auto event = std::prev(lastMove.base()); event != queue.end(); ++event) {
        if (isMouseEvent(*event)) {
            event->x = static_cast<std::int32_t>(mouseX);
            event->y = static_cast<std::int32_t>(mouseY);
        }
    }
}

// Everything the devices buffered up to the start of the given frame, into the queue.
void gather(std::uint64_t frame) {
    if (!started || !MainLoop::isActive()) {
        return;
    }
    inputDevices().collect(frame);
    if (devices.keyboard) {
        mergeIntoQueue(keyEvents(readBuffered(*devices.keyboard, keyboardBufferSize)));
    }
    if (devices.mouse) {
        mergeIntoQueue(mouseEvents(readBuffered(*devices.mouse, mouseBufferSize)));
    }
    for (std::size_t index = 0; index < devices.joysticks.size(); ++index) {
        mergeIntoQueue(joystickEvents(static_cast<std::int32_t>(index),
                                      readBuffered(*devices.joysticks[index], joystickBufferSize)));
    }
    collapseMoves();
    if (!WindowManager::isFullScreen()) {
        followSystemCursor();
    }
}

// ---- dispatching ----

bool isJoystick(std::int32_t index) {
    return index >= 0 && static_cast<std::uint32_t>(index) < joystickCount &&
           static_cast<std::size_t>(index) < joystickStates.size();
}

void updatePolledState(const InputEvent& event) {
    switch (event.kind) {
        case InputEvent::KeyDown:
        case InputEvent::KeyUp:
            if (event.key >= 0 && event.key < 256) {
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

// The polled state from the devices themselves. A joystick that cannot be had again
// leaves the ones after it as they were until the next frame.
void refreshPolledState() {
    if (!started || !MainLoop::isActive()) {
        return;
    }
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

void deliverNow(const InputEvent& event) {
    if (Sprite* root = getRootSprite()) {
        deliver(*root, event);
    }
}

template <typename Action>
void forEachVibration(Action action) {
    if (!vibrationList) {
        return;
    }
    for (auto* node = vibrationList->list().getFirst(); node != nullptr; node = node->getNext()) {
        action(*node->value);
    }
}

}  // namespace

void start() {
    if (started) {
        return;
    }
    mouseX = screenWidth / 2;
    mouseY = screenHeight / 2;
    std::fill(std::begin(keyStates), std::end(keyStates), std::uint8_t{0});
    mouseState = MouseState{};
    queue.clear();
    systemCursorShown = true;
    createDevices();
    try {
        vibrationList = std::make_unique<Registry<Vibration>>();
    } catch (const std::bad_alloc&) {
        throw ErrorNoMemory();
    }
    vibrationGain = 1.0f;
    savedVibrationGain = 1.0f;
    quitKeyEnabled = quitOnKey;
    started = true;
}

void stop() {
    vibrationList.reset();  // every vibration, and with it every effect, before the devices
    pointer.reset();
    releaseDevices();
    queue.clear();
    started = false;
}

bool isStarted() { return started; }

void gatherEvents() { gather(MainLoop::framesRun() + 1); }

void dispatchEvents() {
    while (!queue.empty()) {
        const InputEvent event = queue.front();
        queue.pop_front();
        if (event.extra == 0) {
            updatePolledState(event);
        }
        // Read the root again for every event: a handler may have replaced the scene.
        deliverNow(event);
    }
    refreshPolledState();
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
    // Only what happened up to now: the next frame's own input is that frame's.
    gather(MainLoop::framesRun());
    queue.clear();
}

void resetDevices() {
    if (!started) {
        return;
    }
    forEachVibration([](Vibration& vibration) { vibration.releaseEffect(); });
    releaseDevices();
    createDevices();
    if (vibrationList->size() > 0 && joystickCount == 0) {
        throw ErrorGeneric(kModule, 1629, 0);
    }
    forEachVibration([](Vibration& vibration) {
        const std::int32_t joystick = vibration.getJoystick();
        if (joystick < 0 || static_cast<std::uint32_t>(joystick) >= joystickCount) {
            throw ErrorGeneric(kModule, 1633, 0);
        }
        vibration.setDevice(devices.joysticks[static_cast<std::size_t>(joystick)].get());
    });
}

void setMousePosition(std::uint32_t x, std::uint32_t y) {
    mouseX = x < screenWidth ? x : screenWidth - 1;
    mouseY = y < screenHeight ? y : screenHeight - 1;
    if (Sprite* root = getRootSprite()) {
        root->dispatchMouseMove(static_cast<int>(mouseX), static_cast<int>(mouseY), false);
    }
}

void moveMouse(std::int32_t dx, std::int32_t dy) {
    const std::int64_t x = std::max<std::int64_t>(0, static_cast<std::int64_t>(mouseX) + dx);
    const std::int64_t y = std::max<std::int64_t>(0, static_cast<std::int64_t>(mouseY) + dy);
    // Anything beyond the screen is clamped there by setMousePosition.
    setMousePosition(static_cast<std::uint32_t>(std::min<std::int64_t>(x, screenWidth)),
                     static_cast<std::uint32_t>(std::min<std::int64_t>(y, screenHeight)));
}

void pressMouseButton(std::int32_t button) {
    if (button < 0 || button >= kMouseButtons) {
        return;
    }
    mouseButtons[button] = 0x80;
    if (Sprite* root = getRootSprite()) {
        root->dispatchMouseDown(static_cast<int>(mouseX), static_cast<int>(mouseY), button, false);
    }
}

void releaseMouseButton(std::int32_t button) {
    if (button < 0 || button >= kMouseButtons) {
        return;
    }
    mouseButtons[button] = 0;
    if (Sprite* root = getRootSprite()) {
        root->dispatchMouseUp(static_cast<int>(mouseX), static_cast<int>(mouseY), button, false);
    }
}

Vibration* createVibration(float duration, float magnitude, float direction, std::int32_t joystick, bool createNow) {
    if (joystick < 0 || static_cast<std::uint32_t>(joystick) >= joystickCount) {
        return nullptr;
    }
    if (!vibrationList) {
        start();
    }
    if (!vibrationList) {
        throw ErrorGeneric(kModule, 275, 0);
    }
    return vibrationList->retain(
        [&](const Vibration& listed) {
            return listed.getDuration() == duration && listed.getMagnitude() == magnitude &&
                   listed.getDirection() == direction && listed.getJoystick() == joystick;
        },
        [&] {
            if (static_cast<std::size_t>(joystick) >= devices.joysticks.size()) {
                throw ErrorGeneric(kModule, 290, 0);
            }
            std::unique_ptr<Vibration> made;
            try {
                made = std::make_unique<Vibration>(duration, magnitude, direction, joystick,
                                                   devices.joysticks[static_cast<std::size_t>(joystick)].get());
            } catch (const std::bad_alloc&) {
                throw ErrorNoMemory();
            }
            if (createNow) {
                made->createEffect();
            }
            return made.release();
        });
}

void releaseVibration(Vibration* vibration) {
    if (vibration == nullptr) {
        return;
    }
    if (!vibrationList || !vibrationList->release(vibration)) {
        delete vibration;  // not one of ours: it goes at once
    }
}

void setVibrationGain(float gain) {
    vibrationGain = gain;
    savedVibrationGain = gain;
    forEachVibration([](Vibration& vibration) { vibration.applyGain(); });
}

float getVibrationGain() { return vibrationGain; }

void pauseVibration() {
    if (savedVibrationGain != vibrationGain) {
        return;  // already paused: keep the gain saved the first time
    }
    const float before = vibrationGain;
    setVibrationGain(0.0f);
    savedVibrationGain = before;
}

void resumeVibration() { setVibrationGain(savedVibrationGain); }

unsigned long vibrationHolders(const Vibration* vibration) {
    return vibrationList ? vibrationList->count(vibration) : 0;
}

void queueEvent(const InputEvent& event) { queue.push_back(event); }

std::size_t queuedEventCount() { return queue.size(); }

void resetPolledState() {
    mouseX = screenWidth / 2;
    mouseY = screenHeight / 2;
    std::fill(std::begin(keyStates), std::end(keyStates), std::uint8_t{0});
    joystickCount = 0;
    joystickStates.clear();
    joystickForceFeedback.clear();
    mouseState = MouseState{};
}

}  // namespace tidewell::InputManager
