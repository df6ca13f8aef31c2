#pragma once

#include "gameplay/bullets/Bullet.h"

namespace tidewell {
class Image;
}  // namespace tidewell

namespace brinefall {

class GameScene;

// The ship's main gun shot: flies right 50 pixels a frame, its picture and power by gun level.
class MainBullet : public Bullet {
public:
    // A level outside 1 to 5 leaves the damage at 0.
    MainBullet(GameScene* scene, int level);
    ~MainBullet() override;

    void update() override;

    tidewell::Image* getImage() const { return image_; }

private:
    GameScene* scene_;
    tidewell::Image* image_;
    float xSpeed_ = 50;
    float ySpeed_ = 0;
};

}  // namespace brinefall
