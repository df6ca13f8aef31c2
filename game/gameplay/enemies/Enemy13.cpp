#include "Enemy13.h"

namespace brinefall {
namespace {

constexpr unsigned kSquashed = 0;
constexpr unsigned kStretched = 1;
constexpr unsigned kRound = 2;

}  // namespace

Enemy13::Enemy13(GameScene* scene) : Enemy(scene, "enemy13.twi") { setHitArea(50, 50, ellipseShape); }

Enemy13::~Enemy13() = default;

void Enemy13::ownMotion() {
    hop(hopSpeed, bounceSpeed, gravity);
    followImage();
    // The hit frame stays up while it shakes, as with the other hoppers.
    if (!shaking) {
        showHopFrame();
    }
}

void Enemy13::showHopFrame() {
    // Stretched when fast, round around the top, squashed in between.
    const float speed = hopSpeed;
    if (speed < -20 || speed >= 20) {
        image->setFrame(kStretched);
    } else if (speed < -10 || speed >= 10) {
        image->setFrame(kSquashed);
    } else {
        image->setFrame(kRound);
    }
}

}  // namespace brinefall
