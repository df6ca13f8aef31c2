#pragma once

#include <vector>

#include "display/Sprite.h"

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
    static constexpr int kFadeFrames = 100;
    static constexpr int kAfterBossFrames = 60;
    static constexpr float kEntryX = 850;

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
    int getSpawnCounter() const { return spawnCounter; }
    int getFadeCounter() const { return fadeCounter; }
    int getAfterBossCounter() const { return afterBossCounter; }
    // Frames to wait before step `index`.
    int getDelay(int index) const { return delays[static_cast<std::size_t>(index)]; }

    // The stages' tables, one row per step or group of steps.

    // What every enemy of a script kind is given when it is spawned.
    struct KindRow {
        Enemy* (*make)(GameScene* scene, const char* file);
        const char* file;  // the picture of a plain enemy
        int hitPoints;
        int contactDamage;
        bool animated;
        int animation[8];  // frame, duration of each of the four steps
        float hitWidth;    // 0: the kind's own hit area; else an ellipse of this size
        float hitHeight;
        int firstShot;  // -1: no shot of its own
        int shotInterval;
        float bulletSpeed;
        int bulletDamage;
    };

    // Steps first to last wait `frames` each.
    struct DelayRow {
        int first;
        int last;
        int frames;
    };

    // Special kinds of a spawn row.
    static constexpr int kRandomKind = -1;
    static constexpr int kBossKind = -2;
    static constexpr int kMaxSpots = 5;

    struct Spot {
        float x;
        float y;
    };

    // Steps first, first + stride, ... up to last each spawn one enemy of `kind` on every
    // spot; a row with `setsVelocity` gives them its velocity instead of their own, and
    // every row gives its acceleration.
    struct SpawnRow {
        int first;
        int last;
        int stride;
        int kind;
        int spotCount;
        Spot spots[kMaxSpots];
        bool setsVelocity;
        float vx;
        float vy;
        float ax;
        float ay;
    };

    // Everything step `step` spawns drops `amount` of award kind `kind` when it dies.
    struct AwardRow {
        int step;
        int kind;
        int amount;
    };

    // The aimed shot every randomly chosen enemy of a stage is given.
    struct RandomShot {
        int firstShot;
        int shotInterval;
        float bulletSpeed;
        int bulletDamage;
    };

    struct Table {
        const DelayRow* delays;
        int delayRows;
        const SpawnRow* spawns;
        int spawnRows;
        const AwardRow* awards;
        int awardRows;
        RandomShot randomShot;
    };

protected:
    // A script that plays the given table; its last step places the boss.
    WaveScript(GameScene* scene, const Table& table);

    // What a stage spawns; a script without a table has no kinds and spawns nothing.
    // An enemy of the stage's kind with the kind's values, as the last child, at (kEntryX, 0).
    virtual Enemy* spawnKind(int kind);
    // The randomly chosen enemy of a random step, positioned and moving.
    virtual Enemy* spawnRandom();
    virtual void spawnBoss();

    // Runs spawn step `index`.
    virtual void spawnStep(int index);

    // Builds an enemy of the row's kind with its values, as the last child, at (kEntryX, 0).
    Enemy* spawnFromRow(const KindRow& values);

    // A real number drawn from the engine's generator: base + rand * scale / divisor.
    static float drawPosition(float base, float scale, float divisor);

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
    void spawnRow(const SpawnRow& row, int index);
    void giveAwards(Enemy* enemy, int index) const;
    void giveRandomShot(Enemy* enemy) const;
    static bool rowHasStep(const SpawnRow& row, int index);

    Table table_{};
};

}  // namespace brinefall
