#pragma once

#include <vector>

#include "Sprite.h"

namespace brinefall {

class Bullet;
class Enemy;
class GameScene;
class PlayerShip;

// The part of a stage that decides which enemies appear, when and where. The enemies it
// spawns are its children, so it is also the list that bullets and the ship are tested
// against. After the last step (the boss) it fades the stage music out and, once the scene
// reports the boss's death, starts the after-boss music 60 frames later.
class WaveScript : public tidewell::Sprite {
public:
    // A script without steps: it only holds and tests the enemies given to it.
    explicit WaveScript(GameScene* scene);
    ~WaveScript() override;

    // 1 when an enemy stopped the bullet, -1 otherwise (also for pass-through bullets).
    int bulletHitsEnemies(Bullet* bullet);
    // The contact damage of the first enemy the ship touches, -1 when none.
    int shipHitsEnemies(PlayerShip* ship);
    // The scene's write of 0 into afterBossCounter, when the boss dies.
    void startAfterBossCounter();
    void update() override;

    int getStep() const { return step; }
    int getStepCount() const { return stepCount; }
    int getFadeCounter() const { return fadeCounter; }
    int getAfterBossCounter() const { return afterBossCounter; }

protected:
    // A script made of `delays.size()` steps, the last of which places the boss.
    WaveScript(GameScene* scene, std::vector<int> delays);

    // Runs spawn step `index`; the stage scripts give each step its enemies.
    virtual void spawnStep(int index);

    GameScene* scene;
    int fadeCounter = 0;
    int afterBossCounter = -1;
    int spawnCounter = 0;
    std::vector<int> delays;
    int stepCount = 0;
    int step = 0;

private:
    void advanceSpawning();
    void fadeStageMusic();
    void countAfterBoss();
};

}  // namespace brinefall
