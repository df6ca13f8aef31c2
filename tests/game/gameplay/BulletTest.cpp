#include <algorithm>
#include <memory>

#include "GameFixture.h"
#include "display/Image.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/WaveScript.h"
#include "gameplay/bullets/BombBullet.h"
#include "gameplay/bullets/Boss1Bullet.h"
#include "gameplay/bullets/DownwardBullet.h"
#include "gameplay/bullets/EnemyBullet.h"
#include "gameplay/bullets/FireBombBullet.h"
#include "gameplay/bullets/LobBullet.h"
#include "gameplay/bullets/MainBullet.h"
#include "gameplay/effects/BombExplosion.h"
#include "gameplay/enemies/PlainEnemy.h"

using namespace tidewell;
using namespace brinefall;

namespace {

int alphaOf(const Sprite* sprite) { return static_cast<int>(sprite->colour >> 24); }

class BulletTest : public brinefall::testing::GameFixture {
protected:
    // A game whose wave script is held still (nothing spawns, placed enemies stand where
    // they are put), with the ship flown in to (100, 300) and under control.
    void startGame(bool invincible = false) {
        startEngine();
        scene = new GameScene(false, invincible, false);
        setRoot(scene);
        scene->getWaves()->updateEnabled = false;
        step(60);
        ASSERT_FLOAT_EQ(shipImage()->x, 100);
        ASSERT_FLOAT_EQ(shipImage()->y, 300);
    }

    // A 48 x 64 target whose hit area is its picture.
    Enemy* placeEnemy(float x, float y, int hitPoints = 1000000) {
        auto* enemy = new PlainEnemy(scene, "enemy14.twi");
        scene->getWaves()->addChild(enemy);
        enemy->setHitPoints(hitPoints);
        enemy->setPosition(x, y);
        return enemy;
    }

    template <typename T>
    T* fire(T* bullet, float x, float y) {
        scene->addBullet(bullet, x, y);
        return bullet;
    }

    Image* shipImage() const { return scene->getShip()->getShipImage(); }
    std::size_t bulletsLeft() const { return childrenOf(scene->getBulletLayer()).size(); }

    GameScene* scene = nullptr;
};

}  // namespace

TEST_F(BulletTest, TheShipsBulletsTakeTheirLevelsPowerAndNoneOutsideOneToFive) {
    startGame();
    const int mainDamage[] = {0, 100, 100, 200, 300, 500, 0};
    const float mainHalfHeight[] = {3, 3, 3, 8, 13, 16, 3};
    const unsigned mainFrame[] = {0, 0, 0, 1, 2, 3, 0};
    const int bombDamage[] = {0, 500, 500, 500, 1000, 1000, 0};
    const int fireDamage[] = {0, 100, 100, 120, 150, 150, 0};
    const int firePairs[] = {0, 0, 0, 1, 2, 3, 0};
    const int fireHold[] = {10, 10, 10, 10, 10, 12, 10};
    const float downwardHalfSize[] = {5, 5, 5, 8, 10, 16, 5};
    for (int level = 0; level <= 6; ++level) {
        SCOPED_TRACE(level);
        auto main = std::make_unique<MainBullet>(scene, level);
        EXPECT_EQ(main->damage, mainDamage[level]);
        EXPECT_EQ(main->getImage()->getFrame(), mainFrame[level]);
        EXPECT_FLOAT_EQ(main->getHitArea()->getBottom(), mainHalfHeight[level]);
        EXPECT_FLOAT_EQ(main->getHitArea()->getRight(), 16);
        EXPECT_EQ(main->getHitArea()->hitShape, Sprite::rectangleShape);
        auto downward = std::make_unique<DownwardBullet>(scene, level, 0, 50);
        EXPECT_EQ(downward->damage, mainDamage[level]);
        EXPECT_EQ(downward->getImage()->getFrame(), mainFrame[level]);
        EXPECT_FLOAT_EQ(downward->getHitArea()->getRight(), downwardHalfSize[level]);
        EXPECT_EQ(downward->getHitArea()->hitShape, Sprite::ellipseShape);
        auto bomb = std::make_unique<BombBullet>(scene, level);
        EXPECT_EQ(bomb->damage, bombDamage[level]);
        const bool large = level == 4 || level == 5;
        EXPECT_EQ(bomb->getImage()->getFrame(), large ? 1u : 0u);
        EXPECT_EQ(bomb->getHitArea()->hitShape, large ? Sprite::ellipseShape : Sprite::rectangleShape);
        EXPECT_FLOAT_EQ(bomb->getHitArea()->getBottom(), large ? 16 : 5);
        auto fireBomb = std::make_unique<FireBombBullet>(scene, level);
        EXPECT_EQ(fireBomb->damage, fireDamage[level]);
        EXPECT_EQ(fireBomb->getFlamePairs(), firePairs[level]);
        EXPECT_EQ(fireBomb->getHoldFrames(), fireHold[level]);
        EXPECT_EQ(fireBomb->getImage()->getFrame(), 2u);
        EXPECT_FALSE(main->passThrough || downward->passThrough || bomb->passThrough || fireBomb->passThrough);
    }
}

