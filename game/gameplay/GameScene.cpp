#include "gameplay/GameScene.h"
#include "Colours.h"
#include "Milestones.h"

#include <algorithm>
#include <span>

#include "ControlBindings.h"
#include "backgrounds/Background1.h"
#include "backgrounds/Background2.h"
#include "display/Image.h"
#include "display/Shape.h"
#include "frontend/PointerSteering.h"
#include "gameplay/Assets.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/Stage1Script.h"
#include "gameplay/Stage2Script.h"
#include "gameplay/effects/Award.h"
#include "gameplay/effects/AwardLayer.h"
#include "gameplay/hud/GameOverMenu.h"
#include "gameplay/hud/LifeBar.h"
#include "gameplay/hud/PauseMenu.h"
#include "gameplay/hud/PopupText.h"
#include "gameplay/hud/StageTitle.h"
#include "gameplay/hud/WeaponPanel.h"
#include "graphics/GraphicManager.h"
#include "input/InputManager.h"
#include "input/Vibration.h"
#include "sound/Music.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"
#include "StoredChoice.h"

namespace brinefall {
namespace {

using namespace tidewell;

using Colours::kRed;
using Colours::kWhite;
constexpr int kOpaque = 255;
// The hit flash tints the play red at half strength, never hiding it.
constexpr int kFlashAlpha = 127;

constexpr float kMenuX = 400;
constexpr float kMenuY = 300;
constexpr float kShipStartX = -100;
constexpr float kShipStartY = 300;
constexpr float kShipPlayX = 100;
constexpr float kShipLeaveX = 900;
constexpr float kShipGoneX = 700;
// About half the widest popup line ("Downward Gun!") and half a line: a text placed this
// far from the edges is whole on the screen.
constexpr float kTextMarginX = 70;
constexpr float kTextMarginY = 24;

// Frames of the phases.
constexpr int kFlashFrames = 1;
// The red of a hit shows for two frames, the hit's own and the next, and lights again at
// the earliest 7 frames after it lit: under three flashes a second however often the ship
// is hit, so a long contact with a boss does not strobe the screen.
constexpr int kFlashShownFrames = 2;
constexpr int kFlashSpacing = 7;
constexpr int kFadeInFrames = 20;
constexpr int kStageMusicFrame = 10;
constexpr int kClearWait = 40;
constexpr int kClearFadeStart = 1000;
constexpr int kClearFadeFrames = 20;
constexpr int kClearWhiteEnd = 1040;
constexpr int kContinueFadeFrames = 20;
// The end of the demo: 8 seconds, which a key or a button may cut short after the first 2.
constexpr int kEndingFrames = 160;
constexpr int kEndingLockedFrames = 40;
constexpr int kLastStage = 2;

// What each stage plays; a stage past the last plays the last one again. A stage reached
// through a stage clear names its backdrop's and its wave script's pictures, which the
// clear makes ready.
struct StageContent {
    const char* music;
    WaveScript* (*makeWaves)(GameScene*);
    Background* (*makeBackground)();
    std::span<const char* const> backdropPictures;
    std::span<const char* const> wavePictures;
};
const StageContent kStages[] = {
    // The first stage follows no clear.
    {"stage1.tws",
     [](GameScene* scene) -> WaveScript* { return new Stage1Script(scene); },
     []() -> Background* { return new Background1(); },
     {},
     {}},
    {"stage2.tws", [](GameScene* scene) -> WaveScript* { return new Stage2Script(scene); },
     []() -> Background* { return new Background2(); }, Background2::kPictureFiles, Stage2Script::kHeldImages},
};

const StageContent& contentOf(int stage) { return kStages[stage <= 1 ? 0 : 1]; }

void placeInLayer(Sprite* layer, Sprite* sprite, float x, float y) {
    sprite->setPosition(x, y);
    layer->addChild(sprite);
}

}  // namespace

GameScene::GameScene(bool useJoystick, bool invincible, bool fullPower, int firstStage)
    : useJoystick_(useJoystick), invincible_(invincible), fullPower_(fullPower) {
    // The stage card shows the keys in force, and a game may start without a title before it.
    ControlBindings::loadInForce();
    buildChildren();
    loadAudio();
    // A practice start: the later stage's content replaces the first's before anything runs.
    if (firstStage != 1) {
        replaceStageContent(firstStage);
        stageTitle_->show(firstStage);
    }
    // None without a joystick; every rumble step is skipped then.
    bossVibration_ = InputManager::createVibration(0.0f, 0.2f, 90.0f, 0, true);

    keyboardEnabled = true;
    joystickEnabled = true;
    keyboardStop = true;
    joystickStop = true;
    InputManager::setCursorVisible(false);

    // The flags first, so the stage's first report already shows the levels the game starts with.
    ship_->setUseJoystick(useJoystick_);
    ship_->setInvincible(invincible_);
    ship_->setFullPower(fullPower_);

    stage_ = firstStage;
    beginStage();
}

GameScene::~GameScene() {
    releaseNextPictures();
    if (bossVibration_) {
        bossVibration_->stop();
        InputManager::releaseVibration(bossVibration_);
    }
    Assets::release(stageMusic_);
    Assets::release(bossMusic_);
    Assets::release(bossAfterMusic_);
    Assets::release(bossBeginSound_);
    Assets::release(bossWinSound_);
    Assets::release(hitSound_);
    Assets::release(enemyDeadSound_);
    Assets::release(explodeSound_);
    Assets::release(enemyShootSound_);
    Assets::release(weaponSound_);
    // The title screen and whatever follows use the pointer again.
    InputManager::setCursorVisible(true);
}

void GameScene::buildChildren() {
    ship_ = new PlayerShip(this);
    waves_ = new Stage1Script(this);
    background_ = new Background1();
    bulletLayer_ = new Sprite();
    explosionLayer_ = new Sprite();
    awardLayer_ = new AwardLayer();
    weaponPanel_ = new WeaponPanel(this);
    textLayer_ = new Sprite();
    stageTitle_ = new StageTitle(useJoystick_);
    lifeBar_ = new LifeBar();
    lifeBar_->setLifeMax(ship_->getLifeMax());
    lifeBar_->setLifeShown(ship_->getLife());
    flashOverlay_ = new Shape();
    flashOverlay_->setRectangle(0, 0, static_cast<float>(screenWidth), static_cast<float>(screenHeight));
    flashOverlay_->setAlpha(0);
    gameOverMenu_ = new GameOverMenu(this, useJoystick_);
    pauseMenu_ = new PauseMenu(this, useJoystick_);
    gameOverMenu_->setPosition(kMenuX, kMenuY);
    pauseMenu_->setPosition(kMenuX, kMenuY);

    // Back to front, which is also the order of the per-frame updates.
    for (Sprite* child :
         {static_cast<Sprite*>(background_), static_cast<Sprite*>(weaponPanel_), bulletLayer_,
          static_cast<Sprite*>(waves_), static_cast<Sprite*>(ship_), explosionLayer_, textLayer_,
          static_cast<Sprite*>(awardLayer_), static_cast<Sprite*>(lifeBar_), static_cast<Sprite*>(stageTitle_),
          static_cast<Sprite*>(flashOverlay_), static_cast<Sprite*>(gameOverMenu_), static_cast<Sprite*>(pauseMenu_)}) {
        addChild(child);
    }
}

void GameScene::loadAudio() {
    stageMusic_ = Assets::loadMusic(contentOf(1).music);
    bossBeginSound_ = Assets::loadSound("bossbegin.tws");
    bossMusic_ = Assets::loadMusic("boss.tws");
    bossWinSound_ = Assets::loadSound("bosswin.tws");
    bossAfterMusic_ = Assets::loadMusic("bossafter.tws");
    hitSound_ = Assets::loadSound("hit.tws");
    enemyDeadSound_ = Assets::loadSound("enemyDead.tws");
    explodeSound_ = Assets::loadSound("explode.tws");
    enemyShootSound_ = Assets::loadSound("enemyShoot.tws");
    weaponSound_ = Assets::loadSound("weapon.tws");
}

void GameScene::keyDown(int key) {
    if (PointerSteering::clicksPointer(key)) {
        PointerSteering::click();
    }
    if (endingCounter_ >= 0) {
        // The end of the demo has nothing to pause; its keys only end it.
        if (PointerSteering::clicksPointer(key) && endingCanBeCut()) {
            quitToTitle();
        }
        return;
    }
    if (!useJoystick_ && ControlBindings::inForce().isKeyOf(Action::Pause, key) && canPause()) {
        pauseGame();
    }
}

void GameScene::joystickDown(int button, int joystick) {
    PointerSteering::click();
    if (endingCounter_ >= 0) {
        if (endingCanBeCut()) {
            quitToTitle();
        }
        return;
    }
    const int pauseButton = ControlBindings::inForce().padButton(PadAction::Pause);
    if (useJoystick_ && joystick == 0 && button == pauseButton && canPause()) {
        pauseGame();
    }
}

// Over the game-over menu a pause would take the key that chooses its entries: the Enter
// that resumes would also continue or quit underneath.
bool GameScene::canPause() const { return !paused_ && !gameOverMenu_->isShown(); }

void GameScene::update() {
    PointerSteering::steer();
    ageFlash();
    runPhases();
}

void GameScene::ageFlash() {
    if (flashAge_ < 0) {
        return;
    }
    ++flashAge_;
    // The overlay is red only for a flash; a fade that took it over keeps it.
    if (flashAge_ == kFlashShownFrames && (flashOverlay_->colour & 0xFFFFFF) == kRed) {
        flashOverlay_->setAlpha(0);
    }
    if (flashAge_ >= kFlashSpacing) {
        flashAge_ = -1;
    }
}

void GameScene::runPhases() {
    // Only the first running phase moves on; the others wait for it.
    if (runFlash() || runStageStart() || runStageClear() || runEnding()) {
        return;
    }
    runContinue();
}

bool GameScene::runFlash() {
    if (flashCounter_ < 0) {
        return false;
    }
    if (++flashCounter_ > kFlashFrames) {
        flashCounter_ = -1;
        flashOverlay_->setAlpha(0);
    }
    return true;
}

bool GameScene::runStageStart() {
    if (stageStartCounter_ < 0) {
        return false;
    }
    const int n = ++stageStartCounter_;
    if (n > kFadeInFrames) {
        stageStartCounter_ = -1;
        flashOverlay_->setAlpha(0);
        return true;
    }
    setOverlay(kWhite, (kFadeInFrames - n) * kOpaque / kFadeInFrames);
    if (n == kStageMusicFrame) {
        startStageMusic();
    }
    return true;
}

bool GameScene::runStageClear() {
    if (stageClearCounter_ < 0) {
        return false;
    }
    const int n = ++stageClearCounter_;
    readyNextPicture();
    if (n == kClearWait) {
        ship_->setControlOn(false);
        ship_->flyTo(kShipLeaveX);
    } else if (n > kClearWait && n < kClearFadeStart) {
        if (ship_->getShipImage()->x > kShipGoneX) {
            stageClearCounter_ = kClearFadeStart;
        }
    } else if (n >= kClearFadeStart && n < kClearFadeStart + kClearFadeFrames) {
        setOverlay(kWhite, (n - kClearFadeStart) * kOpaque / kClearFadeFrames);
    } else if (n >= kClearFadeStart + kClearFadeFrames && n < kClearWhiteEnd) {
        setOverlay(kWhite, kOpaque);
    } else if (n >= kClearWhiteEnd) {
        stageClearCounter_ = -1;
        setOverlay(kWhite, kOpaque);
        if (stage_ >= kLastStage) {
            beginEnding();
        } else {
            startStage(stage_ + 1);
        }
    }
    return true;
}

bool GameScene::runContinue() {
    if (continueCounter_ < 0) {
        return false;
    }
    const int n = ++continueCounter_;
    if (n <= kContinueFadeFrames) {
        setOverlay(kWhite, n * kOpaque / kContinueFadeFrames);
        return true;
    }
    continueCounter_ = -1;
    startStage(stage_);
    ship_->revive();
    return true;
}

bool GameScene::runEnding() {
    if (endingCounter_ < 0) {
        return false;
    }
    if (++endingCounter_ >= kEndingFrames) {
        quitToTitle();
    }
    return true;
}

void GameScene::beginEnding() {
    Milestones::report("scene", "ending");
    endingCounter_ = 0;
    endingImage_ = new Image("ending.twi");
    endingImage_->setAlignment(3, 3);
    endingImage_->setPosition(static_cast<float>(screenWidth) / 2, static_cast<float>(screenHeight) / 2);
    addChildAfter(endingImage_, flashOverlay_);
}

bool GameScene::endingCanBeCut() const { return endingCounter_ >= kEndingLockedFrames; }

void GameScene::startStageMusic() {
    if (shipIsDead()) {
        return;
    }
    SoundMusicManager::stopAllMusic();
    stageMusic_->setVolume(1.0f);
    stageMusic_->play(true);
}

void GameScene::addBullet(Sprite* bullet, float x, float y) { placeInLayer(bulletLayer_, bullet, x, y); }

void GameScene::addExplosion(Sprite* explosion, float x, float y) { placeInLayer(explosionLayer_, explosion, x, y); }

void GameScene::addAward(Award* award, float x, float y) { placeInLayer(awardLayer_, award, x, y); }

void GameScene::addText(PopupText* text, float x, float y) {
    // A text is there to be read: one placed at the ship flying in from off screen, or at an
    // enemy at the edge, starts inside the screen instead.
    text->setPosition(std::clamp(x, kTextMarginX, static_cast<float>(screenWidth) - kTextMarginX),
                      std::clamp(y, kTextMarginY, static_cast<float>(screenHeight) - kTextMarginY));
    for (Sprite* child = textLayer_->getFirstChild(); child; child = child->getNextSibling()) {
        auto* shown = static_cast<PopupText*>(child);
        if (shown->canAbsorb(*text)) {
            shown->absorb(*text);
            delete text;
            return;
        }
    }
    textLayer_->addChild(text);
}

int GameScene::bulletHitsEnemies(Bullet* bullet) { return waves_->bulletHitsEnemies(bullet); }

int GameScene::shipHitsEnemies(PlayerShip* ship) { return waves_->shipHitsEnemies(ship); }

int GameScene::bulletHitsShip(Bullet* bullet) { return ship_->hitByBullet(bullet); }

Award* GameScene::findAwardTouching(PlayerShip* ship) { return awardLayer_->findAwardTouching(ship); }

void GameScene::setScrollTarget(float speed) { background_->setTargetSpeed(speed); }

void GameScene::onShipHit(int damage) {
    lightFlash();
    flashCounter_ = 0;
    lifeBar_->setLifeShown(lifeBar_->getLifeShown() - damage);
}

void GameScene::lightFlash() {
    if (flashAge_ >= 0) {
        return;
    }
    setOverlay(kRed, kFlashAlpha);
    flashAge_ = 0;
}

void GameScene::setLifeShown(int life) {
    if (lifeBar_) {
        lifeBar_->setLifeShown(life);
    }
}

void GameScene::setLifeMax(int max) {
    if (lifeBar_) {
        lifeBar_->setLifeMax(max);
    }
}

void GameScene::onShipDead() {
    if (Milestones::isOn()) Milestones::report("game-over", progress());
    gameOverMenu_->show();
    if (useJoystick_) {
        if (bossVibration_) {
            bossVibration_->stop();
        }
        // Stopped for good, so a pause and resume over the game-over menu does not start it again.
        vibrating_ = false;
    }
}

void GameScene::offerWeapons() {
    // Only the first stage has weapons to choose; later stages go straight on.
    if (stage_ == 1) {
        weaponPanel_->offer(stage_);
    } else {
        beginStageClear();
    }
}

void GameScene::beginStageClear() {
    // A wrecked ship cannot fly off, so the clear would never end; the game-over menu leads on.
    if (shipIsDead()) {
        return;
    }
    setOverlay(kWhite, 0);
    stageClearCounter_ = 0;
}

// One picture a frame while the stage clears: the next stage's backdrop alone is some half
// a million pixels to read and sort, far too much for the one frame that starts it. The
// pictures are shared, so the new backdrop and wave script find them ready; nothing else
// changes.
void GameScene::readyNextPicture() {
    const StageContent& next = contentOf(stage_ + 1);
    const std::size_t backdrop = next.backdropPictures.size();
    const std::size_t ready = nextStagePictures_.size();
    if (ready < backdrop) {
        nextStagePictures_.push_back(GraphicManager::getTexture(next.backdropPictures[ready], true));
    } else if (ready - backdrop < next.wavePictures.size()) {
        nextStagePictures_.push_back(GraphicManager::getTexture(next.wavePictures[ready - backdrop], true));
    }
}

void GameScene::releaseNextPictures() {
    for (Texture* picture : nextStagePictures_) {
        GraphicManager::releaseTexture(picture);
    }
    nextStagePictures_.clear();
}

void GameScene::startStage(int n) {
    stage_ = n;
    replaceStageContent(n);
    releaseNextPictures();
    stageTitle_->show(n);
    // Nothing of the previous attempt survives.
    bulletLayer_ = replaceChild(bulletLayer_, new Sprite());
    explosionLayer_ = replaceChild(explosionLayer_, new Sprite());
    awardLayer_ = replaceChild(awardLayer_, new AwardLayer());
    weaponPanel_ = replaceChild(weaponPanel_, new WeaponPanel(this));
    textLayer_ = replaceChild(textLayer_, new Sprite());
    beginStage();
}

void GameScene::replaceStageContent(int n) {
    const StageContent& content = contentOf(n);
    waves_ = replaceChild(waves_, content.makeWaves(this));
    background_ = replaceChild(background_, content.makeBackground());
    // The new track first, so a stage that plays the same one again keeps it loaded.
    Music* music = Assets::loadMusic(content.music);
    Assets::release(stageMusic_);
    stageMusic_ = music;
}

template <typename T>
T* GameScene::replaceChild(T* old, T* fresh) {
    old->replaceWith(fresh);
    return fresh;
}

void GameScene::beginStage() {
    if (Milestones::isOn()) Milestones::report("stage", progress());
    setOverlay(kWhite, kOpaque);
    stageStartCounter_ = 0;
    ship_->setControlOn(true);
    ship_->getShipImage()->setPosition(kShipStartX, kShipStartY);
    ship_->flyTo(kShipPlayX);
    vibrating_ = false;
}

void GameScene::continueGame() {
    Milestones::report("continue", stage_);
    // A clear under way when the ship went down would run before the continue and wait for a
    // fly-off that never comes: the continue replays the stage instead.
    stageClearCounter_ = -1;
    continueCounter_ = 0;
    flashOverlay_->setRGB(kWhite);
}

void GameScene::pauseGame() {
    Milestones::report("pause");
    paused_ = true;
    updateEnabled = false;
    pauseMenu_->show();
    if (useJoystick_ && vibrating_ && bossVibration_) {
        bossVibration_->stop();
    }
}

void GameScene::resumeGame() {
    Milestones::report("resume");
    paused_ = false;
    updateEnabled = true;
    if (useJoystick_ && vibrating_ && bossVibration_ && vibrationAllowed()) {
        bossVibration_->play();
    }
}

void GameScene::quitToTitle() {
    if (parent) {
        parent->notify(this, 0);
    }
}

void GameScene::playBossBegin() {
    if (!shipIsDead()) {
        bossBeginSound_->play(true);
    }
}

void GameScene::startBossMusic() {
    if (shipIsDead()) {
        return;
    }
    SoundMusicManager::stopAllMusic();
    bossMusic_->setVolume(1.0f);
    bossMusic_->play(true);
}

void GameScene::stopBossMusic() { bossMusic_->stop(); }

void GameScene::playBossWin() {
    if (shipIsDead()) {
        return;
    }
    SoundMusicManager::stopAllMusic();
    bossWinSound_->play(true);
    waves_->startAfterBossCounter();
}

void GameScene::startVibration() {
    if (!useJoystick_) {
        return;
    }
    if (bossVibration_ && vibrationAllowed()) {
        bossVibration_->play();
    }
    vibrating_ = true;
}

void GameScene::stopVibration() {
    if (!useJoystick_) {
        return;
    }
    if (bossVibration_) {
        bossVibration_->stop();
    }
    vibrating_ = false;
}

void GameScene::setOverlay(int rgb, int alpha) {
    flashOverlay_->setRGB(rgb);
    flashOverlay_->setAlpha(alpha);
}

// "N wave W levels L S G P": the stage, the wave script's step, and the ship's life, speed,
// gun and special weapon levels, so a run's story shows where a game was and what it kept.
std::string GameScene::progress() const {
    return std::to_string(stage_) + " wave " + std::to_string(waves_->getStep()) + " levels " +
           std::to_string(ship_->getLifeLevel()) + " " + std::to_string(ship_->getSpeedLevel()) + " " +
           std::to_string(ship_->getGunLevel()) + " " + std::to_string(ship_->getSpecialLevel());
}

bool GameScene::shipIsDead() const { return ship_->isDead(); }

bool GameScene::vibrationAllowed() const { return StoredChoice::isOn("enableVibration"); }

}  // namespace brinefall
