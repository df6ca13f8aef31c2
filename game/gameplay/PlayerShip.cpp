#include "gameplay/PlayerShip.h"
#include "ControlBindings.h"
#include "FirstJoystick.h"
#include "FrameCycle.h"
#include "Milestones.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "display/Image.h"
#include "input/InputManager.h"
#include "resources/ResourceManager.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"
#include "input/Vibration.h"
#include "gameplay/Assets.h"
#include "gameplay/Experience.h"
#include "gameplay/GameScene.h"
#include "gameplay/bullets/BombBullet.h"
#include "gameplay/bullets/Bullet.h"
#include "gameplay/bullets/DownwardBullet.h"
#include "gameplay/bullets/FireBombBullet.h"
#include "gameplay/bullets/MainBullet.h"
#include "gameplay/effects/Award.h"
#include "gameplay/effects/ShipExplosion.h"
#include "gameplay/hud/PopupText.h"

namespace brinefall {
namespace {

using namespace tidewell;

constexpr float kLeftBound = 50;
constexpr float kRightBound = 750;
constexpr float kTopBound = 32;
constexpr float kBottomBound = 568;

constexpr float kShakeStep = 3;
constexpr float kDownwardXSpeed = 0;
constexpr float kDownwardYSpeed = 50;

// The fin beat: at these counts of a 30-frame cycle the ship shows these frames.
const FrameCycle kFinBeat{30, {{0, 0}, {10, 1}, {15, 0}, {25, 2}}};

// Popup types of the tracks' experience and level texts.
constexpr int kDamagePopup = 1;
constexpr int kLifePopup = 2;
constexpr int kLifeExpPopup = 3;
constexpr int kSpeedExpPopup = 4;
constexpr int kGunExpPopup = 5;
constexpr int kSpecialExpPopup = 6;
constexpr int kLifeLevelPopup = 11;
constexpr int kSpeedLevelPopup = 12;
constexpr int kGunLevelPopup = 13;
constexpr int kSpecialLevelPopup = 14;

// What an award of each kind does to the ship; kinds 6 to 9 only sound.
using AwardHandler = void (PlayerShip::*)(int);
constexpr std::array<AwardHandler, 5> kAwardHandlers{
    &PlayerShip::addLife,   &PlayerShip::addLifeExp,    &PlayerShip::addSpeedExp,
    &PlayerShip::addGunExp, &PlayerShip::addSpecialExp,
};

}  // namespace

PlayerShip::PlayerShip(GameScene* scene) : scene_(scene) {
    shipTexture_ = ResourceManager::getImage("pufflo.twi");
    explosionTexture_ = ResourceManager::getImage("explosion.twi");
    mainBulletTexture_ = ResourceManager::getImage("bulletMain.twi");

    shipImage_ = new Image("pufflo.twi", 2, 2);
    shipImage_->setAlignment(3, 3);
    shipImage_->hitShape = Sprite::ellipseShape;
    addChild(shipImage_);

    shootSound_ = Assets::loadSound("shoot.tws");
    awardSound_ = Assets::loadSound("award.tws");
    hitSound_ = Assets::loadSound("puffloHit.tws");
    deadSound_ = Assets::loadSound("dead.tws");
    // None without a joystick; every jolt is skipped then.
    vibration_ = InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true);
}

PlayerShip::~PlayerShip() {
    if (vibration_) {
        InputManager::releaseVibration(vibration_);
    }
    Assets::release(shootSound_);
    Assets::release(awardSound_);
    Assets::release(hitSound_);
    Assets::release(deadSound_);
    releaseSpecialTextures();
    Assets::release(shipTexture_);
    Assets::release(explosionTexture_);
    Assets::release(mainBulletTexture_);
}

void PlayerShip::update() {
    if (dead_) {
        return;
    }
    animate();
    if (flying_) {
        flyStep();
        return;
    }
    if (!controlOn_) {
        return;
    }
    readDirections();
    moveByDirections();
    keepInsideScreen();
    ramEnemies();
    pickUpAward();
    shakeStep();
    shootStep();
}

