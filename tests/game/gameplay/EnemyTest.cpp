#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "EnemyTestSupport.h"
#include "display/Text.h"
#include "gameplay/bullets/EnemyBullet.h"
#include "gameplay/bullets/LobBullet.h"
#include "gameplay/effects/Award.h"
#include "gameplay/effects/AwardLayer.h"
#include "gameplay/effects/EnemyExplosion.h"
#include "gameplay/enemies/Enemy01.h"
#include "gameplay/enemies/Enemy02.h"
#include "gameplay/enemies/Enemy05.h"
#include "gameplay/enemies/Enemy06.h"
#include "gameplay/enemies/Enemy07.h"
#include "gameplay/enemies/Enemy13.h"
#include "gameplay/enemies/PlainEnemy.h"
#include "gameplay/hud/PopupText.h"

namespace brinefall::testing {
namespace {

class EnemyTest : public EnemyFixture {
protected:
    PlainEnemy* plainAt(float x, float y, int hitPoints) {
        auto* enemy = place(new PlainEnemy(scene, "enemy18.twi"), x, y);
        enemy->setHitPoints(hitPoints);
        return enemy;
    }

    std::vector<PopupText*> popups() const { return childrenOfType<PopupText>(scene->getTextLayer()); }
};

TEST_F(EnemyTest, DamageTintsAndShowsTheAmountAndExactlyTheHitPointsKill) {
    startGame();
    PlainEnemy* enemy = plainAt(600, 300, 500);
    step(1);

    enemy->takeDamage(40);
    EXPECT_EQ(enemy->hitPoints, 460);
    EXPECT_EQ(enemy->image->colour & 0xFFFFFF, 0xFFEAEAu);  // 460 * 255 / 500 = 234
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0]->getText()->getLength(), 2u) << "the popup shows 40, not the 460 left";
    EXPECT_TRUE(enemy->shaking);
    EXPECT_EQ(enemy->image->getFrame(), 3u) << "the hit frame";
    step(1);
    EXPECT_TRUE(played("hit.tws"));
    EXPECT_FALSE(played("enemyDead.tws"));

    enemy->takeDamage(-5);
    EXPECT_EQ(enemy->hitPoints, 460) << "negative damage changes nothing";

    enemy->takeDamage(460);
    EXPECT_EQ(enemy->hitPoints, 0);
    EXPECT_TRUE(enemy->isRemoved());
    EXPECT_EQ(popups().back()->getText()->getLength(), 3u);
    EXPECT_EQ(childrenOfType<EnemyExplosion>(scene->getExplosionLayer()).size(), 1u);
    step(1);
    EXPECT_TRUE(played("enemyDead.tws"));
    EXPECT_TRUE(childrenOfType<PlainEnemy>(scene->getWaves()).empty());
}

TEST_F(EnemyTest, AwardsDropOneOfEachKindFromOnePointTowardsTheShip) {
    startGame();
    step(40);  // the ship has flown in
    PlainEnemy* plain = plainAt(500, 200, 100);
    plain->takeDamage(100);
    EXPECT_TRUE(childrenOf(scene->getAwardLayer()).empty()) << "no amounts, no awards";

    PlainEnemy* rich = plainAt(600, 300, 100);
    rich->awards[1] = 200;  // life experience
    rich->awards[3] = 400;  // gun experience
    rich->awards[0] = 0;
    const float dx = shipX() - 600;
    const float dy = shipY() - 300;
    const float d = std::sqrt(dx * dx + dy * dy);
    rich->takeDamage(150);

    std::vector<Award*> awards = childrenOfType<Award>(scene->getAwardLayer());
    ASSERT_EQ(awards.size(), 2u);
    EXPECT_EQ(awards[0]->getKind(), 2);
    EXPECT_EQ(awards[0]->getAmount(), 200);
    EXPECT_EQ(awards[1]->getKind(), 4);
    EXPECT_EQ(awards[1]->getAmount(), 400);
    for (Award* award : awards) {
        EXPECT_FLOAT_EQ(award->x, 600);
        EXPECT_FLOAT_EQ(award->y, 300);
        EXPECT_NEAR(award->getXSpeed(), 5 * dx / d, 1e-4);
        EXPECT_NEAR(award->getYSpeed(), 5 * dy / d, 1e-4);
    }
}

