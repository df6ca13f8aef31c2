#include "Enemy01.h"

namespace brinefall {

Enemy01::Enemy01(GameScene* scene) : Enemy01(scene, "enemy01.twi", 50, 50, -4, 1) {}

Enemy01::Enemy01(GameScene* scene, const char* imageFile, float hitWidth, float hitHeight, float speedX, float gravity)
    : Enemy(scene, imageFile), gravity(gravity) {
    setHitArea(hitWidth, hitHeight, ellipseShape);
    velocity[0] = speedX;
}

Enemy01::~Enemy01() = default;

void Enemy01::ownMotion() {
    hop(hopSpeed, bounceSpeed, gravity);
    followImage();
    if (!shaking) {
        showHopFrame();
    }
}

void Enemy01::showHopFrame() {
    // Jumping on the way up, falling on the way down, at rest around the top.
    if (hopSpeed < -5) {
        image->setFrame(2);
    } else if (hopSpeed > 15) {
        image->setFrame(1);
    } else {
        image->setFrame(0);
    }
}

}  // namespace brinefall
