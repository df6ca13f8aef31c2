#include <cmath>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "core/MainLoop.h"
#include "display/Image.h"
#include "core/SettingManager.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/bullets/BombBullet.h"
#include "gameplay/bullets/DownwardBullet.h"
#include "gameplay/bullets/EnemyBullet.h"
#include "gameplay/bullets/MainBullet.h"
#include "gameplay/effects/Award.h"
#include "gameplay/effects/AwardLayer.h"
#include "gameplay/effects/ShipExplosion.h"
#include "gameplay/hud/GameOverMenu.h"
#include "gameplay/hud/PopupText.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinefall {
namespace {

constexpr int kLeftCtrl = 29;
constexpr int kUp = 200;
constexpr int kLeft = 203;
constexpr int kRight = 205;
constexpr int kDown = 208;
// From x -100 to 100 at 5 pixels a frame.
constexpr int kFlyInFrames = 40;
// The gun's counter runs only under player control: after the fly-in it needs 6 frames.
constexpr int kGunReadyFrames = 6;

class PlayerShipTest : public testing::GameFixture {
protected:
    void start(bool useJoystick = false, bool invincible = false, bool fullPower = false) {
        startEngine();
        scene = new GameScene(useJoystick, invincible, fullPower);
        setRoot(scene);
        ship = scene->getShip();
        step(kFlyInFrames + kGunReadyFrames);
        ASSERT_FALSE(ship->isFlying());
    }

    float shipX() const { return ship->getShipImage()->x; }
    float shipY() const { return ship->getShipImage()->y; }

    template <typename T>
    int countInBulletLayer() const {
        int count = 0;
        for (T* bullet : childrenOfType<T>(scene->getBulletLayer())) {
            count += bullet->isRemoved() ? 0 : 1;
        }
        return count;
    }

    std::vector<std::string> popups() const {
        std::vector<std::string> texts;
        for (PopupText* popup : childrenOfType<PopupText>(scene->getTextLayer())) {
            texts.push_back(popup->getString());
        }
        return texts;
    }

    int timesPlayed(const std::string& file) const {
        int count = 0;
        for (const AudioEvent& event : audioEvents()) {
            count += event.kind == AudioEvent::SoundPlay && event.file == file ? 1 : 0;
        }
        return count;
    }

    int vibrationStarts(int joystick = 0) {
        int starts = 0;
        for (const auto& effect : machine().input().joystick(static_cast<std::size_t>(joystick)).effects) {
            starts += effect->starts;
        }
        return starts;
    }

    void releaseArrows() {
        for (int key : {kUp, kLeft, kRight, kDown}) {
            keyUp(key);
        }
    }

