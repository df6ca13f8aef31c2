#pragma once

#include "display/Sprite.h"

namespace tidewell {
class Image;
}  // namespace tidewell

namespace brinefall {

class PlayerShip;

// A pickup dropped by a dying enemy: flies in a straight line and is collected when it
// touches the ship. Kind 1 heals, 2 to 5 give experience to one track, 6 to 9 only chime.
class Award : public tidewell::Sprite {
public:
    Award(int kind, int amount, float xSpeed, float ySpeed);
    ~Award() override;

    void update() override;

    // Whether the award's picture overlaps the ship's; an award that touches removes
    // itself. A removed award never touches again.
    bool touches(PlayerShip* ship);

    int getKind() const { return kind_; }
    int getAmount() const { return amount_; }
    tidewell::Image* getImage() const { return image_; }
    float getXSpeed() const { return xSpeed_; }
    float getYSpeed() const { return ySpeed_; }

private:
    tidewell::Image* image_;
    int kind_;
    int amount_;
    float xSpeed_;
    float ySpeed_;
};

}  // namespace brinefall
