#pragma once

#include <vector>

#include "gameplay/effects/Explosion.h"

namespace brinefall {

// A boss's death: three rings of 16 yellow pieces, one every 20 frames, spreading at 10
// pixels a frame, and 60 debris pieces flung one a frame at 20 pixels a frame in random
// directions; everything keeps full alpha until the explosion ends after 200 frames.
class BossExplosion : public Explosion {
public:
    BossExplosion();
    ~BossExplosion() override;

    void update() override;

    // Ring i's 16 pieces.
    const std::vector<tidewell::Image*>& getRing(int ring) const;
    const std::vector<tidewell::Image*>& getDebris() const { return debris_; }
    float getDebrisXSpeed(int piece) const;
    float getDebrisYSpeed(int piece) const;

private:
    void showRings(int n);
    void moveRings(int n);
    void moveDebris();

    std::vector<std::vector<tidewell::Image*>> rings_;
    std::vector<tidewell::Image*> debris_;
    std::vector<float> debrisXSpeed_;
    std::vector<float> debrisYSpeed_;
};

}  // namespace brinefall
