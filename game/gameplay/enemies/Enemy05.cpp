#include "Enemy05.h"

#include "sound/SoundMusicManager.h"
#include "gameplay/GameScene.h"
#include "gameplay/bullets/LobBullet.h"

namespace brinefall {
namespace {

constexpr unsigned kMouthShut = 0;
constexpr unsigned kMouthHalfOpen = 1;
constexpr unsigned kMouthWide = 2;

}  // namespace

Enemy05::Enemy05(GameScene* scene) : Enemy(scene, "enemy05.twi") {
    setHitArea(128, 128, ellipseShape);
    velocity[0] = -3;
    shootSound_ = tidewell::SoundMusicManager::getSound("enemy05shoot.tws", true);
}

Enemy05::~Enemy05() { tidewell::SoundMusicManager::releaseSound(shootSound_); }

void Enemy05::shoot() {
    if (!shotIsDue()) {
        return;
    }
    auto* bullet = new LobBullet(scene);
    bullet->setSpeed(bulletSpeed);
    bullet->setDeceleration(lobDeceleration);
    bullet->damage = bulletDamage;
    scene->addBullet(bullet, imageScreenX(), imageScreenY());
    if (!shaking) {
        image->setFrame(kMouthWide);
    }
    play(shootSound_);
}

void Enemy05::afterShake() { chew(); }

void Enemy05::chew() {
    if (shaking) {
        return;
    }
    if (++mouthCounter < kMouthPeriod) {
        return;
    }
    mouthCounter = 0;
    // Shut after a shot or when half open, half open when shut.
    image->setFrame(image->getFrame() == kMouthShut ? kMouthHalfOpen : kMouthShut);
}

}  // namespace brinefall
