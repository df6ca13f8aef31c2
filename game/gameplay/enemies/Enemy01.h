#pragma once

#include "Enemy.h"

namespace brinefall {

// The hopping crab: walks left and bounces along its line, its frame following the hop.
class Enemy01 : public Enemy {
public:
    explicit Enemy01(GameScene* scene);
    ~Enemy01() override;

    float hopSpeed = -20;
    float bounceSpeed = -20;
    float gravity = 1;

protected:
    // For hoppers that share the crab's motion with their own picture and numbers.
    Enemy01(GameScene* scene, const char* imageFile, float hitWidth, float hitHeight, float speedX, float gravity);
    void ownMotion() override;

private:
    void showHopFrame();
};

}  // namespace brinefall
