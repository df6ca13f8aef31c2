#pragma once

#include <vector>

#include "gameplay/bullets/Bullet.h"

namespace tidewell {
class Image;
}  // namespace tidewell

namespace brinefall {

class GameScene;

// The Fire Bomb: falls like the Bomb, and on the first enemy it meets it stops and bursts
// into a column of fire that opens outwards one flame pair a frame, holds, and closes
// again. While it burns it passes through: every enemy in the widening area loses its
// damage on every frame. All flame pictures are built hidden at construction, so the
// burst creates nothing.
class FireBombBullet : public Bullet {
public:
    // A level outside 1 to 5 leaves the damage at 0 and the fire at its narrowest.
    FireBombBullet(GameScene* scene, int level);
    ~FireBombBullet() override;

    void update() override;

    bool hasBurst() const { return burst_; }
    int getBurstCounter() const { return burstCounter_; }
    int getFlamePairs() const { return pairs_; }
    int getHoldFrames() const { return hold_; }
    // The falling bomb, later the centre of the fire.
    tidewell::Image* getImage() const { return image_; }
    // Flame pair i (0-based): its left and right piece.
    tidewell::Image* getLeftFlame(int pair) const;
    tidewell::Image* getRightFlame(int pair) const;

private:
    // A flame piece beside the centre, hidden until the fire reaches it.
    tidewell::Image* addFlame(float x);
    void burst();
    void widenHitArea();
    void showFlames();
    // A piece `step` frames into its own opening, holding and closing.
    void showFlamePiece(tidewell::Image* piece, int step) const;

    GameScene* scene_;
    tidewell::Image* image_;
    std::vector<tidewell::Image*> leftFlames_;
    std::vector<tidewell::Image*> rightFlames_;
    float xSpeed_ = 3;
    float ySpeed_ = 8;
    float acceleration_ = 1;
    int pairs_ = 0;
    int hold_ = 10;
    bool burst_ = false;
    int burstCounter_ = 0;
    float flameHalfHeight_ = 0;
};

}  // namespace brinefall