void PlayerShip::animate() {
    if (!animating_) {
        return;
    }
    kFinBeat.step(shipImage_, animCounter_);
}

void PlayerShip::flyStep() {
    const float shipX = shipImage_->x;
    if (shipX < flyTarget_) {
        shipImage_->setX(std::min(shipX + speed_, flyTarget_));
    } else {
        shipImage_->setX(std::max(shipX - speed_, flyTarget_));
    }
    if (shipImage_->x == flyTarget_) {
        flying_ = false;
    }
}

void PlayerShip::readDirections() {
    if (useJoystick_) {
        const InputManager::JoystickState* stick = FirstJoystick::state();
        const float axisX = stick ? stick->lX * 0.001f : 0.0f;
        const float axisY = stick ? stick->lY * 0.001f : 0.0f;
        left_ = axisX < 0;
        right_ = axisX > 0;
        up_ = axisY < 0;
        down_ = axisY > 0;
        return;
    }
    const ControlBindings& bindings = ControlBindings::inForce();
    left_ = bindings.isHeld(Action::Left);
    right_ = bindings.isHeld(Action::Right);
    up_ = bindings.isHeld(Action::Up);
    down_ = bindings.isHeld(Action::Down);
}

void PlayerShip::moveByDirections() {
    // Right wins over left and down over up; a diagonal covers the same distance as a straight move.
    const float straight = speed_;
    const float diagonal = speed_ / std::sqrt(2.0f);
    const float vertical = down_ ? 1.0f : (up_ ? -1.0f : 0.0f);
    const float horizontal = right_ ? 1.0f : (left_ ? -1.0f : 0.0f);
    if (horizontal != 0 && vertical != 0) {
        shipImage_->move(horizontal * diagonal, vertical * diagonal);
    } else {
        shipImage_->move(horizontal * straight, vertical * straight);
    }
}

void PlayerShip::keepInsideScreen() {
    float shipX = shipImage_->x;
    float shipY = shipImage_->y;
    if (shipX < kLeftBound) {
        shipX = kLeftBound;
    } else if (shipX >= kRightBound) {
        shipX = kRightBound;
    }
    if (shipY < kTopBound) {
        shipY = kTopBound;
    } else if (shipY >= kBottomBound) {
        shipY = kBottomBound;
    }
    if (shipX != shipImage_->x || shipY != shipImage_->y) {
        shipImage_->setPosition(shipX, shipY);
    }
}

void PlayerShip::ramEnemies() {
    // The touched enemy has taken the ram damage already; this is what it does back.
    const int contactDamage = scene_->shipHitsEnemies(this);
    if (!invincible_) {
        takeDamage(contactDamage);
    }
}

void PlayerShip::pickUpAward() {
    Award* award = scene_->findAwardTouching(this);
    if (award) {
        collect(*award);
    }
}

void PlayerShip::collect(const Award& award) {
    const int kind = award.getKind();
    if (kind >= 1 && kind <= static_cast<int>(kAwardHandlers.size())) {
        (this->*kAwardHandlers[static_cast<std::size_t>(kind - 1)])(award.getAmount());
    }
    awardSound_->play(true);
}

void PlayerShip::shakeStep() {
    if (!shaking_) {
        return;
    }
    if (shakeCounter_ > shakeLength_) {
        stopShake();
        return;
    }
    // Down on even counts, up on odd ones: the shake ends where it began.
    shipImage_->moveY(shakeCounter_ % 2 == 0 ? kShakeStep : -kShakeStep);
    ++shakeCounter_;
}

void PlayerShip::shootStep() {
    // The counters run on while fire is released, so a new press fires at once.
    ++gunCounter_;
    ++specialCounter_;
    if (!fireHeld()) {
        return;
    }
    if (gunOn_ && gunCounter_ >= gunInterval_) {
        gunCounter_ = 0;
        fireMainGun();
    }
    if (specialOn_ && specialCounter_ >= specialInterval_) {
        specialCounter_ = 0;
        fireSpecial();
    }
}

