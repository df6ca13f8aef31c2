#pragma once

#include <span>
#include <vector>

#include "display/Sprite.h"

namespace tidewell {
class ImageResource;
class Sound;
}  // namespace tidewell

namespace brinefall {

class Bullet;
class Enemy;
class GameScene;
class PlayerShip;

// The part of a stage that decides which enemies appear, when and where. The enemies it
// spawns are its children, so it is also the list that bullets and the ship are tested
// against. After the last step (the boss) it fades the stage music out and, once the scene
// reports the boss's death, starts the after-boss music 60 frames later. It holds the
// pictures and the sound its enemies use for its whole lifetime, so they stay loaded while
// enemies come and go.
class WaveScript : public tidewell::Sprite {
public:
    static constexpr int kFadeFrames = 100;
    static constexpr int kAfterBossFrames = 60;
    static constexpr float kEntryX = 850;

    // Its enemies go first, then the pictures and the sound it held for them.
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
        std::span<const KindRow> kinds;
        std::span<const DelayRow> delays;
        std::span<const SpawnRow> spawns;
        std::span<const AwardRow> awards;
        RandomShot randomShot;
        // Held for the script's lifetime; the sound may be null.
        std::span<const char* const> heldImages;
        const char* heldSound;
    };

protected:
    // A script that plays the given table; its last step places the boss. Every step from
    // the first to the last must have a delay of at least one frame, or the stage would
    // stop there: ErrorGeneric (module WaveScript, code the first step without one).
    WaveScript(GameScene* scene, const Table& table);

    // An enemy of the stage's kind with the kind's values, as the last child, at (kEntryX, 0);
    // null for a kind the table does not have.
    Enemy* spawnKind(int kind);
    // The randomly chosen enemy of a random step, positioned and moving.
    virtual Enemy* spawnRandom() = 0;
    virtual void spawnBoss() = 0;

    // Runs spawn step `index`.
    virtual void spawnStep(int index);

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
    void readDelays();
    void advanceSpawning();
    void fadeStageMusic();
    void countAfterBoss();
    void spawnRow(const SpawnRow& row, int index);
    void giveAwards(Enemy* enemy, int index) const;
    void giveRandomShot(Enemy* enemy) const;
    static bool rowHasStep(const SpawnRow& row, int index);

    Table table_{};
    std::vector<tidewell::ImageResource*> heldImages_;
    tidewell::Sound* heldSound_ = nullptr;
};

}  // namespace brinefall
