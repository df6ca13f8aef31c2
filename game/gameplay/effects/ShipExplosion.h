#pragma once

#include <vector>

#include "gameplay/effects/Explosion.h"

namespace brinefall {

// The ship's wreck: a 16-piece yellow burst that slows and fades over 80 frames, then
// sparks for ever, rising ones every 4 frames and falling ones every 40. It never
// removes itself; it goes with the explosion layer when the stage restarts.
class ShipExplosion : public Explosion {
public:
    ShipExplosion();
    ~ShipExplosion() override;

    void update() override;

    const std::vector<tidewell::Image*>& getBurstPieces() const { return burst_; }
    const std::vector<tidewell::Image*>& getRisingSparks() const { return rising_; }
    const std::vector<tidewell::Image*>& getFallingSparks() const { return falling_; }

private:
    void launchSparks();
    void moveSparks();

    std::vector<tidewell::Image*> burst_;
    std::vector<tidewell::Image*> rising_;
    std::vector<tidewell::Image*> falling_;
    float speed_ = 10.0f;
    std::size_t nextRising_ = 0;
    std::size_t nextFalling_ = 0;
};

}  // namespace brinefall