bool PlayerShip::fireHeld() const {
    if (useJoystick_) {
        const InputManager::JoystickState* stick = FirstJoystick::state();
        return stick != nullptr && ControlBindings::inForce().isPadHeld(PadAction::Fire, stick->rgbButtons);
    }
    return ControlBindings::inForce().isHeld(Action::Fire);
}

void PlayerShip::fireMainGun() {
    scene_->addBullet(new MainBullet(scene_, gunLevel_), shipImage_->getAbsoluteX(), shipImage_->getAbsoluteY());
    shootSound_->play(true);
}

void PlayerShip::fireSpecial() {
    const float shipX = shipImage_->getAbsoluteX();
    const float shipY = shipImage_->getAbsoluteY();
    switch (specialKind_) {
        case Experience::kBomb:
            // Bombs are dropped silently; their burst makes the noise.
            scene_->addBullet(new BombBullet(scene_, specialLevel_), shipX, shipY);
            break;
        case Experience::kFireBomb:
            scene_->addBullet(new FireBombBullet(scene_, specialLevel_), shipX, shipY);
            break;
        case Experience::kDownwardGun:
            scene_->addBullet(new DownwardBullet(scene_, specialLevel_, kDownwardXSpeed, kDownwardYSpeed), shipX,
                              shipY);
            shootSound_->play(true);
            break;
        default:
            break;
    }
}

int PlayerShip::hitByBullet(Bullet* bullet) {
    if (dead_ || !bullet || !shipImage_->overlaps(bullet)) {
        return -1;
    }
    if (!invincible_) {
        takeDamage(bullet->damage);
    }
    return 1;
}

void PlayerShip::takeDamage(int amount) {
    if (amount < 0) {
        return;
    }
    life_ = std::max(0, life_ - amount);
    // The popup shows what the hit was worth, not what it could still take.
    popup(kDamagePopup, 0, amount);
    tint();
    Sound* sound = hitSound_;
    if (life_ > 0) {
        if (shaking_) {
            // Start over in step, so the ship does not jump off its line.
            shakeCounter_ %= 2;
        } else {
            startShake();
        }
    } else {
        dead_ = true;
        Milestones::report("ship-down");
        setAlpha(0);
        scene_->addExplosion(new ShipExplosion(), shipImage_->getAbsoluteX(), shipImage_->getAbsoluteY());
        scene_->onShipDead();
        SoundMusicManager::stopAllMusic();
        sound = deadSound_;
    }
    sound->play(true);
    if (vibration_ && useJoystick_ && scene_->vibrationAllowed()) {
        vibration_->play();
    }
    scene_->onShipHit(amount);
}

void PlayerShip::addLife(int amount) {
    life_ = std::min(lifeMax_, life_ + amount);
    tint();
    scene_->setLifeShown(life_);
    popup(kLifePopup, 0, amount);
}

void PlayerShip::revive() {
    setAlpha(255);
    dead_ = false;
    addLife(lifeMax_);
    stopShake();
}

void PlayerShip::flyTo(float x) {
    flying_ = true;
    flyTarget_ = x;
}

void PlayerShip::setFullPower(bool on) {
    fullPower_ = on;
    if (on) {
        setLifeLevel(Experience::kMaxLevel);
        setSpeedLevel(Experience::kMaxLevel);
        setGunLevel(Experience::kMaxLevel);
        // Whoever typed the code expects a full bar, not the first level's life in a wide frame.
        life_ = lifeMax_;
        tint();
        scene_->setLifeShown(life_);
    }
}

void PlayerShip::pickSpecial(int kind) {
    const Experience::SpecialRow* row = Experience::specialRow(kind);
    if (!row) {
        return;
    }
    releaseSpecialTextures();
    for (std::size_t i = 0; i < row->textures.size(); ++i) {
        if (row->textures[i]) {
            specialTextures_[i] = ResourceManager::getImage(row->textures[i]);
        }
    }
    specialKind_ = kind;
    specialOn_ = true;
    // A new pick starts over at the first level but keeps what was gathered.
    setSpecialLevel(fullPower_ ? Experience::kMaxLevel : Experience::kFirstLevel);
}

