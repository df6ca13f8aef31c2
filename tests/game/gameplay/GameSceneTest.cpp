#include <string>
#include <vector>

#include "GameFixture.h"
#include "Milestones.h"
#include "SceneSwitcher.h"
#include "display/Text.h"
#include "backgrounds/Background1.h"
#include "backgrounds/Background2.h"
#include "core/SettingManager.h"
#include "display/Image.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/Stage1Script.h"
#include "gameplay/Stage2Script.h"
#include "gameplay/bullets/EnemyBullet.h"
#include "gameplay/bullets/FireBombBullet.h"
#include "gameplay/effects/AwardLayer.h"
#include "gameplay/effects/ShipExplosion.h"
#include "gameplay/enemies/Enemy.h"
#include "gameplay/hud/GameOverMenu.h"
#include "gameplay/hud/LifeBar.h"
#include "gameplay/hud/PauseMenu.h"
#include "gameplay/hud/PopupText.h"
#include "gameplay/hud/StageTitle.h"
#include "gameplay/hud/WeaponPanel.h"
#include "input/InputManager.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinefall {
namespace {

constexpr int kEnter = 28;
constexpr int kSpace = 57;
constexpr int kDown = 208;
constexpr int kUp = 200;

// The switcher's place: it holds the scene and hears when the scene wants to leave.
class Holder : public tidewell::Sprite {
public:
    Holder() { keyboardEnabled = mouseEnabled = joystickEnabled = true; }
    void notify(tidewell::Sprite* sender, int code) override {
        senders.push_back(sender);
        codes.push_back(code);
    }
    std::vector<tidewell::Sprite*> senders;
    std::vector<int> codes;
};

class GameSceneTest : public testing::GameFixture {
protected:
    void start(bool useJoystick = false, bool invincible = false, bool fullPower = false) {
        startEngine();
        holder = new Holder();
        setRoot(holder);
        scene = new GameScene(useJoystick, invincible, fullPower);
        holder->addChild(scene);
    }

    std::vector<tidewell::Sprite*> expectedOrder() const {
        return {scene->getBackground(), scene->getWeaponPanel(),    scene->getBulletLayer(),  scene->getWaves(),
                scene->getShip(),       scene->getExplosionLayer(), scene->getTextLayer(),    scene->getAwardLayer(),
                scene->getLifeBar(),    scene->getStageTitle(),     scene->getFlashOverlay(), scene->getGameOverMenu(),
                scene->getPauseMenu()};
    }

    std::vector<tidewell::Sprite*> liveChildren() const {
        std::vector<tidewell::Sprite*> live;
        for (tidewell::Sprite* child : childrenOf(scene)) {
            if (!child->isRemoved()) live.push_back(child);
        }
        return live;
    }

    std::uint32_t overlayAlpha() const { return scene->getFlashOverlay()->colour >> 24; }

    // The frame the file first started in; 0 when it never did.
    std::uint64_t frameStarted(const std::string& file) const {
        for (const AudioEvent& event : audioEvents()) {
            if ((event.kind == AudioEvent::SoundPlay || event.kind == AudioEvent::MusicPlay) && event.file == file) {
                return event.frame;
            }
        }
        return 0;
    }

    int vibrationStarts() {
        int starts = 0;
        for (const auto& effect : machine().input().joystick(0).effects) starts += effect->starts;
        return starts;
    }

    // The boss rumble, told from the ship's hit jolt by its direction (90 degrees).
    bool vibrationPlaying() {
        for (const auto& effect : machine().input().joystick(0).effects) {
            if (effect->playing && effect->force.direction == 9000) return true;
        }
        return false;
    }

