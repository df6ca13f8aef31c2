#include "gameplay/effects/Award.h"

#include "display/Image.h"
#include "gameplay/PlayerShip.h"

namespace brinefall {

Award::Award(int kind, int amount, float xSpeed, float ySpeed)
    : image_(new tidewell::Image("awards.twi", 3, 3)), kind_(kind), amount_(amount), xSpeed_(xSpeed), ySpeed_(ySpeed) {
    image_->setAlignment(3, 3);
    // Kinds 1 to 9 are the frames 0 to 8; anything else shows the last one.
    image_->setFrame(kind > 0 ? static_cast<unsigned>(kind - 1) : 8u);
    addChild(image_);
}

Award::~Award() = default;

// Awards fly on past the screen's edge; they go with the award layer when the stage changes.
void Award::update() { move(xSpeed_, ySpeed_); }

bool Award::touches(PlayerShip* ship) {
    // A collected award stays in the layer until the end-of-frame sweep; it is not collected twice.
    if (isRemoved() || ship == nullptr) return false;
    if (!image_->overlaps(ship->getShipImage())) return false;
    remove();
    return true;
}

}  // namespace brinefall
