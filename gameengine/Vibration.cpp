#include "Vibration.h"

#include "ErrorGeneric.h"
#include "InputManager.h"

namespace tidewell {
namespace {

constexpr const char* kModule = "gameengine\\Game Engine\\Vibration";

using platform::InputResult;

void check(InputResult result, int line) {
    if (!platform::succeeded(result)) {
        throw ErrorGeneric(kModule, line, static_cast<int>(result));
    }
}

// Failures of a gain change that mean the effect is unusable; any other one (a device that
// cannot change strength while it plays, say) leaves the old strength and is not an error.
bool gainFailureIsFatal(InputResult result) {
    return result == InputResult::IncompleteEffect || result == InputResult::EffectPlaying ||
           result == InputResult::NotInitialized || result == InputResult::InputLost ||
           result == InputResult::InvalidParam;
}

}  // namespace

Vibration::Vibration(float duration, float magnitude, float direction, std::int32_t joystick,
                     platform::JoystickDevice* device)
    : duration_(duration),
      direction_(direction),
      magnitude_(magnitude),
      effectiveMagnitude_(InputManager::getVibrationGain() * magnitude),
      joystick_(joystick) {
    setDevice(device);
}

Vibration::~Vibration() { releaseEffect(); }

void Vibration::setDevice(platform::JoystickDevice* device) {
    if (device == nullptr) {
        throw ErrorGeneric(kModule, 41, 0);
    }
    device_ = device;
    forceFeedback_ = joystick_ >= 0 && static_cast<std::uint32_t>(joystick_) < InputManager::joystickCount &&
                     static_cast<std::size_t>(joystick_) < InputManager::joystickForceFeedback.size() &&
                     InputManager::joystickForceFeedback[static_cast<std::size_t>(joystick_)] != 0;
}

std::int32_t Vibration::level() const { return static_cast<std::int32_t>(effectiveMagnitude_ * 10000.0f); }

platform::ConstantForce Vibration::force() const {
    platform::ConstantForce force;
    force.direction = static_cast<std::int32_t>(direction_ * 100.0f);
    force.level = level();
    force.lengthMicroseconds =
        duration_ > 0.0f ? static_cast<std::uint32_t>(duration_ * 1000000.0f) : platform::ConstantForce::kInfinite;
    force.gain = 10000;
    return force;
}

void Vibration::createEffect() {
    if (forceFeedback_) {
        if (device_ == nullptr) {
            throw ErrorGeneric(kModule, 233, 0);
        }
        InputResult result = InputResult::Failed;
        effect_ = device_->createConstantForce(force(), result);
        if (!effect_) {
            throw ErrorGeneric(kModule, 273,
                               static_cast<int>(platform::succeeded(result) ? InputResult::Failed : result));
        }
    }
    applyGain();
    effectCreated_ = true;
}

void Vibration::releaseEffect() {
    effect_.reset();
    effectCreated_ = false;
}

void Vibration::recreateEffect() {
    releaseEffect();
    createEffect();
}

void Vibration::play() {
    if (!forceFeedback_) {
        return;
    }
    if (!effect_) {
        createEffect();
        if (!effect_) {
            throw ErrorGeneric(kModule, 88, 0);
        }
    }
    if (platform::succeeded(effect_->start())) {
        return;
    }
    // A device acquired again may have dropped its effects: try once more on a new one.
    recreateEffect();
    check(effect_->start(), 98);
}

void Vibration::stop() {
    if (forceFeedback_ && effect_) {
        check(effect_->stop(), 113);
    }
}

void Vibration::applyGain() {
    effectiveMagnitude_ = InputManager::getVibrationGain() * magnitude_;
    if (!effect_) {
        return;
    }
    const InputResult result = effect_->setLevel(level());
    if (gainFailureIsFatal(result)) {
        throw ErrorGeneric(kModule, 216, static_cast<int>(result));
    }
}

}  // namespace tidewell