    Holder* holder = nullptr;
    GameScene* scene = nullptr;
};

TEST_F(GameSceneTest, ChildrenKeepTheirOrderAlsoWhenAStageIsRebuilt) {
    start();
    EXPECT_EQ(liveChildren(), expectedOrder());
    EXPECT_NE(dynamic_cast<Stage1Script*>(scene->getWaves()), nullptr);
    EXPECT_NE(dynamic_cast<Background1*>(scene->getBackground()), nullptr);
    EXPECT_FLOAT_EQ(scene->getGameOverMenu()->x, 400);
    EXPECT_FLOAT_EQ(scene->getPauseMenu()->y, 300);
    step(5);

    tidewell::Sprite* oldBullets = scene->getBulletLayer();
    scene->addBullet(new EnemyBullet(scene), 300, 300);
    scene->startStage(2);
    EXPECT_TRUE(oldBullets->isRemoved());
    EXPECT_EQ(liveChildren(), expectedOrder());
    EXPECT_EQ(childrenOf(scene->getBulletLayer()).size(), 0u);
    step();
    EXPECT_EQ(childrenOf(scene).size(), 13u);
}

TEST_F(GameSceneTest, AStageStartsWithTheShipFlyingInAndItsMusicAtTheTenthFrame) {
    start();
    EXPECT_EQ(overlayAlpha(), 255u);
    EXPECT_FLOAT_EQ(scene->getShip()->getShipImage()->x, -100);
    EXPECT_TRUE(scene->getShip()->isFlying());
    step(9);
    EXPECT_FALSE(played("stage1.tws"));
    step();
    EXPECT_EQ(frameStarted("stage1.tws"), 10u);
    // Half way through the fade, drawn by either renderer.
    EXPECT_EQ(overlayAlpha(), 127u);
    step(11);
    EXPECT_EQ(scene->getStageStartCounter(), -1);
    step(20);
    EXPECT_FLOAT_EQ(scene->getShip()->getShipImage()->x, 100);
    EXPECT_FALSE(scene->getShip()->isFlying());
}

TEST_F(GameSceneTest, TheArrowKeysAlsoSteerThePointerAndThePointerIsHidden) {
    start();
    EXPECT_FALSE(tidewell::InputManager::pointerVisible);
    step();
    const auto x = tidewell::InputManager::mouseX;
    keyDown(205);
    step(3);
    EXPECT_EQ(tidewell::InputManager::mouseX, x + 30);
}

TEST_F(GameSceneTest, AStageStartWaitsForARunningHitFlash) {
    start();
    step(3);
    scene->onShipHit(0);
    EXPECT_EQ(overlayAlpha(), 127u);
    EXPECT_EQ(scene->getFlashOverlay()->colour & 0xFFFFFFu, 0xFF0000u);
    step(2);
    EXPECT_EQ(scene->getFlashCounter(), -1);
    EXPECT_EQ(scene->getStageStartCounter(), 3);
    step(7);
    // Two frames later than without the flash.
    EXPECT_EQ(frameStarted("stage1.tws"), 12u);
}

// The flash lays red at half strength over the play, never hiding it, and however often the
// ship is hit it lights at most every seventh frame, under three times a second.
TEST_F(GameSceneTest, AHitFlashesHalfRedAtMostEverySeventhFrameAndTakesTheDamageOffTheLifeBar) {
    start();
    step(30);
    // Paused, the sea stands still under the flash.
    keyPress(kSpace);
    step();
    ASSERT_TRUE(scene->isPaused());
    const std::size_t spot = 40 * 800 + 700;
    const std::uint32_t sea = lastFrame()[spot] & 0xFFFFFF;
    scene->onShipHit(300);
    EXPECT_EQ(scene->getLifeBar()->getLifeShown(), 700);
    step();
    EXPECT_EQ(overlayAlpha(), 127u);
    EXPECT_LE(channelDistance(lastFrame()[spot], blendOver(sea, 0xFF0000, 127)), 1) << std::hex << sea;
    keyPress(kEnter);
    step();
    ASSERT_FALSE(scene->isPaused());
    EXPECT_EQ(overlayAlpha(), 127u);
    step();
    EXPECT_EQ(overlayAlpha(), 0u);

    // A bullet on the ship every frame, as in a long contact with a boss: every hit counts,
    // the red shows two frames in seven.
    step(10);
    const int life = scene->getShip()->getLife();
    std::string shown;
    for (int frame = 0; frame < 21; ++frame) {
        tidewell::Image* ship = scene->getShip()->getShipImage();
        auto* bullet = new EnemyBullet(scene);
        bullet->damage = 1;
        scene->addBullet(bullet, ship->getAbsoluteX(), ship->getAbsoluteY());
        step();
        shown += overlayAlpha() == 127u ? 'R' : (overlayAlpha() == 0u ? '.' : '?');
    }
    EXPECT_EQ(shown, "RR.....RR.....RR.....");
    EXPECT_EQ(scene->getShip()->getLife(), life - 21);
}

TEST_F(GameSceneTest, SpacePausesKeyboardPlayAndIsIgnoredWhilePaused) {
    start();
    step(5);
    keyPress(kSpace);
    step();
    EXPECT_TRUE(scene->isPaused());
    EXPECT_FALSE(scene->updateEnabled);
    EXPECT_TRUE(scene->getPauseMenu()->isShown());
    // The whole scene stands still, the ship's fly-in and the fade included.
    const float x = scene->getShip()->getShipImage()->x;
    const int fade = scene->getStageStartCounter();
    step(5);
    EXPECT_FLOAT_EQ(scene->getShip()->getShipImage()->x, x);
    EXPECT_EQ(scene->getStageStartCounter(), fade);

    keyPress(kSpace);
    step();
    EXPECT_TRUE(scene->isPaused());
    EXPECT_TRUE(scene->getPauseMenu()->isShown());
    EXPECT_TRUE(scene->getPauseMenu()->isFirstSelected());
    keyPress(kEnter);
    step();
    EXPECT_FALSE(scene->isPaused());
    EXPECT_TRUE(scene->updateEnabled);
    EXPECT_GT(scene->getShip()->getShipImage()->x, x);
}

TEST_F(GameSceneTest, JoystickPlayPausesWithTheSecondButtonOnly) {
    attachJoystick();
    start(true);
    step(2);
    keyPress(kSpace);
    step();
    EXPECT_FALSE(scene->isPaused());
    joystickPress(0, 1);
    step();
    EXPECT_TRUE(scene->isPaused());
}

TEST_F(GameSceneTest, AStageAboveTwoPlaysStageTwoAgain) {
    start();
    step(30);
    clearAudioEvents();
    scene->startStage(3);
    EXPECT_EQ(scene->getStage(), 3);
    EXPECT_NE(dynamic_cast<Stage2Script*>(scene->getWaves()), nullptr);
    EXPECT_NE(dynamic_cast<Background2*>(scene->getBackground()), nullptr);
    EXPECT_EQ(scene->getStageStartCounter(), 0);
    EXPECT_FLOAT_EQ(scene->getShip()->getShipImage()->x, -100);
    step(10);
    EXPECT_TRUE(played("stage2.tws"));
    EXPECT_FALSE(played("stage1.tws"));
}

TEST_F(GameSceneTest, GameOverThenContinueRestartsTheStageWithTheShipRevived) {
    start();
    step(41);
    scene->getShip()->addGunExp(1000);
    clearAudioEvents();
    scene->getShip()->takeDamage(5000);
    EXPECT_TRUE(scene->getGameOverMenu()->isShown());
    EXPECT_TRUE(played("dead.tws"));
    step(3);
    // The wreck burns on, sparking, until the stage restarts.
    EXPECT_EQ(childrenOfType<ShipExplosion>(scene->getExplosionLayer()).size(), 1u);
    keyPress(kEnter);
    step();
    EXPECT_EQ(scene->getContinueCounter(), 1);
    step(20);
    EXPECT_EQ(scene->getContinueCounter(), -1);
    EXPECT_EQ(scene->getStageStartCounter(), 0);
    PlayerShip* ship = scene->getShip();
    EXPECT_FALSE(ship->isDead());
    EXPECT_EQ(ship->getLife(), ship->getLifeMax());
    EXPECT_EQ(ship->getGunLevel(), 2);
    EXPECT_EQ(ship->colour >> 24, 255u);
    EXPECT_EQ(scene->getLifeBar()->getLifeShown(), ship->getLifeMax());
    EXPECT_FALSE(scene->getGameOverMenu()->isShown());
    EXPECT_TRUE(holder->senders.empty());
    step();
    EXPECT_TRUE(childrenOfType<ShipExplosion>(scene->getExplosionLayer()).empty())
        << "the wreck's sparks outlived the restart";
}

TEST_F(GameSceneTest, QuitFromThePauseMenuAsksTheParentToLeave) {
    start();
    step(2);
    keyPress(kSpace);
    step();
    keyPress(kDown);
    step();
    keyPress(kEnter);
    step();
    ASSERT_EQ(holder->senders.size(), 1u);
    EXPECT_EQ(holder->senders[0], scene);
    EXPECT_EQ(holder->codes[0], 0);
}

TEST_F(GameSceneTest, TheFirstStageOffersWeaponsAndTheStageClearLeadsToTheNextStage) {
    start();
    step(41);
    scene->offerWeapons();
    EXPECT_TRUE(scene->getWeaponPanel()->isActive());
    EXPECT_EQ(scene->getWeaponPanel()->getWeaponSet(), 1);
    EXPECT_EQ(scene->getStageClearCounter(), -1);

    scene->beginStageClear();
    step(39);
    EXPECT_TRUE(scene->getShip()->isControlOn());
    step();
    EXPECT_FALSE(scene->getShip()->isControlOn());
    EXPECT_TRUE(scene->getShip()->isFlying());
    // Out past x 700, then 20 frames of fade and 20 of white.
    step(121);
    EXPECT_EQ(scene->getStageClearCounter(), 1000);
    step(10);
    EXPECT_EQ(overlayAlpha(), 127u);
    // A stray bullet's hit in the fade: its red flash holds the fade two frames, which then
    // goes on in white, not in the flash's red.
    scene->onShipHit(0);
    step(2);
    EXPECT_EQ(overlayAlpha(), 0u);
    step();
    EXPECT_EQ(overlayAlpha(), 11u * 255 / 20);
    EXPECT_EQ(scene->getFlashOverlay()->colour & 0xFFFFFFu, 0xFFFFFFu);
    step(9);
    EXPECT_EQ(overlayAlpha(), 255u);
    EXPECT_EQ(scene->getFlashOverlay()->colour & 0xFFFFFFu, 0xFFFFFFu);
    step(20);
    EXPECT_EQ(scene->getStage(), 2);
    EXPECT_NE(dynamic_cast<Stage2Script*>(scene->getWaves()), nullptr);
    EXPECT_TRUE(scene->getShip()->isControlOn());
    EXPECT_FALSE(scene->getWeaponPanel()->isActive());
}

TEST_F(GameSceneTest, TouchingAWeaponIconPicksItAndBeginsTheStageClear) {
    start(false, true);
    step(41);
    scene->offerWeapons();
    step(180);
    tidewell::Image* icon = scene->getWeaponPanel()->getIcon(0);
    clearAudioEvents();
    scene->getShip()->getShipImage()->setPosition(icon->getAbsoluteX(), icon->getAbsoluteY());
    step();
    EXPECT_EQ(scene->getShip()->getSpecialKind(), 1);
    EXPECT_TRUE(scene->getShip()->isSpecialOn());
    EXPECT_FALSE(scene->getWeaponPanel()->isActive());
    EXPECT_GE(scene->getStageClearCounter(), 0);
    EXPECT_TRUE(played("weapon.tws"));
    bool announced = false;
    for (PopupText* popup : childrenOfType<PopupText>(scene->getTextLayer())) {
        announced = announced || popup->getString() == "GET\nBomb!";
    }
    EXPECT_TRUE(announced);
}

TEST_F(GameSceneTest, BulletsStillHitTheShipWhileItFliesOffInTheStageClear) {
    start();
    step(41);
    scene->beginStageClear();
    step(45);
    PlayerShip* ship = scene->getShip();
    ASSERT_FALSE(ship->isControlOn());
    auto* bullet = new EnemyBullet(scene);
    bullet->damage = 100;
    scene->addBullet(bullet, ship->getShipImage()->x, ship->getShipImage()->y);
    step();
    EXPECT_EQ(ship->getLife(), 900);
}

TEST_F(GameSceneTest, AfterTheLastBossTheEndingShowsForEightSecondsThenReturnsToTheTitle) {
    start();
    scene->startStage(2);
    step(41);
    scene->offerWeapons();
    EXPECT_FALSE(scene->getWeaponPanel()->isActive());
    EXPECT_EQ(scene->getStageClearCounter(), 0);
    step(40 + 121 + 40);
    EXPECT_EQ(scene->getStageClearCounter(), -1);
    ASSERT_NE(scene->getEndingImage(), nullptr);
    EXPECT_EQ(scene->getStage(), 2);
    EXPECT_EQ(overlayAlpha(), 255u);
    // Too early to cut it short.
    keyPress(kEnter);
    step(39);
    EXPECT_TRUE(holder->senders.empty());
    step(120);
    EXPECT_TRUE(holder->senders.empty());
    step();
    EXPECT_EQ(holder->senders.size(), 1u);
}

TEST_F(GameSceneTest, TheEndingLeadsTheSwitcherBackToANewTitleScreen) {
    startEngine();
    auto* switcher = new SceneSwitcher();
    setRoot(switcher);
    // Company logo, opening and title each report their end.
    for (int scene = 0; scene < 3; ++scene) switcher->notify(switcher->getScene(), 0);
    ASSERT_EQ(switcher->getCurrentScene(), SceneSwitcher::kGame);
    auto* game = static_cast<GameScene*>(switcher->getScene());
    step(41);
    game->startStage(2);
    step(41);
    game->beginStageClear();
    step(40 + 121 + 40 + 160);
    EXPECT_EQ(switcher->getCurrentScene(), SceneSwitcher::kTitle);
    step();
    EXPECT_EQ(childrenOf(switcher).size(), 1u);
}

TEST_F(GameSceneTest, TheEndingCanBeCutShortAfterItsFirstTwoSeconds) {
    start();
    scene->startStage(2);
    step(41);
    scene->beginStageClear();
    step(40 + 121 + 40 + 40);
    EXPECT_TRUE(holder->senders.empty());
    keyPress(kSpace);
    step();
    EXPECT_EQ(holder->senders.size(), 1u);
    EXPECT_FALSE(scene->isPaused());
}

TEST_F(GameSceneTest, BossCuesMakeTheirSoundsOnlyWhileTheShipLives) {
    start();
    step(41);
    scene->playBossBegin();
    scene->startBossMusic();
    step();
    EXPECT_TRUE(played("bossbegin.tws"));
    EXPECT_TRUE(played("boss.tws"));
    scene->stopBossMusic();
    scene->playBossWin();
    EXPECT_TRUE(played("bosswin.tws"));
    EXPECT_EQ(scene->getWaves()->getAfterBossCounter(), 0);

    scene->getShip()->takeDamage(5000);
    clearAudioEvents();
    scene->playBossBegin();
    scene->startBossMusic();
    scene->playBossWin();
    step();
    EXPECT_FALSE(played("bossbegin.tws"));
    EXPECT_FALSE(played("boss.tws"));
    EXPECT_FALSE(played("bosswin.tws"));
}

TEST_F(GameSceneTest, TheBossRumbleStopsForThePauseAndComesBackOnResume) {
    attachJoystick(true);
    start(true);
    step(2);
    scene->startVibration();
    EXPECT_TRUE(scene->isVibrating());
    EXPECT_TRUE(vibrationPlaying());
    scene->pauseGame();
    EXPECT_FALSE(vibrationPlaying());
    scene->resumeGame();
    EXPECT_TRUE(vibrationPlaying());
    scene->stopVibration();
    EXPECT_FALSE(scene->isVibrating());
    EXPECT_FALSE(vibrationPlaying());

    // The ship's death ends the rumble for good: a pause over the game-over menu does not revive it.
    scene->startVibration();
    scene->getShip()->takeDamage(5000);
    EXPECT_FALSE(vibrationPlaying());
    scene->pauseGame();
    scene->resumeGame();
    EXPECT_FALSE(vibrationPlaying());
}

TEST_F(GameSceneTest, NoRumbleWhenVibrationIsSwitchedOffOrInKeyboardPlay) {
    attachJoystick(true);
    startEngine();
    tidewell::SettingManager::writeSetting("enableVibration", false);
    holder = new Holder();
    setRoot(holder);
    scene = new GameScene(true, false, false);
    holder->addChild(scene);
    step();
    scene->startVibration();
    EXPECT_EQ(vibrationStarts(), 0);

    tidewell::SettingManager::writeSetting("enableVibration", true);
    auto* keyboardScene = new GameScene(false, false, false);
    scene->replaceWith(keyboardScene);
    step();
    keyboardScene->startVibration();
    EXPECT_FALSE(keyboardScene->isVibrating());
    EXPECT_EQ(vibrationStarts(), 0);
}

TEST_F(GameSceneTest, AnInvincibleShipStillRamsEnemiesButNeverLosesLife) {
    for (bool invincible : {false, true}) {
        SCOPED_TRACE(invincible);
        start(false, invincible);
        step(41);
        PlayerShip* ship = scene->getShip();
        auto* enemy = new Enemy(scene, "enemy18.twi");
        enemy->setHitPoints(500);
        enemy->contactDamage = 200;
        enemy->setHitArea(64, 40, 2);
        scene->getWaves()->addChild(enemy);
        enemy->setPosition(ship->getShipImage()->x + 20, ship->getShipImage()->y);
        step();
        // Rammed to death, removed and deleted at the end of the frame.
        EXPECT_TRUE(childrenOfType<Enemy>(scene->getWaves()).empty());
        EXPECT_EQ(ship->getLife(), invincible ? 1000 : 800);
        TearDown();
    }
}

TEST_F(GameSceneTest, AContinueChosenDuringTheStageClearLeadsOnAtOnce) {
    start();
    step(41);
    scene->beginStageClear();
    step(45);
    PlayerShip* ship = scene->getShip();
    ASSERT_TRUE(ship->isFlying());
    // A stray bullet still in flight downs the ship as it flies off.
    ship->takeDamage(5000);
    ASSERT_TRUE(scene->getGameOverMenu()->isShown());
    step(3);
    keyPress(kEnter);
    step(21);
    EXPECT_EQ(scene->getStageClearCounter(), -1);
    EXPECT_EQ(scene->getContinueCounter(), -1);
    EXPECT_EQ(scene->getStage(), 1) << "a continue replays the stage the ship went down in";
    EXPECT_FALSE(ship->isDead());
    EXPECT_EQ(scene->getStageStartCounter(), 0);
    EXPECT_TRUE(ship->isFlying());
    EXPECT_LT(ship->getShipImage()->x, 0) << "flying in again from the left edge";

    // The last boss dies after the ship: a wreck clears no stage, the game-over menu leads on.
    scene->startStage(2);
    step(41);
    ship->takeDamage(5000);
    scene->offerWeapons();
    step(1100);
    EXPECT_EQ(scene->getStageClearCounter(), -1);
    EXPECT_EQ(scene->getEndingImage(), nullptr);
    EXPECT_TRUE(scene->getGameOverMenu()->isShown());
    keyPress(kEnter);
    step(21);
    EXPECT_FALSE(ship->isDead());
    EXPECT_EQ(scene->getStage(), 2);
}

TEST_F(GameSceneTest, SpaceOverTheGameOverMenuOpensNoPauseSoEnterChoosesOnlyOnce) {
    start();
    step(41);
    scene->getShip()->takeDamage(5000);
    step();
    keyPress(kDown);
    step();
    keyPress(kSpace);
    step();
    EXPECT_FALSE(scene->isPaused());
    EXPECT_FALSE(scene->getPauseMenu()->isShown());
    EXPECT_TRUE(scene->updateEnabled);
    // Back to Continue and choose it: the game goes on, nothing leaves for the title.
    keyPress(kUp);
    step();
    keyPress(kEnter);
    step();
    EXPECT_EQ(scene->getContinueCounter(), 1);
    EXPECT_TRUE(holder->senders.empty());
    // Once the menu is gone, Space pauses again.
    step(25);
    keyPress(kSpace);
    step();
    EXPECT_TRUE(scene->isPaused());
}

TEST_F(GameSceneTest, AWreckDriftingOverAWeaponIconTakesNothing) {
    start();
    step(41);
    scene->offerWeapons();
    step(180);
    PlayerShip* ship = scene->getShip();
    ship->takeDamage(5000);
    tidewell::Image* icon = scene->getWeaponPanel()->getIcon(1);
    ship->getShipImage()->setPosition(icon->getAbsoluteX(), icon->getAbsoluteY());
    clearAudioEvents();
    step();
    EXPECT_FALSE(ship->isSpecialOn());
    EXPECT_TRUE(scene->getWeaponPanel()->isActive());
    EXPECT_EQ(scene->getStageClearCounter(), -1);
    EXPECT_FALSE(played("weapon.tws"));
    for (PopupText* popup : childrenOfType<PopupText>(scene->getTextLayer())) {
        EXPECT_EQ(popup->getString().find("GET"), std::string::npos);
    }
}

TEST_F(GameSceneTest, FullPowerStartsWithAFullBarAndItsFirstReportShowsTheLevels) {
    std::vector<std::string> lines;
    Milestones::setSink([&](const std::string& line) { lines.push_back(line); });
    start(false, false, true);
    Milestones::setSink({});
    PlayerShip* ship = scene->getShip();
    EXPECT_EQ(ship->getLifeLevel(), 5);
    EXPECT_EQ(ship->getLife(), ship->getLifeMax());
    EXPECT_EQ(scene->getLifeBar()->getLifeShown(), ship->getLifeMax());
    EXPECT_EQ(ship->colour & 0xFFFFFFu, 0xFFFFFFu) << "a full ship is not tinted";
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("stage 1 wave 0 levels 5 5 5 0"), std::string::npos) << lines[0];
}

