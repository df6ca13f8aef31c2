#include "Stage1Script.h"
#include "Milestones.h"

#include "core/Random.h"
#include "gameplay/GameScene.h"
#include "gameplay/enemies/Boss1.h"
#include "gameplay/enemies/Enemy01.h"
#include "gameplay/enemies/Enemy05.h"
#include "gameplay/enemies/Enemy06.h"
#include "gameplay/enemies/PlainEnemy.h"

namespace brinefall {
namespace {

constexpr float kX = WaveScript::kEntryX;
constexpr float kBossScroll = 100;
constexpr float kLobDeceleration = 0.2f;

constexpr auto makePlain = PlainEnemy::make;
Enemy* makeWeaver(GameScene* scene, const char*) { return new Enemy06(scene); }
Enemy* makeHopper(GameScene* scene, const char*) { return new Enemy01(scene); }
Enemy* makeGrouper(GameScene* scene, const char*) {
    auto* enemy = new Enemy05(scene);
    enemy->lobDeceleration = kLobDeceleration;
    return enemy;
}

using KindRow = WaveScript::KindRow;

constexpr KindRow kKinds[] = {
    {makePlain, "enemy18.twi", 500, 200, true, {0, 20, 1, 5, 0, 10, 2, 5}, 64, 40, -1, 0, 0, 0},
    {makePlain, "enemy11.twi", 300, 200, true, {0, 20, 1, 10, 2, 5, -1, 0}, 40, 64, -1, 0, 0, 0},
    {makeWeaver, nullptr, 700, 200, true, {0, 10, 1, 10, 2, 10, -1, 0}, 0, 0, -1, 0, 0, 0},
    {makeGrouper, nullptr, 1000, 300, false, {}, 0, 0, 40, 100, 10, 200},
    {makeHopper, nullptr, 300, 200, false, {}, 0, 0, -1, 0, 0, 0},
};

constexpr WaveScript::DelayRow kDelays[] = {
    {0, 0, 140},   {1, 2, 20},   {3, 3, 100},  {4, 5, 20},   {6, 6, 140},  {7, 8, 20},    {9, 9, 100},   {10, 13, 40},
    {14, 14, 200}, {15, 19, 40}, {20, 21, 60}, {22, 25, 40}, {26, 26, 80}, {27, 28, 40},  {29, 29, 100}, {30, 32, 20},
    {33, 33, 60},  {34, 36, 20}, {37, 37, 30}, {38, 38, 60}, {39, 42, 40}, {43, 43, 100}, {44, 45, 20},  {46, 46, 100},
    {47, 48, 20},  {49, 49, 30}, {50, 50, 60}, {51, 54, 20}, {55, 55, 60}, {56, 59, 20},  {60, 79, 50},  {80, 80, 100},
};

using Row = WaveScript::SpawnRow;
constexpr int kRandom = WaveScript::kRandomKind;
constexpr int kBoss = WaveScript::kBossKind;

// first, last, stride, kind, spots, own velocity?, velocity, acceleration
constexpr Row kSpawns[] = {
    {0, 2, 1, 0, 1, {{kX, 100}}, true, -5, 0, 0, 0},
    {3, 5, 1, 0, 1, {{kX, 500}}, true, -5, 0, 0, 0},
    {6, 8, 2, 1, 2, {{kX, 200}, {kX, 400}}, true, -5, 0, 0, 0},
    {7, 7, 1, 1, 1, {{kX, 300}}, true, -5, 0, 0, 0},
    {9, 13, 1, 2, 1, {{kX, 300}}, false, 0, 0, 0, 0},
    {14, 18, 2, 0, 1, {{kX, 100}}, true, -8, 0, 0, 0.1f},
    {15, 19, 2, 0, 1, {{kX, 500}}, true, -8, 0, 0, -0.1f},
    {20, 20, 1, 3, 1, {{860, 500}}, true, -3, 0, 0, 0},
    {21, 25, 1, 4, 1, {{kX, 400}}, false, 0, 0, 0, 0},
    {26, 28, 1, 2, 1, {{kX, 300}}, false, 0, 0, 0, 0},
    {29, 32, 1, 1, 1, {{kX, 200}}, true, -7, 0, 0, 0},
    {33, 36, 1, 1, 1, {{kX, 400}}, true, -7, 0, 0, 0},
    {37, 37, 1, 3, 1, {{860, 500}}, true, -3, 0, 0, 0},
    {38, 42, 1, 4, 1, {{kX, 400}}, false, 0, 0, 0, 0},
    {43, 43, 1, 0, 1, {{kX, 100}}, true, -5, 0, 0, 0},
    {44, 44, 1, 0, 1, {{kX, 140}}, true, -5, 0, 0, 0},
    {45, 45, 1, 0, 1, {{kX, 180}}, true, -5, 0, 0, 0},
    {46, 46, 1, 0, 1, {{kX, 500}}, true, -5, 0, 0, 0},
    {47, 47, 1, 0, 1, {{kX, 460}}, true, -5, 0, 0, 0},
    {48, 48, 1, 0, 1, {{kX, 420}}, true, -5, 0, 0, 0},
    {49, 49, 1, 3, 1, {{860, 500}}, true, -3, 0, 0, 0},
    {50, 54, 1, 1, 1, {{kX, 250}}, true, -7, 0, 0, 0},
    {55, 59, 1, 1, 1, {{kX, 350}}, true, -7, 0, 0, 0},
    {60, 79, 1, kRandom, 0, {}, false, 0, 0, 0, 0},
    {80, 80, 1, kBoss, 0, {}, false, 0, 0, 0, 0},
};

// step, award kind, amount
constexpr WaveScript::AwardRow kAwards[] = {
    {2, 4, 200},  {5, 4, 200},  {7, 2, 200},  {13, 3, 200}, {18, 2, 200}, {19, 2, 200}, {20, 2, 200}, {25, 3, 200},
    {28, 3, 200}, {32, 4, 200}, {36, 3, 200}, {37, 2, 200}, {42, 3, 200}, {45, 4, 200}, {48, 4, 200}, {49, 1, 500},
    {54, 3, 200}, {59, 4, 200}, {64, 2, 200}, {69, 3, 200}, {74, 4, 200}, {79, 1, 500},
};

constexpr const char* kHeldImages[] = {
    "enemy01.twi",     "enemy05.twi", "enemy06.twi",     "enemy11.twi",   "enemy18.twi", "bulletEnemy05.twi",
    "bulletEnemy.twi", "boss1.twi",   "bulletBoss1.twi", "explosion.twi", "awards.twi",
};

// Every randomly chosen enemy shoots: first shot, interval, bullet speed, bullet damage.
constexpr WaveScript::RandomShot kRandomShot{20, 100, 8, 100};

constexpr WaveScript::Table kTable{kKinds, kDelays, kSpawns, kAwards, kRandomShot, kHeldImages, "enemy05Shoot.tws"};

}  // namespace

Stage1Script::Stage1Script(GameScene* scene) : WaveScript(scene, kTable) {}

Stage1Script::~Stage1Script() = default;

Enemy* Stage1Script::spawnRandom() {
    Enemy* enemy = nullptr;
    switch (tidewell::Random::choose(4)) {
        case 0:
            enemy = spawnKind(4);
            enemy->setPosition(kEntryX, 400);
            break;
        case 1:
            enemy = spawnKind(2);
            enemy->setPosition(kEntryX, 300);
            break;
        case 2:
            enemy = spawnKind(1);
            enemy->setPosition(kEntryX, drawPosition(50, 125, 8192));
            enemy->velocity[0] = -7;
            enemy->velocity[1] = 0;
            break;
        default: {
            enemy = spawnKind(0);
            const float y = drawPosition(50, 125, 8192);
            enemy->setPosition(kEntryX, y);
            enemy->velocity[0] = -5;
            enemy->velocity[1] = 0;
            // Low ones curve up, high ones down, so they sweep across the middle.
            enemy->acceleration[1] = y > 400 ? -0.08f : 0.08f;
            break;
        }
    }
    return enemy;
}

void Stage1Script::spawnBoss() {
    addChild(new Boss1(scene));
    Milestones::report("boss-placed", 1);
    scene->setScrollTarget(kBossScroll);
}

}  // namespace brinefall
