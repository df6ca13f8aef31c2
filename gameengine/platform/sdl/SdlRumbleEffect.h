#pragma once

#include <SDL.h>

#include <memory>

#include "../InputDevices.h"

namespace tidewell::platform::sdl {

class SdlForceLink;

// A constant force played on a pad's rumble motors, for pads without haptic effects: the
// force's strength becomes the motors' speed; its direction cannot be shown.
class SdlRumbleEffect : public ForceEffect {
public:
    SdlRumbleEffect(std::shared_ptr<SdlForceLink> link, const ConstantForce& force);
    ~SdlRumbleEffect() override;

    InputResult start() override;
    InputResult stop() override;
    InputResult setLevel(std::int32_t level) override;

    // The motor speed this effect asks for at that moment: 0 when stopped or run out.
    Uint16 strengthAt(Uint32 now) const;

private:
    std::shared_ptr<SdlForceLink> link_;
    std::int32_t level_;
    std::int32_t gain_;
    std::uint32_t lengthMs_;  // ConstantForce::kInfinite for an endless effect
    bool playing_ = false;
    Uint32 startedAt_ = 0;
};

}  // namespace tidewell::platform::sdl
