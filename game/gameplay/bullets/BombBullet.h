#pragma once

#include "gameplay/bullets/Bullet.h"

namespace tidewell {
class Image;
}  // namespace tidewell

namespace brinefall {

class GameScene;

// The Bomb: drifts right and falls ever faster; on the first enemy it meets it blows up
// into a BombExplosion with the scene's explode sound.
class BombBullet : public Bullet {
public:
    // A level outside 1 to 5 leaves the damage at 0.
    BombBullet(GameScene* scene, int level);
    ~BombBullet() override;

    void update() override;

    tidewell::Image* getImage() const { return image_; }
    float getYSpeed() const { return ySpeed_; }

private:
    GameScene* scene_;
    tidewell::Image* image_;
    float xSpeed_ = 3;
    float ySpeed_ = 8;
};

}  // namespace brinefall
