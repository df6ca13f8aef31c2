#include "input/InputManager.h"

#include <algorithm>

#include "core/ErrorGeneric.h"
#include "input/InputManagerInternal.h"
#include "input/InputJournal.h"
#include "core/MainLoop.h"
#include "core/Screen.h"

// The manager's life and its two frame steps. The devices, the gathering of their data
// into the queue, the dispatch, the pointer and the vibrations each have a file of their
// own (InputManager*.cpp), sharing what InputManagerInternal.h declares.

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

namespace internal {

void check(platform::InputResult result, int line) {
    if (!platform::succeeded(result)) {
        throw ErrorGeneric(kModule, line, static_cast<int>(result));
    }
}

}  // namespace internal

namespace {

bool started = false;

}  // namespace

using namespace internal;

void start() {
    if (started) {
        return;
    }
    mouseX = screenWidth / 2;
    mouseY = screenHeight / 2;
    std::fill(std::begin(keyStates), std::end(keyStates), std::uint8_t{0});
    mouseState = MouseState{};
    queue.clear();
    forgetSystemCursor();
    createDevices();
    reserveQueue();
    createVibrationList();
    quitKeyEnabled = quitOnKey;
    started = true;
}

void stop() {
    deleteVibrations();  // every vibration, and with it every effect, before the devices
    releasePointer();
    releaseDevices();
    queue.clear();
    started = false;
}

bool isStarted() { return started; }

void gatherEvents() {
    if (started && MainLoop::isActive()) {
        // Only a frame's own input goes into a journal; what onActivated throws away does not.
        InputJournal::beginGathering(MainLoop::framesRun() + 1);
        gather(MainLoop::framesRun() + 1);
        InputJournal::endGathering();
    }
}

void dispatchEvents() {
    deliverQueue();
    if (started && MainLoop::isActive()) {
        refreshPolledState();
    }
}

void onActivated() {
    // Only what happened up to now: the next frame's own input is that frame's.
    if (started && MainLoop::isActive()) {
        gather(MainLoop::framesRun());
    }
    queue.clear();
}

void resetDevices() {
    if (!started) {
        return;
    }
    releaseVibrationEffects();
    releaseDevices();
    createDevices();
    reserveQueue();
    giveVibrationsNewDevices();
}

void queueEvent(const InputEvent& event) { queue.push_back(event); }

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