TEST_F(EnemyTest, AShakeHitAgainStaysInStepAndEndsWithin8FramesOfTheLastHit) {
    startGame();
    PlainEnemy* enemy = plainAt(600, 300, 10000);
    enemy->setAnimation(0, 5, 1, 5, -1, 0, -1, 0);
    step(1);
    enemy->takeDamage(10);
    step(3);  // shaken down, up, down: 2 pixels below its line
    EXPECT_FLOAT_EQ(enemy->y, 302);
    enemy->takeDamage(10);
    EXPECT_EQ(enemy->shakeCounter, 1) << "the counter keeps its parity";
    int frames = 0;
    while (enemy->shaking && frames < 20) {
        step(1);
        ++frames;
        EXPECT_TRUE(enemy->y == 300 || enemy->y == 302) << "frame " << frames << ": y " << enemy->y;
    }
    EXPECT_LE(frames, 8);
    EXPECT_FLOAT_EQ(enemy->y, 300);
    EXPECT_EQ(enemy->image->getFrame(), 0u);
    EXPECT_TRUE(enemy->animating);
}

TEST_F(EnemyTest, ARemovedEnemyIgnoresFurtherHitsInTheSameFrame) {
    startGame();
    PlainEnemy* front = plainAt(600, 300, 100);
    PlainEnemy* behind = plainAt(610, 300, 1000);
    step(1);
    auto bullet = bulletAt(600, 300, 100);
    EXPECT_EQ(scene->getWaves()->bulletHitsEnemies(bullet.get()), 1);
    EXPECT_TRUE(front->isRemoved());
    EXPECT_EQ(behind->hitPoints, 1000);

    EXPECT_FALSE(front->hitByBullet(bullet.get()));
    EXPECT_EQ(scene->getWaves()->bulletHitsEnemies(bullet.get()), 1);
    EXPECT_EQ(behind->hitPoints, 900) << "the next bullet goes to the living enemy";
    EXPECT_EQ(childrenOfType<EnemyExplosion>(scene->getExplosionLayer()).size(), 1u);
}

TEST_F(EnemyTest, APassThroughBulletDamagesEveryEnemyItOverlapsAndIsNotReportedStopped) {
    startGame();
    PlainEnemy* first = plainAt(600, 300, 1000);
    PlainEnemy* second = plainAt(605, 300, 1000);
    PlainEnemy* away = plainAt(600, 500, 1000);
    step(1);
    auto fire = bulletAt(600, 300, 150, true);
    EXPECT_EQ(scene->getWaves()->bulletHitsEnemies(fire.get()), -1);
    EXPECT_EQ(first->hitPoints, 850);
    EXPECT_EQ(second->hitPoints, 850);
    EXPECT_EQ(away->hitPoints, 1000);

    auto plain = bulletAt(600, 300, 150);
    EXPECT_EQ(scene->getWaves()->bulletHitsEnemies(plain.get()), 1);
    EXPECT_EQ(first->hitPoints, 700);
    EXPECT_EQ(second->hitPoints, 850) << "a plain bullet stops at the first enemy";
}

TEST_F(EnemyTest, TheShipRammingAnEnemyDealsItsRamDamageAndGetsTheContactDamage) {
    startGame();
    step(40);
    PlainEnemy* enemy = plainAt(shipX(), shipY(), 5000);
    enemy->contactDamage = 300;
    EXPECT_EQ(scene->getWaves()->shipHitsEnemies(scene->getShip()), 300);
    EXPECT_EQ(enemy->hitPoints, 5000 - scene->getShip()->getRamDamage());
    enemy->setAlpha(128);
    EXPECT_EQ(scene->getWaves()->shipHitsEnemies(scene->getShip()), -1) << "a fading enemy is not touched";
}