TEST_F(BulletTest, AMainBulletFliesFiftyAFrameAndGoesOnceItsLeftEdgeReachesTheRightOfTheScreen) {
    startGame();
    auto* bullet = fire(new MainBullet(scene, 3), 700, 100);
    step(1);
    EXPECT_FLOAT_EQ(bullet->x, 750);
    step(1);
    ASSERT_EQ(bulletsLeft(), 1u);
    EXPECT_LT(bullet->getAbsoluteLeft(), 800);
    EXPECT_GT(bullet->getAbsoluteRight(), 800);
    step(1);
    EXPECT_EQ(bulletsLeft(), 0u);
}

TEST_F(BulletTest, AMainBulletStopsAtTheFirstEnemyItMeetsWhichAloneTakesItsDamage) {
    startGame();
    Enemy* first = placeEnemy(400, 100);
    Enemy* second = placeEnemy(400, 100);
    Enemy* below = placeEnemy(400, 200);
    fire(new MainBullet(scene, 5), 340, 100);
    step(1);
    EXPECT_EQ(bulletsLeft(), 0u);
    EXPECT_EQ(first->maxHitPoints - first->hitPoints, 500);
    EXPECT_EQ(second->hitPoints, second->maxHitPoints);
    EXPECT_EQ(below->hitPoints, below->maxHitPoints);
}

TEST_F(BulletTest, ADownwardShotFallsFiftyAFrameStopsAtAnEnemyAndOtherwiseLeavesAtTheBottom) {
    startGame();
    Enemy* target = placeEnemy(600, 250);
    fire(new DownwardBullet(scene, 4, 0, 50), 600, 150);
    auto* miss = fire(new DownwardBullet(scene, 4, 0, 50), 400, 480);
    step(1);
    EXPECT_EQ(target->hitPoints, target->maxHitPoints);
    EXPECT_FLOAT_EQ(miss->y, 530);
    step(1);
    EXPECT_EQ(target->maxHitPoints - target->hitPoints, 300);
    // The other one at 580: its top (564) is still on screen; at 630 it is not.
    ASSERT_EQ(bulletsLeft(), 1u);
    EXPECT_FLOAT_EQ(miss->getAbsoluteTop(), 564);
    step(1);
    EXPECT_EQ(bulletsLeft(), 0u);
}

TEST_F(BulletTest, ABombFallsOutOfTheScreenAndGoesOnlyWhenItsTopReaches800) {
    startGame();
    auto* bomb = fire(new BombBullet(scene, 1), 400, 300);
    bool seenBelowTheScreen = false;
    float top = bomb->getAbsoluteTop();
    float speed = bomb->getYSpeed();
    for (int frame = 0; frame < 100 && bulletsLeft() == 1; ++frame) {
        step(1);
        if (bulletsLeft() == 0) {
            EXPECT_GE(top + speed, 800) << "gone too early, at top " << top + speed;
            break;
        }
        EXPECT_FLOAT_EQ(bomb->getAbsoluteTop(), top + speed);
        EXPECT_FLOAT_EQ(bomb->getYSpeed(), speed + 1);
        top = bomb->getAbsoluteTop();
        speed = bomb->getYSpeed();
        EXPECT_LT(top, 800);
        if (top >= 600) seenBelowTheScreen = true;
    }
    EXPECT_TRUE(seenBelowTheScreen);
    EXPECT_EQ(bulletsLeft(), 0u);
}

