#pragma once

#include "../InputDevices.h"

#include <memory>

namespace tidewell::platform::web {

// What the pad's one vibration is doing: the browser plays an effect for a time, so an
// endless force is played again before it runs out.
struct RumbleState {
    int padIndex = -1;
    bool playing = false;
    bool endless = false;
    double strength = 0;  // 0 to 1
    double until = 0;     // when the vibration asked for last runs out, in page milliseconds
    bool attached = true;

    // Asks the pad to vibrate at `strength` for `milliseconds` (or stop, for 0).
    void play(double milliseconds);
    // Once a frame: an endless effect is renewed before the browser lets it end.
    void keepGoing();
};

// A constant force on a gamepad, felt as its vibration: the level (times the gain) is the
// strength of the strong motor; the direction cannot be felt on a pad.
class WebRumbleEffect : public ForceEffect {
public:
    WebRumbleEffect(std::shared_ptr<RumbleState> rumble, const ConstantForce& force);
    ~WebRumbleEffect() override;

    InputResult start() override;
    InputResult stop() override;
    InputResult setLevel(std::int32_t level) override;

private:
    void apply();

    std::shared_ptr<RumbleState> rumble_;
    ConstantForce force_;
};

}  // namespace tidewell::platform::web
