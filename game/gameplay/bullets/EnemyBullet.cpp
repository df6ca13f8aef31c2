#include "gameplay/bullets/EnemyBullet.h"

#include "display/Image.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"

namespace brinefall {
namespace {

constexpr float kHitRadius = 8;

}  // namespace

// "bulletEnemy.twi" holds 8 cells of which the pellet's spin uses 6.
EnemyBullet::EnemyBullet(GameScene* scene) : scene_(scene), image_(addImage("bulletEnemy.twi", 4, 2, 6)) {
    hitArea->setRectangle(-kHitRadius, -kHitRadius, kHitRadius, kHitRadius);
    hitArea->hitShape = ellipseShape;
}

EnemyBullet::~EnemyBullet() = default;

void EnemyBullet::setVelocity(float xSpeed, float ySpeed) {
    xSpeed_ = xSpeed;
    ySpeed_ = ySpeed;
}

// An invincible ship still reports the hit, so the pellet vanishes on it all the same.
void EnemyBullet::update() {
    move(xSpeed_, ySpeed_);
    if (isOffScreen() || scene_->bulletHitsShip(this) > 0) remove();
    image_->setFrame((image_->getFrame() + 1) % image_->getFrameCount());
}

}  // namespace brinefall