TEST_F(BulletTest, ABombThatMeetsAnEnemyBlowsUpThereWithTheExplodeSound) {
    startGame();
    Enemy* target = placeEnemy(410, 340);
    fire(new BombBullet(scene, 4), 400, 300);
    clearAudioEvents();
    step(1);
    EXPECT_EQ(bulletsLeft(), 0u);
    EXPECT_EQ(target->maxHitPoints - target->hitPoints, 1000);
    const auto blasts = childrenOfType<BombExplosion>(scene->getExplosionLayer());
    ASSERT_EQ(blasts.size(), 1u);
    EXPECT_FLOAT_EQ(blasts[0]->getAbsoluteX(), 403);
    EXPECT_FLOAT_EQ(blasts[0]->getAbsoluteY(), 308);
    EXPECT_TRUE(played("explode.tws"));
}

TEST_F(BulletTest, AFireBombBurstingOverTwoEnemiesBurnsBothEveryFrameWhileItsFireOpensHoldsAndCloses) {
    startGame();
    // Falling at (3, 8), (3, 9) ... from (300, 300) it meets the first target on its fourth
    // frame at (312, 338); the second stands beyond its narrow hit area, within the opened fire.
    Enemy* under = placeEnemy(300, 400);
    Enemy* beside = placeEnemy(372, 400);
    auto* bomb = fire(new FireBombBullet(scene, 5), 300, 300);
    const std::size_t pieces = childrenOf(bomb).size();
    EXPECT_EQ(pieces, 1u + 1u + 2u * 3u);  // hit area, centre, three flame pairs
    for (int pair = 0; pair < 3; ++pair) {
        EXPECT_EQ(alphaOf(bomb->getLeftFlame(pair)), 0);
        EXPECT_FLOAT_EQ(bomb->getLeftFlame(pair)->x, -32.0f * (pair + 1));
        EXPECT_FLOAT_EQ(bomb->getRightFlame(pair)->x, 32.0f * (pair + 1));
    }
    EXPECT_FLOAT_EQ(bomb->getHitArea()->getRight(), 12);

    step(3);
    EXPECT_FALSE(bomb->hasBurst());
    EXPECT_EQ(under->hitPoints, under->maxHitPoints);
    clearAudioEvents();
    step(1);
    ASSERT_TRUE(bomb->hasBurst());
    EXPECT_TRUE(bomb->passThrough);
    EXPECT_TRUE(played("explode.tws"));
    EXPECT_FLOAT_EQ(bomb->x, 312);
    EXPECT_FLOAT_EQ(bomb->y, 338);
    // The burst frame: the first target stopped the test; the fire opens to 48 either side.
    EXPECT_EQ(under->maxHitPoints - under->hitPoints, 150);
    EXPECT_EQ(beside->hitPoints, beside->maxHitPoints);
    EXPECT_EQ(bomb->getBurstCounter(), 1);
    EXPECT_FLOAT_EQ(bomb->getHitArea()->getRight(), 48);
    EXPECT_EQ(bomb->getImage()->getFrame(), 0u);
    EXPECT_EQ(alphaOf(bomb->getLeftFlame(0)), 0);

    // Closed after pairs + hold + 8 = 23 counts: 22 more frames, each burning both.
    for (int k = 2; k <= 22; ++k) {
        SCOPED_TRACE(k);
        step(1);
        ASSERT_EQ(bulletsLeft(), 1u);
        EXPECT_EQ(bomb->getBurstCounter(), k);
        EXPECT_FLOAT_EQ(bomb->x, 312);
        EXPECT_FLOAT_EQ(bomb->y, 338);
        EXPECT_EQ(under->maxHitPoints - under->hitPoints, 150 * k);
        EXPECT_EQ(beside->maxHitPoints - beside->hitPoints, 150 * (k - 1));
        EXPECT_FLOAT_EQ(bomb->getHitArea()->getRight(), 32.0f * std::min(k, 3) + 16);
        EXPECT_FLOAT_EQ(bomb->getHitArea()->getBottom(), 32);
        EXPECT_EQ(childrenOf(bomb).size(), pieces);
        if (k == 5) {
            EXPECT_EQ(bomb->getImage()->getFrame(), 3u);
            EXPECT_EQ(bomb->getLeftFlame(0)->getFrame(), 3u);
            EXPECT_EQ(bomb->getRightFlame(1)->getFrame(), 2u);
            EXPECT_EQ(bomb->getLeftFlame(2)->getFrame(), 1u);
            EXPECT_EQ(alphaOf(bomb->getLeftFlame(2)), 255);
        }
        if (k == 20) {
            EXPECT_EQ(bomb->getImage()->getFrame(), 0u);
        }
        if (k == 21) {
            EXPECT_EQ(alphaOf(bomb->getImage()), 0);
        }
        if (k == 22) {
            EXPECT_EQ(alphaOf(bomb->getRightFlame(2)), 255);
            EXPECT_EQ(bomb->getRightFlame(2)->getFrame(), 1u);
        }
    }
    step(1);
    EXPECT_EQ(bulletsLeft(), 0u);
    EXPECT_EQ(under->maxHitPoints - under->hitPoints, 150 * 23);
    EXPECT_EQ(beside->maxHitPoints - beside->hitPoints, 150 * 22);
}

