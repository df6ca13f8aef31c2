#pragma once

#include "gameplay/bullets/Bullet.h"

namespace tidewell {
class Image;
}  // namespace tidewell

namespace brinefall {

class GameScene;

// The Downward Gun's shot: flies at the velocity it was given (the ship passes 0, 50),
// with a square round hit area and power by the special weapon's level.
class DownwardBullet : public Bullet {
public:
    // A level outside 1 to 5 leaves the damage at 0.
    DownwardBullet(GameScene* scene, int level, float xSpeed, float ySpeed);
    ~DownwardBullet() override;

    void update() override;

    tidewell::Image* getImage() const { return image_; }

private:
    GameScene* scene_;
    tidewell::Image* image_;
    float xSpeed_;
    float ySpeed_;
};

}  // namespace brinefall
