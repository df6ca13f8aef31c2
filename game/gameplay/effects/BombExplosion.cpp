#include "gameplay/effects/BombExplosion.h"

#include "display/Image.h"

namespace brinefall {
namespace {

constexpr int kLifetime = 10;

}  // namespace

BombExplosion::BombExplosion() : image_(new tidewell::Image("explosionBomb1.twi")) {
    image_->setAlignment(3, 3);
    addChild(image_);
}

BombExplosion::~BombExplosion() = default;

void BombExplosion::update() {
    if (liveOneMoreFrame(kLifetime)) setAlpha(fadeAlpha(kLifetime));
}

}  // namespace brinefall
