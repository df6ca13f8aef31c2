#include "Boss2.h"
#include "Milestones.h"

#include "core/Random.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/bullets/Bullet.h"
#include "gameplay/effects/BossExplosion.h"

namespace brinefall {
namespace {

constexpr float kSlowScroll = 2;

struct Direction {
    float dx;
    float dy;
};

constexpr Direction kRight{1, 0};
constexpr Direction kLeft{-1, 0};
constexpr Direction kUp{0, -1};
constexpr Direction kDown{0, 1};

// The grid the halves walk, and on each point the neighbours to choose from, in the
// order of the values drawn (0, 1, 2, 3).
constexpr float kGridX[3] = {100, 400, 700};
constexpr float kGridY[3] = {100, 300, 500};

struct GridPoint {
    int count;
    Direction choices[4];
};

constexpr GridPoint kChoices[3][3] = {
    // row y 100: columns x 100, 400, 700
    {{2, {kRight, kDown}}, {3, {kRight, kLeft, kDown}}, {2, {kLeft, kDown}}},
    // row y 300
    {{3, {kRight, kUp, kDown}}, {4, {kRight, kLeft, kUp, kDown}}, {3, {kLeft, kUp, kDown}}},
    // row y 500
    {{2, {kRight, kUp}}, {3, {kRight, kLeft, kUp}}, {2, {kLeft, kUp}}},
};

struct HalfLook {
    const char* imageFile;
    float startX;
    float startY;
    float placeX;
    float placeY;
};

constexpr HalfLook kHalves[2] = {
    {"boss2_1.twi", -100, 100, 100, 100},
    {"boss2_2.twi", 900, 500, 700, 500},
};

const HalfLook& lookOf(int half) { return kHalves[half == 2 ? 1 : 0]; }

int gridIndex(const float (&values)[3], float value) {
    for (int i = 0; i < 3; ++i) {
        if (values[i] == value) {
            return i;
        }
    }
    return -1;
}

}  // namespace

Boss2::Boss2(GameScene* scene, int half) : Enemy(scene, lookOf(half).imageFile, 1, 1), half(half == 2 ? 2 : 1) {
    setHitPoints(15000);
    contactDamage = 20;
    bulletSpeed = 10;
    bulletDamage = 150;
    firstShot = 20;
    shotInterval = 20;
    setPosition(lookOf(half).startX, lookOf(half).startY);
}

Boss2::~Boss2() {
    if (partner != nullptr) {
        partner->partner = nullptr;
    }
}

void Boss2::pair(Boss2* first, Boss2* second) {
    first->partner = second;
    second->partner = first;
}

void Boss2::update() {
    if (!active) {
        enter();
        return;
    }
    walk();
    if (lastStanding) {
        shoot();
    }
}

void Boss2::enter() {
    const HalfLook& look = lookOf(half);
    if (!entryDone) {
        if (half == 1 && x < look.placeX) {
            moveX(1);
        } else if (half == 2 && x > look.placeX) {
            moveX(-1);
        } else {
            entryDone = true;
        }
        return;
    }
    if (leadsTheCues() && (partner == nullptr || partner->entryDone)) {
        waitForTheFight();
    }
}

bool Boss2::leadsTheCues() const { return half == 1 || partner == nullptr; }

void Boss2::waitForTheFight() {
    if (waitCounter_ == 0) {
        scene->playBossBegin();
    }
    if (++waitCounter_ < kWaitFrames) {
        return;
    }
    active = true;
    if (partner != nullptr) {
        partner->active = true;
    }
    Milestones::report("boss-active", 2);
    scene->startBossMusic();
    scene->startVibration();
}

void Boss2::walk() {
    const int column = gridIndex(kGridX, x);
    const int row = gridIndex(kGridY, y);
    if (column >= 0 && row >= 0) {
        chooseDirection(column, row);
    }
    move(stepX, stepY);
}

void Boss2::chooseDirection(int column, int row) {
    const GridPoint& point = kChoices[row][column];
    const Direction& direction = point.choices[tidewell::Random::choose(point.count)];
    stepX = direction.dx * moveSpeed;
    stepY = direction.dy * moveSpeed;
}

bool Boss2::hitByBullet(Bullet* bullet) {
    if (isRemoved() || !bullet->hits(image)) {
        return false;
    }
    if (active) {
        takeDamage(bullet->damage);
    }
    // The shell stops bullets even before the fight.
    return true;
}

bool Boss2::hitByShip(PlayerShip* ship) { return !isRemoved() && image->overlaps(ship->getShipImage()); }

void Boss2::takeDamage(int amount) {
    if (amount < 0) {
        return;
    }
    loseHitPoints(amount, imageScreenX(), imageScreenY());
    play(scene->getHitSound());
    if (hitPoints == 0) {
        die();
    }
}

void Boss2::die() {
    scene->addExplosion(new BossExplosion(), imageScreenX(), imageScreenY());
    if (lastStanding || partner == nullptr) {
        Milestones::report("boss-dead", 2);
        scene->setScrollTarget(kSlowScroll);
        scene->offerWeapons();
        scene->stopBossMusic();
        scene->playBossWin();
        scene->stopVibration();
    } else {
        partner->lastStanding = true;
        partner->partner = nullptr;
        partner = nullptr;
    }
    remove();
}

}  // namespace brinefall
