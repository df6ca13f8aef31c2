#include "gameplay/bullets/Boss1Bullet.h"

#include "display/Image.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"

namespace brinefall {

// The spark is round: its hit area is the ellipse of its picture.
Boss1Bullet::Boss1Bullet(GameScene* scene) : scene_(scene), image_(addImage("bulletBoss1.twi", 1, 1)) {
    const float halfWidth = static_cast<float>(image_->getFrameWidth()) / 2;
    const float halfHeight = static_cast<float>(image_->getFrameHeight()) / 2;
    hitArea->setRectangle(-halfWidth, -halfHeight, halfWidth, halfHeight);
    hitArea->hitShape = ellipseShape;
}

Boss1Bullet::~Boss1Bullet() = default;

void Boss1Bullet::setVelocity(float xSpeed, float ySpeed) {
    xSpeed_ = xSpeed;
    ySpeed_ = ySpeed;
}

void Boss1Bullet::update() {
    move(xSpeed_, ySpeed_);
    if (isOffScreen() || scene_->bulletHitsShip(this) > 0) remove();
}

}  // namespace brinefall
