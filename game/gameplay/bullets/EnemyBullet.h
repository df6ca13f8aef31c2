#pragma once

#include "gameplay/bullets/Bullet.h"

namespace tidewell {
class Image;
}  // namespace tidewell

namespace brinefall {

class GameScene;

// The enemies' aimed shot: a spinning pellet flying at the velocity its shooter set,
// removed when it leaves the screen or hits the ship.
class EnemyBullet : public Bullet {
public:
    explicit EnemyBullet(GameScene* scene);
    ~EnemyBullet() override;

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
