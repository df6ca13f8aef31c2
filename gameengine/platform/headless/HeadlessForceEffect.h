#pragma once

#include <memory>

#include "../InputDevices.h"

namespace tidewell::platform::headless {

// What a simulated force-feedback effect has been told, for tests to look at.
struct ForceRecord {
    ConstantForce force;     // as created
    std::int32_t level = 0;  // the level now
    bool playing = false;
    int starts = 0;
    bool released = false;
    bool lost = false;       // its joystick was taken away: calls answer InputLost until it is acquired again
    bool unplugged = false;  // its joystick was unplugged: every call answers InputLost
};

// A constant force on a simulated joystick: it only records what it is asked to do. While
// its joystick is taken away, or once it is unplugged, it refuses every call with
// InputLost, as a real device does; unplugging also silences it.
class HeadlessForceEffect : public ForceEffect {
public:
    explicit HeadlessForceEffect(std::shared_ptr<ForceRecord> record);
    ~HeadlessForceEffect() override;

    InputResult start() override;
    InputResult stop() override;
    InputResult setLevel(std::int32_t level) override;

private:
    std::shared_ptr<ForceRecord> record_;
};

}  // namespace tidewell::platform::headless
