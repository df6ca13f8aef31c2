#pragma once

#include "Enemy.h"

namespace brinefall {

// The sea-urchin bouncer: stays where it was put and bounces high, squashing and
// stretching with its speed.
class Enemy13 : public Enemy {
public:
    explicit Enemy13(GameScene* scene);
    ~Enemy13() override;

    float hopSpeed = -40;
    float bounceSpeed = -40;
    float gravity = 2;

protected:
    void ownMotion() override;

private:
    void showHopFrame();
};

}  // namespace brinefall
