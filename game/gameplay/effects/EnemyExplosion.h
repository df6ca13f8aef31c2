#pragma once

#include <vector>

#include "gameplay/effects/Explosion.h"

namespace brinefall {

// An enemy's death: 8 yellow pieces flying out in 8 directions, slowing and fading over
// 40 frames. All pieces show one frame drawn at random.
class EnemyExplosion : public Explosion {
public:
    EnemyExplosion();
    ~EnemyExplosion() override;

    void update() override;

    const std::vector<tidewell::Image*>& getPieces() const { return pieces_; }
    float getSpeed() const { return speed_; }

private:
    std::vector<tidewell::Image*> pieces_;
    float speed_ = 5.0f;
};

}  // namespace brinefall