TEST_F(EnemyTest, TheAimedShotComesAtItsFirstFrameThenEveryIntervalTowardsTheShip) {
    startGame();
    PlainEnemy* enemy = plainAt(600, 300, 1000);
    enemy->firstShot = 20;
    enemy->shotInterval = 100;
    enemy->bulletSpeed = 8;
    enemy->bulletDamage = 100;
    step(20);
    EXPECT_TRUE(childrenOfType<EnemyBullet>(scene->getBulletLayer()).empty());
    const float dx = shipX() - 600;
    const float dy = shipY() - 300;
    step(1);
    std::vector<EnemyBullet*> bullets = childrenOfType<EnemyBullet>(scene->getBulletLayer());
    ASSERT_EQ(bullets.size(), 1u);
    EXPECT_EQ(bullets[0]->damage, 100);
    EXPECT_FLOAT_EQ(bullets[0]->x, 600);
    EXPECT_FLOAT_EQ(bullets[0]->y, 300);
    step(1);
    const float d = std::sqrt(dx * dx + dy * dy);
    EXPECT_NEAR(bullets[0]->x - 600, 8 * dx / d, 1e-3);
    EXPECT_NEAR(bullets[0]->y - 300, 8 * dy / d, 1e-3);
    step(120);
    EXPECT_EQ(playFrames("enemyShoot.tws"), (std::vector<std::uint64_t>{21, 121}));
}

TEST_F(EnemyTest, EnemiesLeaveOnlyWhenTheirImageIsOutsideTheBox) {
    startGame();
    plainAt(-65, 300, 100);
    PlainEnemy* inside = plainAt(-63, 300, 100);
    auto* bouncer = place(new Enemy13(scene), 400, 650);
    bouncer->setHitPoints(1500);
    step(1);
    std::vector<PlainEnemy*> left = childrenOfType<PlainEnemy>(scene->getWaves());
    ASSERT_EQ(left.size(), 1u) << "the one beyond x -64 is gone";
    EXPECT_EQ(left[0], inside);

    float highest = 650;
    for (int i = 0; i < 120; ++i) {
        step(1);
        ASSERT_FALSE(bouncer->isRemoved()) << "frame " << i;
        highest = std::min(highest, bouncer->image->getAbsoluteY());
    }
    EXPECT_FLOAT_EQ(bouncer->x, 400) << "no speed of its own";
    EXPECT_LT(highest, 300) << "it jumps well into view";
}

TEST_F(EnemyTest, KindsMoveTheirImageTheirOwnWay) {
    startGame();
    auto* leaper = place(new Enemy07(scene), 700, 400);
    leaper->setAnimation(0, 10, 1, 10, 2, 10, -1, 0);
    leaper->velocity[0] = 0;
    auto* weaver = place(new Enemy06(scene), 700, 300);
    weaver->velocity[0] = 0;
    float weaveLowest = 0;
    float weaveHighest = 0;
    for (int frame = 1; frame <= 29; ++frame) {
        step(1);
        ASSERT_FLOAT_EQ(leaper->image->y, 0) << "no leap before the cycle restarts, frame " << frame;
        weaveLowest = std::max(weaveLowest, weaver->image->y);
        weaveHighest = std::min(weaveHighest, weaver->image->y);
    }
    step(1);
    EXPECT_TRUE(leaper->hopping);
    EXPECT_FLOAT_EQ(leaper->image->y, -30);
    EXPECT_FLOAT_EQ(leaper->getHitArea()->y, -30) << "the hit area follows the image";
    int landing = 0;
    while (leaper->hopping && landing < 100) {
        step(1);
        ++landing;
    }
    EXPECT_FLOAT_EQ(leaper->image->y, 0);
    step(5);
    EXPECT_FLOAT_EQ(leaper->image->y, 0) << "it rests on its line between leaps";

    for (int frame = 0; frame < 80; ++frame) {
        step(1);
        weaveLowest = std::max(weaveLowest, weaver->image->y);
        weaveHighest = std::min(weaveHighest, weaver->image->y);
    }
    EXPECT_NEAR(weaveHighest, -100, 6);
    EXPECT_NEAR(weaveLowest, 100, 6);
}

