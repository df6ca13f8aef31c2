#include "WebRumbleEffect.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>

namespace tidewell::platform::web {
namespace {

// Chrome plays a vibration for at most five seconds.
constexpr double kLongestPlay = 5000;
constexpr double kRenewBefore = 1000;

}  // namespace

void RumbleState::play(double milliseconds) {
    EM_ASM({
        var pad = navigator.getGamepads ? navigator.getGamepads()[$0] : null;
        if (!pad || !pad.vibrationActuator) return;
        if ($1 > 0) {
            pad.vibrationActuator.playEffect('dual-rumble', {duration: $1, strongMagnitude: $2, weakMagnitude: $2 / 2})
                .catch(function () {});
        } else if (pad.vibrationActuator.reset) {
            pad.vibrationActuator.reset().catch(function () {});
        }
    }, padIndex, milliseconds, strength);
    until = emscripten_get_now() + milliseconds;
}

void RumbleState::keepGoing() {
    if (playing && endless && attached && until - emscripten_get_now() < kRenewBefore) play(kLongestPlay);
}

WebRumbleEffect::WebRumbleEffect(std::shared_ptr<RumbleState> rumble, const ConstantForce& force)
    : rumble_(std::move(rumble)), force_(force) {}

WebRumbleEffect::~WebRumbleEffect() { stop(); }

InputResult WebRumbleEffect::start() {
    if (!rumble_->attached) return InputResult::InputLost;
    rumble_->playing = true;
    apply();
    return InputResult::Ok;
}

InputResult WebRumbleEffect::stop() {
    if (!rumble_->attached) return InputResult::InputLost;
    if (rumble_->playing) {
        rumble_->playing = false;
        rumble_->play(0);
    }
    return InputResult::Ok;
}

InputResult WebRumbleEffect::setLevel(std::int32_t level) {
    if (level < 0 || level > 10000) return InputResult::InvalidParam;
    if (!rumble_->attached) return InputResult::InputLost;
    force_.level = level;
    if (rumble_->playing) apply();
    return InputResult::Ok;
}

void WebRumbleEffect::apply() {
    const double strength = static_cast<double>(force_.level) * force_.gain / 1e8;
    rumble_->strength = std::clamp(strength, 0.0, 1.0);
    rumble_->endless = force_.lengthMicroseconds == ConstantForce::kInfinite;
    rumble_->play(rumble_->endless ? kLongestPlay : std::min(kLongestPlay, force_.lengthMicroseconds / 1000.0));
}

}  // namespace tidewell::platform::web
