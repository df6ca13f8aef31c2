#include "Enemy07.h"

namespace brinefall {

Enemy07::Enemy07(GameScene* scene) : Enemy(scene, "enemy07.twi") {
    setHitArea(50, 64, ellipseShape);
    velocity[0] = -7;
}

Enemy07::~Enemy07() = default;

void Enemy07::ownMotion() {
    if (!hopping && animCounter % kLeapEvery == 0) {
        hopping = true;
    }
    if (hopping && hop(hopSpeed, bounceSpeed, gravity)) {
        hopping = false;
    }
    followImage();
}

}  // namespace brinefall