void PlayerShip::setLifeLevel(int n) {
    const Experience::LevelRow& row = Experience::levelRow(n);
    lifeLevel_ = n;
    lifeMax_ = row.lifeMax;
    ramDamage_ = lifeMax_ * Experience::kRamDamagePerLife;
    // A new level raises the maximum only; it does not refill.
    life_ = std::min(life_, lifeMax_);
    lifeNext_ = row.next;
    tint();
    scene_->setLifeMax(lifeMax_);
    scene_->setLifeShown(life_);
}

void PlayerShip::setSpeedLevel(int n) {
    speedLevel_ = n;
    speed_ = Experience::levelRow(n).speed;
    speedNext_ = Experience::nextThreshold(n);
}

void PlayerShip::setGunLevel(int n) {
    gunLevel_ = n;
    gunInterval_ = Experience::levelRow(n).gunInterval;
    gunNext_ = Experience::nextThreshold(n);
}

void PlayerShip::setSpecialLevel(int n) {
    specialLevel_ = n;
    specialInterval_ = Experience::specialInterval(specialKind_, n);
    specialNext_ = Experience::nextThreshold(n);
}

void PlayerShip::addLifeExp(int n) {
    addExperience({lifeLevel_, lifeExp_, lifeNext_, &PlayerShip::setLifeLevel, kLifeExpPopup, kLifeLevelPopup}, n);
}

void PlayerShip::addSpeedExp(int n) {
    addExperience({speedLevel_, speedExp_, speedNext_, &PlayerShip::setSpeedLevel, kSpeedExpPopup, kSpeedLevelPopup},
                  n);
}

void PlayerShip::addGunExp(int n) {
    addExperience({gunLevel_, gunExp_, gunNext_, &PlayerShip::setGunLevel, kGunExpPopup, kGunLevelPopup}, n);
}

void PlayerShip::addSpecialExp(int n) {
    if (!specialOn_) {
        // Nothing to level yet: the experience waits for the weapon to be picked.
        if (specialLevel_ < Experience::kMaxLevel) {
            specialExp_ += n;
        }
        return;
    }
    addExperience(
        {specialLevel_, specialExp_, specialNext_, &PlayerShip::setSpecialLevel, kSpecialExpPopup, kSpecialLevelPopup},
        n);
}

void PlayerShip::addExperience(Track track, int n) {
    if (track.level >= Experience::kMaxLevel) {
        return;
    }
    track.exp += n;
    if (track.exp < track.next) {
        popup(track.expPopupType, specialKind_, n);
        return;
    }
    // One award can be worth several levels.
    do {
        (this->*track.setLevel)(track.level + 1);
    } while (track.level < Experience::kMaxLevel && track.exp >= track.next);
    if (&track.level == &lifeLevel_) {
        tint();
    }
    popup(track.levelPopupType, specialKind_, track.level);
}

void PlayerShip::tint() {
    const int half = lifeMax_ / 2;
    if (half > 0 && life_ < half) {
        // From white towards red as the life runs out.
        const int g = life_ * 255 / half;
        shipImage_->setRGB(255, g, g);
    } else {
        shipImage_->setRGB(255, 255, 255);
    }
}

void PlayerShip::startShake() {
    shaking_ = true;
    shakeCounter_ = 0;
    animating_ = false;
    shipImage_->setFrame(shipImage_->getFrameCount() - 1);
}

void PlayerShip::stopShake() {
    shaking_ = false;
    shakeCounter_ = 0;
    shipImage_->setFrame(0);
    animating_ = true;
}

void PlayerShip::popup(int type, int kind, int value) {
    scene_->addText(new PopupText(type, kind, value), shipImage_->getAbsoluteX(), shipImage_->getAbsoluteY());
}

void PlayerShip::releaseSpecialTextures() {
    for (ImageResource*& texture : specialTextures_) {
        Assets::release(texture);
    }
}

}  // namespace brinefall
