#pragma once

#include <cstdint>
#include <memory>

#include "platform/InputDevices.h"

namespace tidewell {

// One force-feedback effect on one joystick: a constant force of a strength, a direction
// and a duration, played on request. Made, shared and released through the input manager
// (InputManager::createVibration), which scales every effect by one gain. On a joystick
// without force feedback the object exists and every operation does nothing. A joystick
// that is unplugged while the game runs leaves its vibrations the same way: playing,
// stopping and gain changes succeed and do nothing until a device reset finds a joystick
// again (a ship hit after the cable came loose is no reason to end the game).
class Vibration {
public:
    // duration in seconds (0 or less: endless), magnitude 0.0 to 1.0, direction in degrees.
    // The device is the joystick's (not owned); null throws ErrorGeneric.
    Vibration(float duration, float magnitude, float direction, std::int32_t joystick,
              platform::JoystickDevice* device);
    virtual ~Vibration();

    // Takes the input manager's gain: effectiveMagnitude = gain x magnitude, and a playing
    // effect changes strength at once.
    virtual void applyGain();

    // Makes the device effect (only with force feedback), then applies the gain.
    void createEffect();
    void releaseEffect();
    void recreateEffect();
    // The joystick's device after the devices were rebuilt; the effect is made again by play().
    void setDevice(platform::JoystickDevice* device);
    // The devices were rebuilt without this vibration's joystick: it does nothing until
    // setDevice gives it one again.
    void loseJoystick();
    // Starts the effect once, making it first if there is none.
    void play();
    void stop();

    float getDuration() const { return duration_; }
    float getDirection() const { return direction_; }
    float getMagnitude() const { return magnitude_; }
    float getEffectiveMagnitude() const { return effectiveMagnitude_; }
    bool isEffectCreated() const { return effectCreated_; }
    std::int32_t getJoystick() const { return joystick_; }
    bool hasForceFeedback() const { return forceFeedback_; }
    bool hasEffect() const { return effect_ != nullptr; }
    // Whether its joystick was found unplugged (the vibration then has no force feedback).
    bool isJoystickGone() const { return joystickGone_; }

private:
    platform::ConstantForce force() const;
    std::int32_t level() const;
    template <typename Call>
    platform::InputResult onDevice(Call call);
    void becomeInert();

    float duration_;
    float direction_;
    float magnitude_;
    float effectiveMagnitude_;
    bool effectCreated_ = false;
    std::int32_t joystick_;
    bool forceFeedback_ = false;
    bool joystickGone_ = false;
    platform::JoystickDevice* device_ = nullptr;
    std::unique_ptr<platform::ForceEffect> effect_;
};

}  // namespace tidewell
