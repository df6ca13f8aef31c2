#pragma once

#include "Enemy.h"

namespace brinefall {

// The angler machine at the end of stage 1. It glides in from the right to x 700, sounds
// the warning, and 80 frames later starts the fight: it patrols between y 200 and 400 and
// fires a fan of six sparks. Only its glowing lure-eye takes damage; the rest of its body
// stops the ship's bullets harmlessly, also before the fight, but shots in line with the
// eye fly through the open mouth to it. Ramming it is fatal.
class Boss1 : public Enemy {
public:
    static constexpr int kWaitFrames = 80;
    static constexpr int kFanSize = 6;

    explicit Boss1(GameScene* scene);
    ~Boss1() override;

    void update() override;
    void shoot() override;
    bool hitByBullet(Bullet* bullet) override;
    bool hitByShip(PlayerShip* ship) override;
    tidewell::Shape* getHitArea() override;
    void takeDamage(int amount) override;

    bool isActive() const { return active; }

    tidewell::Shape* weakPoint = nullptr;
    tidewell::Sound* shootSound = nullptr;
    float stopX = 700;
    float topY = 200;
    float bottomY = 400;
    bool active = false;
    int entryCounter = 0;
    float ySpeed = 2.0f;
    bool movingUp = true;

private:
    void enter();
    void patrol();
    void die();
    bool isFlyingAtTheEye(const Bullet* bullet) const;
};

}  // namespace brinefall
