#pragma once

#include "gameplay/bullets/Bullet.h"

namespace tidewell {
class Image;
}  // namespace tidewell

namespace brinefall {

class GameScene;

// The angler boss's lure spark: flies at the velocity it was given, removed on the ship
// or off screen.
class Boss1Bullet : public Bullet {
public:
    explicit Boss1Bullet(GameScene* scene);
    ~Boss1Bullet() override;

    void update() override;

    void setVelocity(float xSpeed, float ySpeed);
    tidewell::Image* getImage() const { return image_; }

private:
    GameScene* scene_;
    tidewell::Image* image_;
    float xSpeed_ = 0;
    float ySpeed_ = 0;
};

}  // namespace brinefall