    GameScene* scene = nullptr;
    PlayerShip* ship = nullptr;
};

TEST_F(PlayerShipTest, TheShipStaysInsideTheScreenBounds) {
    // Invincible, so no hit shake moves it off the bound while it waits there.
    start(false, true);
    keyDown(kLeft);
    keyDown(kUp);
    step(80);
    EXPECT_FLOAT_EQ(shipX(), 50);
    EXPECT_FLOAT_EQ(shipY(), 32);
    releaseArrows();
    keyDown(kRight);
    keyDown(kDown);
    // 700 pixels at 5 / sqrt(2) a frame.
    step(200);
    EXPECT_FLOAT_EQ(shipX(), 750);
    EXPECT_FLOAT_EQ(shipY(), 568);
}

TEST_F(PlayerShipTest, RightBeatsLeftDownBeatsUpAndADiagonalIsAsFastAsAStraightMove) {
    start(false, true);
    const float diagonal = 5.0f / std::sqrt(2.0f);

    float x = shipX();
    float y = shipY();
    keyDown(kLeft);
    keyDown(kRight);
    keyDown(kUp);
    keyDown(kDown);
    step();
    EXPECT_NEAR(shipX() - x, diagonal, 1e-4);
    EXPECT_NEAR(shipY() - y, diagonal, 1e-4);
    EXPECT_NEAR(std::hypot(shipX() - x, shipY() - y), 5.0, 1e-4);

    releaseArrows();
    keyDown(kLeft);
    keyDown(kUp);
    x = shipX();
    y = shipY();
    step();
    EXPECT_NEAR(shipX() - x, -diagonal, 1e-4);
    EXPECT_NEAR(shipY() - y, -diagonal, 1e-4);

    releaseArrows();
    keyDown(kUp);
    x = shipX();
    y = shipY();
    step();
    EXPECT_FLOAT_EQ(shipX(), x);
    EXPECT_FLOAT_EQ(shipY() - y, -5);
}

// On a 60 Hz display the engine's own loop draws two pictures between ticks: the ship flying
// up at 5 pixels a tick is drawn 5/3 of a pixel further in each picture, the tick's own first.
TEST_F(PlayerShipTest, OnASixtyHertzDisplayTheFlyingShipIsDrawnAtThreeEvenlySpacedPlacesATick) {
    start(false, true);
    const float y = ship->getShipImage()->getAbsoluteY();
    machine().window().setDisplayRate(60);
    std::vector<unsigned> pictures;
    std::vector<float> drawnY;
    machine().window().setPictureListener([&](long, unsigned betweenTicks) {
        pictures.push_back(betweenTicks);
        drawnY.push_back(ship->getShipImage()->getDrawY());
    });
    keyDown(kUp);
    tidewell::MainLoop::setFrameLimit(framesRun() + 4);
    tidewell::MainLoop::run();
    tidewell::MainLoop::setFrameLimit(std::nullopt);
    machine().window().setPictureListener(nullptr);

    // The run ends with the fourth tick's own picture.
    EXPECT_EQ(pictures, (std::vector<unsigned>{0, 1, 2, 0, 1, 2, 0, 1, 2, 0}));
    for (std::size_t i = 0; i < drawnY.size(); ++i) {
        EXPECT_NEAR(drawnY[i], y - 5.0f * static_cast<float>(i + 1) / 3, 1e-3) << "picture " << i;
    }
}

TEST_F(PlayerShipTest, JoystickPlayFollowsTheStickAndIgnoresTheArrowKeys) {
    attachJoystick();
    start(true, true);
    joystickMove(0, 1000, 1000);
    float x = shipX();
    float y = shipY();
    step();
    EXPECT_GT(shipX(), x);
    EXPECT_GT(shipY(), y);

    joystickMove(0, 0, 0);
    keyDown(kLeft);
    step();
    x = shipX();
    step();
    EXPECT_FLOAT_EQ(shipX(), x);

    // Fire is the first button there, not Left Ctrl.
    keyDown(kLeftCtrl);
    step();
    EXPECT_EQ(countInBulletLayer<MainBullet>(), 0);
    joystickDown(0, 0);
    step();
    EXPECT_EQ(countInBulletLayer<MainBullet>(), 1);
}

TEST_F(PlayerShipTest, JoystickPlayGoesOnWhenThePadIsPulledOutAndAnotherPadTakesOver) {
    attachJoystick(true);
    start(true, true);
    joystickMove(0, 1000, 0);
    joystickDown(0, 0);
    step();
    detachJoystick(0);  // mid-flight, stick pushed and fire held
    step();
    const float x = shipX();
    const float y = shipY();
    const int shots = countInBulletLayer<MainBullet>();
    step(kGunReadyFrames * 3);
    EXPECT_FLOAT_EQ(shipX(), x) << "no pad: the ship does not move";
    EXPECT_FLOAT_EQ(shipY(), y);
    EXPECT_LE(countInBulletLayer<MainBullet>(), shots) << "nor does it fire";
    ship->takeDamage(10);  // a jolt for a pad that is not there
    EXPECT_EQ(vibrationStarts(0), 0);

    attachJoystick(true);  // a pad comes back: the game's joystick 0 again
    step();
    joystickMove(1, 0, 1000);
    joystickDown(1, 0);
    step(2);
    EXPECT_GT(shipY(), y);
    EXPECT_FLOAT_EQ(shipX(), x);
    EXPECT_GT(countInBulletLayer<MainBullet>(), 0);
    ship->takeDamage(10);
    EXPECT_EQ(vibrationStarts(1), 1) << "the ship's jolt plays on the new pad";
}

TEST_F(PlayerShipTest, HoldingFireShootsAtTheGunsPaceAndAPressAfterAPauseFiresAtOnce) {
    start(false, true);
    clearAudioEvents();
    keyDown(kLeftCtrl);
    step();
    EXPECT_EQ(countInBulletLayer<MainBullet>(), 1);
    step(12);
    // Frames 1, 7 and 13 of holding: every 6 frames at gun level 1.
    EXPECT_EQ(timesPlayed("shoot.tws"), 3);

    // Released for longer than the gun's interval: the next press fires on its first frame.
    keyUp(kLeftCtrl);
    step(3);
    clearAudioEvents();
    step(3);
    EXPECT_EQ(timesPlayed("shoot.tws"), 0);
    keyDown(kLeftCtrl);
    step();
    EXPECT_EQ(timesPlayed("shoot.tws"), 1);
}

TEST_F(PlayerShipTest, SpecialWeaponsFireBesideTheGunAndOnlyTheDownwardGunSounds) {
    start(false, true);
    ship->pickSpecial(1);
    // The bomb's counter has run since the ship took control; at level 1 it needs 20 frames.
    step(14);
    clearAudioEvents();
    keyDown(kLeftCtrl);
    step();
    EXPECT_EQ(countInBulletLayer<MainBullet>(), 1);
    EXPECT_EQ(countInBulletLayer<BombBullet>(), 1);
    EXPECT_EQ(timesPlayed("shoot.tws"), 1);

    keyUp(kLeftCtrl);
    ship->pickSpecial(3);
    step(10);
    keyDown(kLeftCtrl);
    clearAudioEvents();
    step();
    EXPECT_EQ(countInBulletLayer<DownwardBullet>(), 1);
    EXPECT_EQ(timesPlayed("shoot.tws"), 2);
}

TEST_F(PlayerShipTest, DamageBeyondTheLifeStopsAtZeroShowsTheFullAmountAndEndsTheGame) {
    start();
    clearAudioEvents();
    ship->takeDamage(1500);
    EXPECT_EQ(ship->getLife(), 0);
    EXPECT_TRUE(ship->isDead());
    EXPECT_EQ(popups(), std::vector<std::string>{"1500"});
    EXPECT_EQ(ship->colour >> 24, 0u);
    EXPECT_EQ(childrenOfType<ShipExplosion>(scene->getExplosionLayer()).size(), 1u);
    EXPECT_TRUE(scene->getGameOverMenu()->isShown());
    EXPECT_TRUE(played("dead.tws"));
    EXPECT_FALSE(played("puffloHit.tws"));

    // A dead ship neither moves nor is hit.
    const float x = shipX();
    keyDown(kRight);
    step(3);
    EXPECT_FLOAT_EQ(shipX(), x);
    auto* bullet = new EnemyBullet(scene);
    scene->addBullet(bullet, shipX(), shipY());
    EXPECT_EQ(ship->hitByBullet(bullet), -1);
}

TEST_F(PlayerShipTest, AnEnemyBulletHurtsAndTintsTheShipButAnInvincibleShipOnlyReportsTheHit) {
    start();
    auto* bullet = new EnemyBullet(scene);
    bullet->damage = 600;
    scene->addBullet(bullet, shipX(), shipY());
    step();
    // The bullet took itself out, and the end of the frame has deleted it.
    EXPECT_EQ(countInBulletLayer<EnemyBullet>(), 0);
    EXPECT_EQ(ship->getLife(), 400);
    EXPECT_TRUE(played("puffloHit.tws"));
    // Below half of the maximum the ship reddens: 400 of 500 is green and blue at 204.
    EXPECT_EQ(ship->getShipImage()->colour & 0xFFFFFFu, 0xFFCCCCu);
    ship->addLife(600);
    EXPECT_EQ(ship->getLife(), 1000);
    EXPECT_EQ(ship->getShipImage()->colour & 0xFFFFFFu, 0xFFFFFFu);

    ship->setInvincible(true);
    auto* second = new EnemyBullet(scene);
    second->damage = 600;
    scene->addBullet(second, shipX(), shipY());
    EXPECT_EQ(scene->bulletHitsShip(second), 1);
    step();
    EXPECT_EQ(countInBulletLayer<EnemyBullet>(), 0);
    EXPECT_EQ(ship->getLife(), 1000);
}

TEST_F(PlayerShipTest, AHitWhileShakingStartsTheShakeOverInStepAndItEndsWhereItBegan) {
    start(false, false);
    const float y = shipY();
    ship->takeDamage(10);
    EXPECT_TRUE(ship->isShaking());
    EXPECT_EQ(ship->getShipImage()->getFrame(), 3u);
    EXPECT_FALSE(ship->isAnimating());
    step(5);
    EXPECT_NE(shipY(), y);
    ship->takeDamage(10);
    EXPECT_EQ(ship->getShakeCounter(), 1);
    step(9);
    EXPECT_TRUE(ship->isShaking());
    step();
    EXPECT_FALSE(ship->isShaking());
    EXPECT_FLOAT_EQ(shipY(), y);
    EXPECT_EQ(ship->getShipImage()->getFrame(), 0u);
    EXPECT_TRUE(ship->isAnimating());
}

TEST_F(PlayerShipTest, AwardsArePickedUpOnlyUnderPlayerControl) {
    startEngine();
    scene = new GameScene(false, false, false);
    setRoot(scene);
    ship = scene->getShip();
    step(5);
    auto* early = new Award(2, 200, 0, 0);
    scene->addAward(early, shipX() + 5, shipY());
    step();
    EXPECT_FALSE(early->isRemoved());
    EXPECT_EQ(ship->getLifeExp(), 0);

    step(kFlyInFrames);
    auto* award = new Award(2, 200, 0, 0);
    scene->addAward(award, shipX(), shipY());
    clearAudioEvents();
    step();
    EXPECT_EQ(ship->getLifeExp(), 200);
    EXPECT_TRUE(played("award.tws"));
    EXPECT_EQ(popups().back(), "Life\nEXP +200");
}

TEST_F(PlayerShipTest, HitsVibrateInJoystickPlayOnlyWhileVibrationIsEnabled) {
    attachJoystick(true);
    start(true);
    ship->takeDamage(10);
    EXPECT_EQ(vibrationStarts(), 1);
    tidewell::SettingManager::writeSetting("enableVibration", false);
    ship->takeDamage(10);
    EXPECT_EQ(vibrationStarts(), 1);
}

TEST_F(PlayerShipTest, KeyboardPlayNeverVibratesEvenWithAJoystickAttached) {
    attachJoystick(true);
    start(false);
    ship->takeDamage(10);
    EXPECT_EQ(vibrationStarts(), 0);
}

}  // namespace
}  // namespace brinefall