TEST_F(GameSceneTest, TextsStartOnTheScreenAndAFireReadsAsAFewGrowingTotals) {
    start(false, true);
    step(41);
    PlayerShip* ship = scene->getShip();
    ship->takeDamage(5000);
    step(3);
    keyPress(kEnter);
    step(21);
    // The continue's award text is placed while the ship waits off screen, left of the edge.
    const std::vector<PopupText*> texts = childrenOfType<PopupText>(scene->getTextLayer());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->getString(), "Life\n+1000");
    EXPECT_GE(texts[0]->getText()->getAbsoluteLeft(), 0);
    EXPECT_LE(texts[0]->getText()->getAbsoluteRight(), 800);

    // A level 5 fire on a sturdy enemy hurts it every frame; the numbers it makes add up to
    // what it took, in a few totals set well apart.
    step(30);
    auto* enemy = new Enemy(scene, "enemy18.twi");
    enemy->setHitPoints(1000000);
    enemy->setHitArea(64, 40, 2);
    scene->getWaves()->addChild(enemy);
    enemy->setPosition(500, 300);
    scene->addBullet(new FireBombBullet(scene, 5), 500, 290);
    for (PopupText* text : childrenOfType<PopupText>(scene->getTextLayer())) text->remove();
    // Long enough for the fire to open fully, short enough that its first number still shows.
    step(18);
    const int taken = 1000000 - enemy->hitPoints;
    ASSERT_GE(taken, 150 * 15);
    int shown = 0;
    std::vector<PopupText*> numbers = childrenOfType<PopupText>(scene->getTextLayer());
    for (PopupText* number : numbers) shown += std::stoi(number->getString());
    EXPECT_EQ(shown, taken);
    EXPECT_LE(numbers.size(), 3u);
    for (std::size_t i = 1; i < numbers.size(); ++i) {
        EXPECT_GE(numbers[i]->getText()->getAbsoluteY() - numbers[i - 1]->getText()->getAbsoluteY(), 20.0f);
    }
}

}  // namespace
}  // namespace brinefall
