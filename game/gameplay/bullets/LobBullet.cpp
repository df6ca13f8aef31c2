#include "gameplay/bullets/LobBullet.h"

#include "display/Image.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"

namespace brinefall {
namespace {

constexpr float kHitRadius = 8;

}  // namespace

LobBullet::LobBullet(GameScene* scene) : scene_(scene), image_(addImage("bulletEnemy05.twi", 2, 1)) {
    hitArea->setRectangle(-kHitRadius, -kHitRadius, kHitRadius, kHitRadius);
    hitArea->hitShape = ellipseShape;
}

LobBullet::~LobBullet() = default;

void LobBullet::setSpeed(float speed) { speed_ = speed; }

void LobBullet::setDeceleration(float deceleration) { deceleration_ = deceleration; }

// Once the speed has run out the glob falls back, ever faster.
void LobBullet::update() {
    moveY(-speed_);
    if (isOffScreen() || scene_->bulletHitsShip(this) > 0) remove();
    speed_ -= deceleration_;
    image_->setFrame((image_->getFrame() + 1) % image_->getFrameCount());
}

}  // namespace brinefall
