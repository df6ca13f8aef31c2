#pragma once

#include "gameplay/bullets/Bullet.h"

namespace tidewell {
class Image;
}  // namespace tidewell

namespace brinefall {

class GameScene;

// A lobbed glob: rises at its speed, which falls by the deceleration each frame, so it
// slows, turns and falls back ever faster. Removed off screen or on the ship.
class LobBullet : public Bullet {
public:
    explicit LobBullet(GameScene* scene);
    ~LobBullet() override;

    void update() override;

    // Upward pixels a frame.
    void setSpeed(float speed);
    // Taken from the speed each frame.
    void setDeceleration(float deceleration);
    float getSpeed() const { return speed_; }
    tidewell::Image* getImage() const { return image_; }

private:
    GameScene* scene_;
    tidewell::Image* image_;
    float speed_ = 0;
    float deceleration_ = 0;
};

}  // namespace brinefall
