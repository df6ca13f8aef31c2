#include <gtest/gtest.h>

#include "EnemyTestSupport.h"
#include "backgrounds/Background1.h"
#include "gameplay/bullets/Boss1Bullet.h"
#include "gameplay/bullets/EnemyBullet.h"
#include "gameplay/effects/BossExplosion.h"
#include "gameplay/enemies/Boss1.h"
#include "gameplay/enemies/Boss2.h"
#include "gameplay/hud/PopupText.h"
#include "gameplay/hud/WeaponPanel.h"

namespace brinefall::testing {
namespace {

class BossTest : public EnemyFixture {
protected:
    Boss1* placeBoss1() {
        auto* boss = new Boss1(scene);
        scene->getWaves()->addChild(boss);
        return boss;
    }

    std::pair<Boss2*, Boss2*> placeBoss2() {
        auto* first = new Boss2(scene, 1);
        auto* second = new Boss2(scene, 2);
        scene->getWaves()->addChild(first);
        scene->getWaves()->addChild(second);
        Boss2::pair(first, second);
        return {first, second};
    }

    float backgroundTarget() const { return dynamic_cast<Background1*>(scene->getBackground())->getTargetSpeed(); }
};

TEST_F(BossTest, Boss1GlidesInCuesTheFightAndFiresItsFanWhilePatrolling) {
    startGame();
    Boss1* boss = placeBoss1();
    step(200);
    EXPECT_FLOAT_EQ(boss->x, 700);
    EXPECT_FALSE(played("bossbegin.tws"));
    step(79);
    EXPECT_FALSE(boss->isActive());
    step(1);
    EXPECT_TRUE(boss->isActive());
    EXPECT_EQ(playFrames("bossbegin.tws"), (std::vector<std::uint64_t>{201}));
    EXPECT_EQ(playFrames("boss.tws"), (std::vector<std::uint64_t>{280}));

    bool reachedTop = false;
    bool reachedBottom = false;
    for (int i = 0; i < 20; ++i) {
        step(1);
        EXPECT_TRUE(childrenOfType<Boss1Bullet>(scene->getBulletLayer()).empty() == (i < 19)) << "fight frame " << i;
    }
    std::vector<Boss1Bullet*> fan = childrenOfType<Boss1Bullet>(scene->getBulletLayer());
    ASSERT_EQ(fan.size(), 6u);
    const float fromY = boss->image->getAbsoluteY();
    step(1);
    const float ySpeeds[6] = {-50.0f / 9, -30.0f / 9, -10.0f / 9, 10.0f / 9, 30.0f / 9, 50.0f / 9};
    for (int i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(fan[static_cast<std::size_t>(i)]->x, 700 - 10);
        EXPECT_NEAR(fan[static_cast<std::size_t>(i)]->y - fromY, ySpeeds[i], 1e-3);
        EXPECT_EQ(fan[static_cast<std::size_t>(i)]->damage, 200);
    }
    EXPECT_TRUE(played("boss1Shoot.tws"));
    for (int i = 0; i < 300; ++i) {
        step(1);
        ASSERT_GE(boss->y, 200);
        ASSERT_LE(boss->y, 400);
        reachedTop = reachedTop || boss->y == 200;
        reachedBottom = reachedBottom || boss->y == 400;
    }
    EXPECT_TRUE(reachedTop && reachedBottom);
}

TEST_F(BossTest, Boss1BodyStopsBulletsWithoutDamageAndOnlyTheWeakPointTakesItOnceFighting) {
    startGame();
    Boss1* boss = placeBoss1();
    step(1);
    const float weakX = boss->weakPoint->getAbsoluteX();
    const float weakY = boss->weakPoint->getAbsoluteY();
    EXPECT_FLOAT_EQ(weakX, 899 - 48);
    EXPECT_FLOAT_EQ(weakY, 300 + 17);

    auto onBody = bulletAt(boss->x + 60, boss->y - 40, 500);
    auto onWeakPoint = bulletAt(weakX, weakY, 500);
    auto beside = bulletAt(500, 300, 500);
    EXPECT_TRUE(boss->hitByBullet(onBody.get()));
    EXPECT_TRUE(boss->hitByBullet(onWeakPoint.get())) << "the weak point stops bullets before the fight";
    EXPECT_FALSE(boss->hitByBullet(beside.get()));
    EXPECT_EQ(boss->hitPoints, 10000);
    EXPECT_EQ(scene->getWaves()->bulletHitsEnemies(onBody.get()), 1);

    step(279);
    ASSERT_TRUE(boss->isActive());
    onBody->setPosition(boss->x + 60, boss->y - 40);
    onWeakPoint->setPosition(boss->weakPoint->getAbsoluteX(), boss->weakPoint->getAbsoluteY());
    EXPECT_TRUE(boss->hitByBullet(onBody.get()));
    EXPECT_EQ(boss->hitPoints, 10000) << "the body never takes damage";
    EXPECT_TRUE(boss->hitByBullet(onWeakPoint.get()));
    EXPECT_EQ(boss->hitPoints, 9500);
    std::vector<PopupText*> popups = childrenOfType<PopupText>(scene->getTextLayer());
    ASSERT_FALSE(popups.empty());
    EXPECT_FLOAT_EQ(popups.back()->x, boss->weakPoint->getAbsoluteX());

    // Main-gun shots 50 pixels a frame: in line with the eye they fly through the open mouth
    // to it, from any point of their stride; above it the body stops them.
    const auto flyAt = [&](float y, float fromX) {
        auto shot = bulletAt(fromX, y, 100);
        for (float x = fromX; x < 800; x += 50) {
            shot->setPosition(x, y);
            if (boss->hitByBullet(shot.get())) {
                return x;
            }
        }
        return 800.0f;
    };
    const float eyeX = boss->weakPoint->getAbsoluteX();
    const float eyeY = boss->weakPoint->getAbsoluteY();
    for (float fromX = 100; fromX < 150; fromX += 5) {
        const int before = boss->hitPoints;
        EXPECT_GT(flyAt(eyeY, fromX), eyeX - 40) << "from " << fromX;
        EXPECT_EQ(boss->hitPoints, before - 100) << "from " << fromX;
        EXPECT_LT(flyAt(eyeY - 60, fromX), eyeX) << "above the eye, from " << fromX;
        EXPECT_EQ(boss->hitPoints, before - 100);
    }

    const int lifeBefore = boss->hitPoints;
    boss->setPosition(scene->getShip()->getShipImage()->getAbsoluteX() + 100, shipY());
    EXPECT_TRUE(boss->hitByShip(scene->getShip()));
    EXPECT_EQ(boss->hitPoints, lifeBefore) << "ramming does the boss no harm";
    EXPECT_EQ(scene->getWaves()->shipHitsEnemies(scene->getShip()), 10000);
}

TEST_F(BossTest, Boss1DeathEndsTheFight) {
    startGame();
    Boss1* boss = placeBoss1();
    step(280);
    boss->takeDamage(10000);
    EXPECT_TRUE(boss->isRemoved());
    EXPECT_EQ(childrenOfType<BossExplosion>(scene->getExplosionLayer()).size(), 1u);
    EXPECT_FLOAT_EQ(backgroundTarget(), 2);
    EXPECT_EQ(scene->getWeaponPanel()->getWeaponSet(), 1);
    EXPECT_EQ(scene->getWaves()->getAfterBossCounter(), 0);
    step(1);
    EXPECT_TRUE(played("bosswin.tws"));
    EXPECT_TRUE(childrenOfType<Boss1>(scene->getWaves()).empty());
}

TEST_F(BossTest, Boss2HalvesEnterWaitTogetherAndOnlyTheLastOneStandingShootsAndEndsTheStage) {
    startGame();
    auto [first, second] = placeBoss2();
    step(201);
    EXPECT_FLOAT_EQ(first->x, 100);
    EXPECT_FLOAT_EQ(first->y, 100);
    EXPECT_FLOAT_EQ(second->x, 700);
    EXPECT_FLOAT_EQ(second->y, 500);
    EXPECT_TRUE(first->entryDone && second->entryDone);
    auto stopper = bulletAt(700, 500, 1000);
    EXPECT_EQ(scene->getWaves()->bulletHitsEnemies(stopper.get()), 1) << "stopped, also before the fight";
    EXPECT_EQ(second->hitPoints, 15000);

    step(80);
    ASSERT_TRUE(first->isActive() && second->isActive());
    const std::vector<std::uint64_t> begin = playFrames("bossbegin.tws");
    const std::vector<std::uint64_t> music = playFrames("boss.tws");
    ASSERT_EQ(begin.size(), 1u);
    ASSERT_EQ(music.size(), 1u);
    EXPECT_EQ(music[0] - begin[0], 79u) << "the fight starts 80 frames after the cue, counting the cue's";

    step(60);
    EXPECT_TRUE(childrenOfType<EnemyBullet>(scene->getBulletLayer()).empty()) << "both halves fight silently";
    first->takeDamage(15000);
    EXPECT_TRUE(first->isRemoved());
    EXPECT_TRUE(second->lastStanding);
    EXPECT_EQ(scene->getWeaponPanel()->getWeaponSet(), 0);
    step(21);
    EXPECT_FALSE(played("bosswin.tws"));
    std::vector<EnemyBullet*> shots = childrenOfType<EnemyBullet>(scene->getBulletLayer());
    ASSERT_EQ(shots.size(), 1u) << "the survivor fires at the ship";
    EXPECT_EQ(shots[0]->damage, 150);

    second->takeDamage(15000);
    EXPECT_EQ(childrenOfType<BossExplosion>(scene->getExplosionLayer()).size(), 2u);
    EXPECT_EQ(scene->getWeaponPanel()->getWeaponSet(), 1);
    EXPECT_FLOAT_EQ(backgroundTarget(), 2);
    step(1);
    EXPECT_TRUE(played("bosswin.tws"));
}

TEST_F(BossTest, ABoss2HalfWalksOnlyTheGridWhereverItStands) {
    startGame(7);
    auto [first, second] = placeBoss2();
    second->remove();
    step(1);
    EXPECT_EQ(first->partner, nullptr) << "the partner's end is heard";
    first->active = true;
    first->setPosition(100, 100);
    // Walked by hand: the grid walk needs no drawing, and many points.
    first->update();
    EXPECT_TRUE((first->x == 110 && first->y == 100) || (first->x == 100 && first->y == 110))
        << "from the top left corner only right or down: " << first->x << ", " << first->y;
    int cornersVisited = 0;
    for (int i = 0; i < 5000; ++i) {
        first->update();
        const float x = first->x;
        const float y = first->y;
        ASSERT_TRUE(x >= 100 && x <= 700 && y >= 100 && y <= 500) << x << ", " << y;
        ASSERT_TRUE(x == 100 || x == 400 || x == 700 || y == 100 || y == 300 || y == 500) << x << ", " << y;
        const bool corner = (x == 100 || x == 700) && (y == 100 || y == 500);
        cornersVisited += corner ? 1 : 0;
    }
    EXPECT_GT(cornersVisited, 4);
    EXPECT_TRUE(childrenOfType<EnemyBullet>(scene->getBulletLayer()).empty()) << "not the last one standing";
}

}  // namespace
}  // namespace brinefall::testing
