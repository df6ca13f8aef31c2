#include "input/Vibration.h"

#include "core/ErrorGeneric.h"
#include "input/InputManager.h"

namespace tidewell {
namespace {

constexpr const char* kModule = "gameengine\\Game Engine\\Vibration";
constexpr int kLineNoDevice = 41;
constexpr int kLinePlayNoEffect = 88;
constexpr int kLineStartAgain = 98;
constexpr int kLineStop = 113;
constexpr int kLineSetGain = 216;
constexpr int kLineCreateNoDevice = 233;
constexpr int kLineCreateEffect = 273;

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
        throw ErrorGeneric(kModule, kLineNoDevice, 0);
    }
    device_ = device;
    joystickGone_ = false;
    forceFeedback_ = joystick_ >= 0 && static_cast<std::uint32_t>(joystick_) < InputManager::joystickCount &&
                     static_cast<std::size_t>(joystick_) < InputManager::joystickForceFeedback.size() &&
                     InputManager::joystickForceFeedback[static_cast<std::size_t>(joystick_)] != 0;
}

void Vibration::loseJoystick() {
    becomeInert();
    device_ = nullptr;
}

// Without its joystick the vibration is one without force feedback: every operation
// succeeds and touches no device.
void Vibration::becomeInert() {
    releaseEffect();
    forceFeedback_ = false;
    joystickGone_ = true;
}

// Runs a device call. One that answers InputLost is tried once more after acquiring the
// joystick again; a joystick that cannot be acquired was unplugged, and the vibration falls
// inert, the call counting as done.
template <typename Call>
InputResult Vibration::onDevice(Call call) {
    const InputResult result = call();
    if (result != InputResult::InputLost) {
        return result;
    }
    if (device_ == nullptr || !platform::succeeded(device_->acquire())) {
        becomeInert();
        return InputResult::Ok;
    }
    return call();
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
            throw ErrorGeneric(kModule, kLineCreateNoDevice, 0);
        }
        const InputResult result = onDevice([this] {
            InputResult made = InputResult::Failed;
            effect_ = device_->createConstantForce(force(), made);
            return effect_ ? InputResult::Ok : (platform::succeeded(made) ? InputResult::Failed : made);
        });
        if (!effect_ && !joystickGone_) {
            throw ErrorGeneric(kModule, kLineCreateEffect, static_cast<int>(result));
        }
    }
    applyGain();
    effectCreated_ = effect_ != nullptr || !joystickGone_;
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
        if (!forceFeedback_) {
            return;  // the joystick is gone
        }
        if (!effect_) {
            throw ErrorGeneric(kModule, kLinePlayNoEffect, 0);
        }
    }
    if (platform::succeeded(onDevice([this] { return effect_->start(); }))) {
        return;
    }
    // A device acquired again may have dropped its effects: try once more on a new one.
    recreateEffect();
    if (!forceFeedback_) {
        return;
    }
    check(onDevice([this] { return effect_->start(); }), kLineStartAgain);
}

void Vibration::stop() {
    if (forceFeedback_ && effect_) {
        check(onDevice([this] { return effect_->stop(); }), kLineStop);
    }
}

void Vibration::applyGain() {
    effectiveMagnitude_ = InputManager::getVibrationGain() * magnitude_;
    if (!effect_) {
        return;
    }
    const InputResult result = onDevice([this] { return effect_->setLevel(level()); });
    if (gainFailureIsFatal(result)) {
        throw ErrorGeneric(kModule, kLineSetGain, static_cast<int>(result));
    }
}

}  // namespace tidewell
