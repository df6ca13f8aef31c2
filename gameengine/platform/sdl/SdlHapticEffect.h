#pragma once

#include <SDL.h>

#include <memory>

#include "../InputDevices.h"

namespace tidewell::platform::sdl {

class SdlForceLink;

// A constant force made on an SDL haptic device: polar direction, level and length as asked.
class SdlHapticEffect : public ForceEffect {
public:
    // Uploads the effect to the device; null with the reason in result when the device refuses it.
    static std::unique_ptr<SdlHapticEffect> create(std::shared_ptr<SdlForceLink> link, const ConstantForce& force,
                                                   InputResult& result);
    ~SdlHapticEffect() override;

    InputResult start() override;
    InputResult stop() override;
    InputResult setLevel(std::int32_t level) override;

private:
    SdlHapticEffect(std::shared_ptr<SdlForceLink> link, int id, const SDL_HapticEffect& description);

    std::shared_ptr<SdlForceLink> link_;
    int id_;
    SDL_HapticEffect description_;
};

}  // namespace tidewell::platform::sdl
