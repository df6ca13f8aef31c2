#pragma once

#include "Enemy.h"

namespace brinefall {

// The leaping frog-fish: runs left and leaps when its animation cycle comes round,
// resting on its line between leaps.
class Enemy07 : public Enemy {
public:
    // A leap starts on a frame whose animation counter is a multiple of this.
    static constexpr int kLeapEvery = 50;

    explicit Enemy07(GameScene* scene);
    ~Enemy07() override;

    float hopSpeed = -30;
    float bounceSpeed = -30;
    float gravity = 2;
    bool hopping = false;

protected:
    void ownMotion() override;
};

}  // namespace brinefall
