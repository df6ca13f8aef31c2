#include "Enemy.h"

#include <cmath>

#include "sound/Sound.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/bullets/Bullet.h"
#include "gameplay/bullets/EnemyBullet.h"
#include "gameplay/effects/Award.h"
#include "gameplay/effects/EnemyExplosion.h"
#include "gameplay/hud/PopupText.h"

namespace brinefall {
namespace {

// Enemies leave once their image is this far outside the screen.
constexpr float kBoxLeft = -64;
constexpr float kBoxTop = -64;
constexpr float kBoxRight = 864;
constexpr float kBoxBottom = 664;

constexpr float kShakeStep = 2;
constexpr float kAwardSpeed = 5;

}  // namespace

Enemy::Enemy(GameScene* scene, const char* imageFile, unsigned columns, unsigned rows) : scene(scene) {
    image = new tidewell::Image(imageFile, columns, rows);
    image->setAlignment(3, 3);
    addChild(image);
    hitArea = new tidewell::Shape();
    hitArea->setAlpha(0);
    addChild(hitArea);
}

Enemy::~Enemy() = default;

void Enemy::update() {
    animate();
    moveStep();
    if (isRemoved()) {
        return;  // it left the screen: no shot from out there
    }
    ownMotion();
    shoot();
    updateShake();
    afterShake();
}

void Enemy::setAnimation(int f0, int d0, int f1, int d1, int f2, int d2, int f3, int d3) {
    const int frames[kAnimSteps] = {f0, f1, f2, f3};
    const int durations[kAnimSteps] = {d0, d1, d2, d3};
    for (int i = 0; i < kAnimSteps; ++i) {
        animFrames[i] = frames[i];
        animDurations[i] = durations[i];
    }
}

void Enemy::setHitPoints(int n) {
    maxHitPoints = n;
    hitPoints = n;
}

void Enemy::setHitArea(float w, float h, int kind) {
    hitArea->setRectangle(-w / 2, -h / 2, w / 2, h / 2);
    hitArea->hitShape = kind;
}

void Enemy::animate() {
    if (!animating) {
        return;
    }
    ++animCounter;
    const int cycle = animDurations[0] + animDurations[1] + animDurations[2] + animDurations[3];
    if (animCounter == cycle) {
        animCounter = 0;
    }
    int stepStart = 0;
    for (int i = 0; i < kAnimSteps; ++i) {
        if (animCounter == stepStart && animFrames[i] >= 0) {
            image->setFrame(static_cast<unsigned>(animFrames[i]));
            return;
        }
        stepStart += animDurations[i];
    }
}

void Enemy::moveStep() {
    move(velocity[0], velocity[1]);
    if (isOffScreen()) {
        remove();
        return;
    }
    velocity[0] += acceleration[0];
    velocity[1] += acceleration[1];
}

bool Enemy::isOffScreen() {
    const float sx = imageScreenX();
    const float sy = imageScreenY();
    return sx < kBoxLeft || sx > kBoxRight || sy < kBoxTop || sy > kBoxBottom;
}

void Enemy::shoot() {
    if (shotIsDue()) {
        fireAimedShot();
    }
}

bool Enemy::shotIsDue() {
    if (firstShot < 0) {
        return false;
    }
    ++shotCounter;
    if (shotCounter != firstShot && shotCounter < firstShot + shotInterval) {
        return false;
    }
    shotCounter = firstShot;
    return true;
}

void Enemy::fireAimedShot() {
    float dx = 0;
    float dy = 0;
    directionToShip(bulletSpeed, dx, dy);
    auto* bullet = new EnemyBullet(scene);
    bullet->setVelocity(dx, dy);
    bullet->damage = bulletDamage;
    scene->addBullet(bullet, imageScreenX(), imageScreenY());
    play(scene->getEnemyShootSound());
}

void Enemy::updateShake() {
    if (!shaking) {
        return;
    }
    if (shakeCounter > shakeLength) {
        shaking = false;
        shakeCounter = 0;
        image->setFrame(0);
        animating = true;
        return;
    }
    moveY(shakeCounter % 2 == 0 ? kShakeStep : -kShakeStep);
    ++shakeCounter;
}

bool Enemy::hitByBullet(Bullet* bullet) {
    if (isRemoved() || (colour >> 24) != 0xFF || !bullet->hits(getHitArea())) {
        return false;
    }
    takeDamage(bullet->damage);
    return true;
}

bool Enemy::hitByShip(PlayerShip* ship) {
    if (isRemoved() || (colour >> 24) != 0xFF || !getHitArea()->overlaps(ship->getShipImage())) {
        return false;
    }
    takeDamage(ship->getRamDamage());
    return true;
}

tidewell::Shape* Enemy::getHitArea() { return hitArea; }

void Enemy::takeDamage(int amount) {
    if (amount < 0) {
        return;
    }
    loseHitPoints(amount, imageScreenX(), imageScreenY());
    if (hitPoints > 0) {
        if (shaking) {
            // Keep the shake in step, so the enemy ends where it started.
            shakeCounter %= 2;
        } else {
            startShaking();
        }
        play(scene->getHitSound());
        return;
    }
    scene->addExplosion(new EnemyExplosion(), imageScreenX(), imageScreenY());
    dropAwards();
    remove();
    play(scene->getEnemyDeadSound());
}

void Enemy::loseHitPoints(int amount, float popupX, float popupY) {
    hitPoints = amount >= hitPoints ? 0 : hitPoints - amount;
    const int c = maxHitPoints > 0 ? hitPoints * 255 / maxHitPoints : 0;
    image->setRGB(255, c, c);
    scene->addText(new PopupText(1, 0, amount), popupX, popupY);
}

void Enemy::startShaking() {
    shaking = true;
    shakeCounter = 0;
    animating = false;
    // The last frame of every enemy picture shows it flinching.
    image->setFrame(image->getFrameCount() - 1);
}

void Enemy::dropAwards() {
    bool any = false;
    for (int amount : awards) {
        any = any || amount > 0;
    }
    if (!any) {
        return;
    }
    float dx = 0;
    float dy = 0;
    directionToShip(kAwardSpeed, dx, dy);
    for (int k = 1; k <= kAwardKinds; ++k) {
        const int amount = awards[k - 1];
        if (amount > 0) {
            scene->addAward(new Award(k, amount, dx, dy), imageScreenX(), imageScreenY());
        }
    }
}

void Enemy::directionToShip(float length, float& dx, float& dy) const {
    const tidewell::Image* target = scene->getShip()->getShipImage();
    dx = target->getAbsoluteX() - imageScreenX();
    dy = target->getAbsoluteY() - imageScreenY();
    const float d = std::sqrt(dx * dx + dy * dy);
    if (d == 0) {
        // No direction to take: head the way the world scrolls rather than divide by zero.
        dx = -length;
        dy = 0;
        return;
    }
    dx = dx * length / d;
    dy = dy * length / d;
}

void Enemy::followImage() { hitArea->setPosition(image->x, image->y); }

bool Enemy::hop(float& speed, float bounceSpeed, float gravity) {
    image->moveY(speed);
    bool landed = false;
    if (image->y > 0) {
        image->setY(0);
        speed = bounceSpeed;
        landed = true;
    }
    speed += gravity;
    return landed;
}

float Enemy::imageScreenX() const { return image->getAbsoluteX(); }
float Enemy::imageScreenY() const { return image->getAbsoluteY(); }

void Enemy::play(tidewell::Sound* sound) {
    if (sound != nullptr) {
        sound->play(true);
    }
}

}  // namespace brinefall
