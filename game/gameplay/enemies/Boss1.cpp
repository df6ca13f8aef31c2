#include "Boss1.h"
#include "Milestones.h"

#include "sound/SoundMusicManager.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/bullets/Boss1Bullet.h"
#include "gameplay/bullets/Bullet.h"
#include "gameplay/effects/BossExplosion.h"

namespace brinefall {
namespace {

constexpr float kStartX = 900;
constexpr float kStartY = 300;
constexpr float kWeakPointX = -48;
constexpr float kWeakPointY = 17;
constexpr float kSlowScroll = 2;

}  // namespace

Boss1::Boss1(GameScene* scene) : Enemy(scene, "boss1.twi", 1, 1) {
    image->hitShape = ellipseShape;
    weakPoint = new tidewell::Shape();
    weakPoint->setRectangle(-20, -30, 20, 30);
    weakPoint->hitShape = ellipseShape;
    weakPoint->setAlpha(0);
    addChild(weakPoint);
    weakPoint->setPosition(kWeakPointX, kWeakPointY);
    shootSound = tidewell::SoundMusicManager::getSound("boss1Shoot.tws", true);

    setHitPoints(10000);
    contactDamage = 10000;
    bulletSpeed = 10;
    bulletDamage = 200;
    firstShot = 20;
    shotInterval = 40;
    shotCounter = 0;
    setPosition(kStartX, kStartY);
}

Boss1::~Boss1() { tidewell::SoundMusicManager::releaseSound(shootSound); }

void Boss1::update() {
    if (!active) {
        enter();
        return;
    }
    patrol();
    shoot();
}

void Boss1::enter() {
    if (x > stopX) {
        moveX(-1);
        return;
    }
    if (entryCounter == 0) {
        scene->playBossBegin();
    }
    if (++entryCounter == kWaitFrames) {
        active = true;
        Milestones::report("boss-active", 1);
        scene->startBossMusic();
        scene->startVibration();
    }
}

void Boss1::patrol() {
    if (movingUp) {
        moveY(-ySpeed);
        if (y < topY) {
            setY(topY);
            movingUp = false;
        }
    } else {
        moveY(ySpeed);
        if (y > bottomY) {
            setY(bottomY);
            movingUp = true;
        }
    }
}

void Boss1::shoot() {
    if (!shotIsDue()) {
        return;
    }
    // A fan of six, evenly spread from 5/9 of the speed upwards to 5/9 downwards.
    for (int i = 0; i < kFanSize; ++i) {
        auto* bullet = new Boss1Bullet(scene);
        const float spread = (2.0f * static_cast<float>(i) / 9.0f - 5.0f / 9.0f) * bulletSpeed;
        bullet->setVelocity(-bulletSpeed, spread);
        bullet->damage = bulletDamage;
        scene->addBullet(bullet, imageScreenX(), imageScreenY());
    }
    play(shootSound);
}

bool Boss1::hitByBullet(Bullet* bullet) {
    if (isRemoved()) {
        return false;
    }
    if (bullet->hits(weakPoint)) {
        if (active) {
            takeDamage(bullet->damage);
        }
        return true;
    }
    // The armoured body swallows the shot without harm, except in the open mouth: a shot
    // flying in line with the lure-eye and not yet past it goes on towards it. Without
    // that, a main-gun shot (50 pixels a frame) always meets the body's outline in front
    // of the eye first, and the eye could never be hit.
    return bullet->hits(image) && !isFlyingAtTheEye(bullet);
}

bool Boss1::isFlyingAtTheEye(const Bullet* bullet) const {
    const tidewell::Shape* area = bullet->getHitArea();
    const bool inLine = area->getAbsoluteBottom() > weakPoint->getAbsoluteTop() &&
                        area->getAbsoluteTop() < weakPoint->getAbsoluteBottom();
    return inLine && area->getAbsoluteLeft() < weakPoint->getAbsoluteX();
}

bool Boss1::hitByShip(PlayerShip* ship) {
    if (isRemoved()) {
        return false;
    }
    const tidewell::Image* shipImage = ship->getShipImage();
    return weakPoint->overlaps(shipImage) || image->overlaps(shipImage);
}

tidewell::Shape* Boss1::getHitArea() { return weakPoint; }

void Boss1::takeDamage(int amount) {
    if (amount < 0) {
        return;
    }
    loseHitPoints(amount, weakPoint->getAbsoluteX(), weakPoint->getAbsoluteY());
    play(scene->getHitSound());
    if (hitPoints == 0) {
        die();
    }
}

void Boss1::die() {
    Milestones::report("boss-dead", 1);
    scene->addExplosion(new BossExplosion(), imageScreenX(), imageScreenY());
    scene->setScrollTarget(kSlowScroll);
    scene->offerWeapons();
    remove();
    scene->stopBossMusic();
    scene->playBossWin();
    scene->stopVibration();
}

}  // namespace brinefall
