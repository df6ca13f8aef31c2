#include "gameplay/bullets/Bullet.h"

#include "display/Image.h"
#include "core/Screen.h"
#include "display/Shape.h"
#include "sound/Sound.h"

namespace brinefall {

Bullet::Bullet() : hitArea(new tidewell::Shape()) {
    // Only its geometry counts; it is never seen.
    hitArea->setAlpha(0);
    addChild(hitArea);
}

Bullet::~Bullet() = default;

bool Bullet::hits(const tidewell::Sprite* sprite) const { return hitArea->overlaps(sprite); }

bool Bullet::isOffScreen() const {
    return getAbsoluteRight() < 0 || getAbsoluteBottom() < 0 ||
           getAbsoluteLeft() >= static_cast<float>(tidewell::screenWidth) ||
           getAbsoluteTop() >= static_cast<float>(tidewell::screenHeight);
}

tidewell::Image* Bullet::addImage(const char* fileName, unsigned columns, unsigned rows, unsigned frameCount) {
    auto* image = new tidewell::Image(fileName, columns, rows, frameCount);
    image->setAlignment(3, 3);
    addChild(image);
    return image;
}

void Bullet::play(tidewell::Sound* sound) {
    if (sound != nullptr) sound->play(true);
}

}  // namespace brinefall
