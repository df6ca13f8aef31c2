#include "Enemy06.h"

namespace brinefall {
namespace {

constexpr float kWeaveTurnSpeed = 10;

}  // namespace

Enemy06::Enemy06(GameScene* scene) : Enemy(scene, "enemy06.twi") {
    setHitArea(64, 64, ellipseShape);
    velocity[0] = -3;
    shotCounter = 0;
}

Enemy06::~Enemy06() = default;

void Enemy06::ownMotion() {
    weave();
    followImage();
}

void Enemy06::weave() {
    image->moveY(weaveSpeed);
    // Crossing the line on the way back turns the swing to the other side.
    if (image->y > 0 && weaveChange > 0) {
        image->setY(0);
        weaveSpeed = kWeaveTurnSpeed;
        weaveChange = -weaveChange;
    } else if (image->y < 0 && weaveChange < 0) {
        image->setY(0);
        weaveSpeed = -kWeaveTurnSpeed;
        weaveChange = -weaveChange;
    }
    weaveSpeed += weaveChange;
}

}  // namespace brinefall
