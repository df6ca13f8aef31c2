#include "frontend/IdleWatch.h"

#include <algorithm>
#include <cstdlib>

#include "input/InputManager.h"

namespace brinefall {
namespace {

using namespace tidewell;

constexpr std::uint8_t kHeld = 0x80;
// A stick at rest may not read exactly 0; a lean past a fifth of its travel is a hand on it.
constexpr std::int32_t kStickRest = 200;

bool held(std::uint8_t button) { return (button & kHeld) != 0; }

}  // namespace

bool IdleWatch::tick() {
    const bool touched = heard_ || mouseOrPadTouched();
    heard_ = false;
    if (touched) {
        idleFrames_ = 0;
        return true;
    }
    ++idleFrames_;
    return false;
}

bool IdleWatch::mouseOrPadTouched() {
    const InputManager::MouseState& mouse = InputManager::mouseState;
    if (mouse.lX != 0 || mouse.lY != 0 || mouse.lZ != 0 || std::any_of(std::begin(mouse.rgbButtons), std::end(mouse.rgbButtons), held)) {
        return true;
    }
    return std::any_of(InputManager::joystickStates.begin(), InputManager::joystickStates.end(),
                       [](const InputManager::JoystickState& pad) {
                           return std::abs(pad.lX) > kStickRest || std::abs(pad.lY) > kStickRest ||
                                  std::any_of(std::begin(pad.rgbButtons), std::end(pad.rgbButtons), held);
                       });
}

}  // namespace brinefall