TEST_F(EnemyTest, HoppersShowTheirHopInTheirFrames) {
    startGame();
    auto* crab = place(new Enemy01(scene), 700, 400);
    auto* shrimp = place(new Enemy02(scene), 700, 200);
    crab->velocity[0] = 0;
    shrimp->velocity[0] = 0;
    step(1);
    EXPECT_FLOAT_EQ(crab->image->y, -20);
    EXPECT_EQ(crab->image->getFrame(), 2u) << "jumping";
    float crabTop = 0;
    int crabLanding = 0;
    int shrimpLanding = 0;
    for (int frame = 2; frame <= 60; ++frame) {
        step(1);
        crabTop = std::min(crabTop, crab->image->y);
        if (crab->hopSpeed > 15) {
            EXPECT_EQ(crab->image->getFrame(), 1u) << "falling fast, frame " << frame;
        }
        if (crabLanding == 0 && crab->image->y == 0) {
            crabLanding = frame;
        }
        if (shrimpLanding == 0 && shrimp->image->y == 0) {
            shrimpLanding = frame;
        }
    }
    EXPECT_FLOAT_EQ(crabTop, -210);
    EXPECT_GT(crabLanding, shrimpLanding) << "the shrimp falls harder and lands sooner";
    EXPECT_FLOAT_EQ(crab->getHitArea()->y, crab->image->y);
}

TEST_F(EnemyTest, TheUrchinShowsItsHopSpeedBandsUpToTheirEdges) {
    startGame();
    auto* urchin = place(new Enemy13(scene), 400, 500);
    // Its frame by hop speed: below -20 stretched (1), from -20 squashed (0), from -10 round
    // (2), from 10 squashed again, from 20 on stretched.
    struct Band {
        float from;
        unsigned frame;
    };
    constexpr Band kBands[] = {{-1000, 1}, {-20, 0}, {-10, 2}, {10, 0}, {20, 1}};
    auto designedFrame = [&](float speed) {
        unsigned frame = 0;
        for (const Band& band : kBands) {
            if (speed >= band.from) frame = band.frame;
        }
        return frame;
    };
    std::set<float> edgesSeen;
    for (int frame = 1; frame <= 90; ++frame) {
        step(1);
        const float speed = urchin->hopSpeed;
        EXPECT_EQ(urchin->image->getFrame(), designedFrame(speed)) << "frame " << frame << ", speed " << speed;
        for (const Band& band : kBands) {
            if (speed == band.from) edgesSeen.insert(speed);
        }
    }
    EXPECT_EQ(edgesSeen.size(), 4u) << "a hop passes every edge exactly";
}

TEST_F(EnemyTest, TheGrouperLobsItsGlobWithItsMouthWideOpen) {
    startGame();
    auto* grouper = place(new Enemy05(scene), 600, 400);
    grouper->setHitPoints(1000);
    grouper->velocity[0] = 0;
    grouper->firstShot = 40;
    grouper->shotInterval = 100;
    grouper->bulletSpeed = 10;
    grouper->bulletDamage = 200;
    grouper->lobDeceleration = 0.2f;
    step(40);
    EXPECT_TRUE(childrenOfType<LobBullet>(scene->getBulletLayer()).empty());
    step(1);
    std::vector<LobBullet*> lobs = childrenOfType<LobBullet>(scene->getBulletLayer());
    ASSERT_EQ(lobs.size(), 1u);
    EXPECT_EQ(lobs[0]->damage, 200);
    EXPECT_FLOAT_EQ(lobs[0]->getSpeed(), 10);
    EXPECT_EQ(grouper->image->getFrame(), 2u);
    step(1);
    EXPECT_TRUE(played("enemy05shoot.tws"));
    step(5);
    EXPECT_EQ(grouper->image->getFrame(), 0u) << "the mouth shuts after the shot";
}

}  // namespace
}  // namespace brinefall::testing
