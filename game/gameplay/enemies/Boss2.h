#pragma once

#include "Enemy.h"

namespace brinefall {

// One half of the pair of claw-crabs at the end of stage 2; the wave script places both
// and tells each of the other. Half 1 comes in from the top left, half 2 from the bottom
// right. When both have reached their places the warning sounds, and 80 frames later both
// start walking a 3 x 3 grid of points, choosing a neighbouring point at random on each.
// They fight silently until one falls; the last one standing shoots at the ship, and its
// death ends the stage.
class Boss2 : public Enemy {
public:
    static constexpr int kWaitFrames = 80;

    Boss2(GameScene* scene, int half);
    ~Boss2() override;

    void update() override;
    bool hitByBullet(Bullet* bullet) override;
    bool hitByShip(PlayerShip* ship) override;
    void takeDamage(int amount) override;

    // Pairs two halves, each told of the other.
    static void pair(Boss2* first, Boss2* second);

    bool isActive() const { return active; }
    int getWaitCounter() const { return waitCounter_; }

    int half = 1;
    Boss2* partner = nullptr;
    bool lastStanding = false;
    bool active = false;
    bool entryDone = false;
    float moveSpeed = 10;
    float stepX = 0;
    float stepY = 0;

private:
    void enter();
    // Half 1 (or a half on its own) sounds the warning and starts the fight for both.
    bool leadsTheCues() const;
    void waitForTheFight();
    void walk();
    void chooseDirection(int column, int row);
    void die();

    int waitCounter_ = 0;
};

}  // namespace brinefall