TEST_F(BulletTest, EnemyShotsVanishOnTheShipAndTakeItsLife) {
    startGame();
    const Image* ship = shipImage();
    auto* pellet = fire(new EnemyBullet(scene), ship->x + 90, ship->y);
    pellet->setVelocity(-30, 0);
    pellet->damage = 100;
    step(1);
    EXPECT_EQ(bulletsLeft(), 1u);
    step(1);
    EXPECT_EQ(bulletsLeft(), 0u);
    EXPECT_EQ(scene->getShip()->getLife(), 900);

    auto* spark = fire(new Boss1Bullet(scene), ship->x, ship->y);
    spark->damage = 200;
    auto* glob = fire(new LobBullet(scene), ship->x, ship->y);
    glob->damage = 300;
    step(1);
    EXPECT_EQ(bulletsLeft(), 0u);
    EXPECT_EQ(scene->getShip()->getLife(), 400);
}

TEST_F(BulletTest, EnemyShotsVanishOnAnInvincibleShipWithoutHarmingIt) {
    startGame(true);
    const Image* ship = shipImage();
    fire(new EnemyBullet(scene), ship->x, ship->y)->damage = 100;
    fire(new Boss1Bullet(scene), ship->x, ship->y)->damage = 100;
    fire(new LobBullet(scene), ship->x, ship->y)->damage = 100;
    step(1);
    EXPECT_EQ(bulletsLeft(), 0u);
    EXPECT_EQ(scene->getShip()->getLife(), 1000);
}

TEST_F(BulletTest, AnEnemyPelletSpinsThroughItsSixFramesAndGoesOffEveryEdge) {
    startGame();
    auto* still = fire(new EnemyBullet(scene), 600, 100);
    for (unsigned frame = 1; frame <= 6; ++frame) {
        step(1);
        EXPECT_EQ(still->getImage()->getFrame(), frame % 6);
    }
    // Off screen when the whole box is out: right < 0, bottom < 0, left >= 800, top >= 600.
    fire(new EnemyBullet(scene), -7, 100)->setVelocity(-1, 0);
    fire(new EnemyBullet(scene), 500, -7)->setVelocity(0, -1);
    fire(new EnemyBullet(scene), 806, 100)->setVelocity(1, 0);
    fire(new EnemyBullet(scene), 500, 606)->setVelocity(0, 1);
    step(1);
    EXPECT_EQ(bulletsLeft(), 5u);
    step(1);
    EXPECT_EQ(bulletsLeft(), 1u);
}

TEST_F(BulletTest, ALobRisesForFiftyFramesThenFallsBackEverFasterAndGoesOffTheBottom) {
    startGame();
    auto* glob = fire(new LobBullet(scene), 500, 580);
    glob->setSpeed(10);
    glob->setDeceleration(0.2f);
    step(50);
    const float highest = glob->y;
    EXPECT_NEAR(highest, 580 - 255, 0.05);
    step(1);
    EXPECT_NEAR(glob->y, highest, 0.05);
    float previousFall = 0;
    for (int frame = 0; frame < 5; ++frame) {
        const float before = glob->y;
        step(1);
        EXPECT_GT(glob->y - before, previousFall);
        previousFall = glob->y - before;
    }
    // Below the screen at last: 0.2 more each frame brings it past y 600 within 60 frames of its turn.
    step(54);
    EXPECT_EQ(bulletsLeft(), 0u);
}
