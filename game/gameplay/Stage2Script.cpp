#include "Stage2Script.h"
#include "Milestones.h"

#include "core/Random.h"
#include "gameplay/GameScene.h"
#include "gameplay/enemies/Boss2.h"
#include "gameplay/enemies/Enemy02.h"
#include "gameplay/enemies/Enemy07.h"
#include "gameplay/enemies/Enemy13.h"
#include "gameplay/enemies/PlainEnemy.h"

namespace brinefall {
namespace {

constexpr float kX = WaveScript::kEntryX;
constexpr float kBossScroll = 100;
// The urchin bouncers start below the screen and jump into view.
constexpr float kFloor = 650;

constexpr auto makePlain = PlainEnemy::make;
Enemy* makeShrimp(GameScene* scene, const char*) { return new Enemy02(scene); }
Enemy* makeFrog(GameScene* scene, const char*) { return new Enemy07(scene); }
Enemy* makeUrchin(GameScene* scene, const char*) { return new Enemy13(scene); }

constexpr WaveScript::KindRow kKinds[] = {
    {makeShrimp, nullptr, 500, 300, false, {}, 0, 0, -1, 0, 0, 0},
    {makeFrog, nullptr, 800, 300, true, {0, 10, 1, 10, 2, 10, -1, 0}, 0, 0, -1, 0, 0, 0},
    {makeUrchin, nullptr, 1500, 300, false, {}, 0, 0, -1, 0, 0, 0},
    {makePlain, "enemy14.twi", 1000, 300, true, {0, 2, 1, 2, 2, 2, -1, 0}, 42, 64, -1, 0, 0, 0},
    {makePlain, "enemy22.twi", 500, 300, true, {0, 3, 1, 3, 0, 3, 2, 3}, 42, 42, -1, 0, 0, 0},
};

constexpr WaveScript::DelayRow kDelays[] = {
    {0, 0, 60},    {1, 4, 20},    {5, 5, 60},    {6, 9, 20},   {10, 10, 140}, {11, 15, 20}, {16, 16, 500},
    {17, 20, 20},  {21, 21, 10},  {22, 22, 100}, {23, 24, 20}, {25, 25, 140}, {26, 29, 20}, {30, 30, 10},
    {31, 31, 100}, {32, 36, 20},  {37, 37, 100}, {38, 42, 20}, {43, 43, 200}, {44, 47, 20}, {48, 48, 200},
    {49, 52, 20},  {53, 53, 200}, {54, 59, 20},  {60, 89, 40}, {90, 90, 160},
};

using Row = WaveScript::SpawnRow;
constexpr int kRandom = WaveScript::kRandomKind;
constexpr int kBoss = WaveScript::kBossKind;

// A diver: a ray that swoops down from the top and pulls up again.
constexpr Row diver(int first, int last) { return {first, last, 1, 4, 1, {{kX, 100}}, true, -10, -4, 0, 0.1f}; }

// Five urchins spread across the floor.
constexpr Row urchins(int step) {
    return {step,  step, 1, 2, 5, {{50, kFloor}, {225, kFloor}, {400, kFloor}, {575, kFloor}, {750, kFloor}},
            false, 0,    0, 0, 0};
}

// first, last, stride, kind, spots, own velocity?, velocity, acceleration
constexpr Row kSpawns[] = {
    {0, 4, 1, 3, 1, {{kX, 50}}, true, -5, 2.5f, 0, 0},
    {5, 9, 1, 3, 1, {{kX, 550}}, true, -5, -2.5f, 0, 0},
    urchins(10),
    diver(11, 15),
    {16, 20, 1, 3, 1, {{kX, 100}}, true, -5, 0, 0, 0},
    {21, 21, 1, 0, 1, {{kX, 500}}, false, 0, 0, 0, 0},
    {22, 24, 1, 1, 1, {{kX, 450}}, false, 0, 0, 0, 0},
    diver(25, 29),
    {30, 30, 1, 0, 1, {{kX, 500}}, false, 0, 0, 0, 0},
    urchins(31),
    {32, 36, 1, 1, 1, {{kX, 250}}, false, 0, 0, 0, 0},
    {37, 39, 1, 3, 1, {{kX, 100}}, true, -5, 1, 0, 0},
    {40, 42, 1, 3, 1, {{kX, 300}}, true, -5, -1, 0, 0},
    diver(43, 47),
    {48, 52, 1, 1, 1, {{kX, 250}}, false, 0, 0, 0, 0},
    {53, 55, 1, 3, 1, {{kX, 50}}, true, -5, 2.5f, 0, 0},
    {56, 58, 1, 3, 1, {{kX, 550}}, true, -5, -2.5f, 0, 0},
    {59, 59, 1, 0, 1, {{kX, 500}}, false, 0, 0, 0, 0},
    {60, 89, 1, kRandom, 0, {}, false, 0, 0, 0, 0},
    {90, 90, 1, kBoss, 0, {}, false, 0, 0, 0, 0},
};

// step, award kind, amount
constexpr WaveScript::AwardRow kAwards[] = {
    {4, 5, 300},   {9, 5, 300},  {10, 5, 100}, {15, 2, 400}, {20, 4, 400}, {21, 4, 400}, {23, 1, 1000}, {27, 2, 400},
    {30, 3, 400},  {31, 5, 200}, {36, 2, 400}, {39, 4, 400}, {42, 4, 400}, {47, 3, 400}, {52, 5, 400},  {55, 5, 400},
    {58, 1, 1000}, {59, 4, 400}, {64, 2, 200}, {69, 3, 400}, {74, 2, 200}, {79, 5, 400}, {84, 4, 400},  {89, 1, 1000},
};

// Every randomly chosen enemy shoots: first shot, interval, bullet speed, bullet damage.
constexpr WaveScript::RandomShot kRandomShot{20, 100, 8, 150};

constexpr WaveScript::Table kTable{kKinds, kDelays, kSpawns, kAwards, kRandomShot, Stage2Script::kHeldImages, nullptr};

}  // namespace

Stage2Script::Stage2Script(GameScene* scene) : WaveScript(scene, kTable) {}

Stage2Script::~Stage2Script() = default;

Enemy* Stage2Script::spawnRandom() {
    Enemy* enemy = nullptr;
    switch (tidewell::Random::choose(4)) {
        case 0:
            enemy = spawnKind(1);
            enemy->setPosition(kEntryX, drawPosition(150, 75, 8192));
            break;
        case 1:
            enemy = spawnKind(2);
            enemy->setPosition(drawPosition(50, 175, 8192), kFloor);
            break;
        case 2: {
            enemy = spawnKind(3);
            const float y = drawPosition(50, 125, 8192);
            enemy->setPosition(kEntryX, y);
            enemy->velocity[0] = -5;
            // Low ones climb, high ones sink.
            enemy->velocity[1] = y > 400 ? -2.5f : 2.5f;
            break;
        }
        default:
            enemy = spawnKind(4);
            enemy->setPosition(kEntryX, drawPosition(150, 25, 2048));
            enemy->velocity[0] = -10;
            enemy->velocity[1] = -4;
            enemy->acceleration[1] = 0.1f;
            break;
    }
    return enemy;
}

void Stage2Script::spawnBoss() {
    auto* first = new Boss2(scene, 1);
    auto* second = new Boss2(scene, 2);
    addChild(first);
    addChild(second);
    Boss2::pair(first, second);
    Milestones::report("boss-placed", 2);
    scene->setScrollTarget(kBossScroll);
}

}  // namespace brinefall
