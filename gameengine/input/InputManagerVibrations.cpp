// The vibration registry: force-feedback effects shared by their parameters, counted by
// their holders, scaled by one gain and given new devices when the devices are rebuilt.

#include <memory>

#include "core/ErrorGeneric.h"
#include "input/InputManager.h"
#include "input/InputManagerInternal.h"
#include "core/NewOrNoMemory.h"
#include "resources/Registry.h"
#include "input/Vibration.h"

namespace tidewell::InputManager {

namespace {

using internal::kModule;

constexpr int kLineNoVibrationList = 275;
constexpr int kLineNoJoystickDevices = 290;

std::unique_ptr<Registry<Vibration>> vibrationList;
float vibrationGain = 1.0f;
float savedVibrationGain = 1.0f;

}  // namespace

namespace internal {

void createVibrationList() {
    vibrationList = newRegistry<Vibration>();
    vibrationGain = 1.0f;
    savedVibrationGain = 1.0f;
}

void deleteVibrations() { vibrationList.reset(); }

void releaseVibrationEffects() {
    forEachListed(vibrationList, [](Vibration& vibration) { vibration.releaseEffect(); });
}

// A vibration whose joystick the reset did not find (it was unplugged) does nothing until a
// later reset finds a joystick of its number again.
void giveVibrationsNewDevices() {
    forEachListed(vibrationList, [](Vibration& vibration) {
        const std::int32_t joystick = vibration.getJoystick();
        if (joystick >= 0 && static_cast<std::size_t>(joystick) < devices.joysticks.size()) {
            vibration.setDevice(devices.joysticks[static_cast<std::size_t>(joystick)].get());
        } else {
            vibration.loseJoystick();
        }
    });
}

}  // namespace internal

Vibration* createVibration(float duration, float magnitude, float direction, std::int32_t joystick, bool createNow) {
    if (joystick < 0 || static_cast<std::uint32_t>(joystick) >= joystickCount) {
        return nullptr;
    }
    if (!vibrationList) {
        start();
    }
    if (!vibrationList) {
        throw ErrorGeneric(kModule, kLineNoVibrationList, 0);
    }
    return vibrationList->retain(
        [&](const Vibration& listed) {
            return listed.getDuration() == duration && listed.getMagnitude() == magnitude &&
                   listed.getDirection() == direction && listed.getJoystick() == joystick;
        },
        [&] {
            const auto index = static_cast<std::size_t>(joystick);
            if (index >= internal::devices.joysticks.size()) {
                throw ErrorGeneric(kModule, kLineNoJoystickDevices, 0);
            }
            std::unique_ptr<Vibration> made(newOrNoMemory<Vibration>(duration, magnitude, direction, joystick,
                                                                     internal::devices.joysticks[index].get()));
            if (createNow) {
                made->createEffect();
            }
            return made.release();
        });
}

// One that is not ours goes at once; after stop(), which deleted them all, nothing is left to do.
void releaseVibration(Vibration* vibration) { releaseListed(vibrationList, vibration, Unlisted::Deleted); }

void setVibrationGain(float gain) {
    vibrationGain = gain;
    savedVibrationGain = gain;
    forEachListed(vibrationList, [](Vibration& vibration) { vibration.applyGain(); });
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

unsigned long vibrationHolders(const Vibration* vibration) { return listedCount(vibrationList, vibration); }

std::size_t vibrationCount() { return vibrationList ? vibrationList->size() : 0; }

}  // namespace tidewell::InputManager
