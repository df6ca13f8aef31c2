#include "WaveScript.h"

#include "core/ErrorGeneric.h"
#include "core/Random.h"
#include "resources/ResourceManager.h"
#include "sound/Music.h"
#include "sound/SoundMusicManager.h"
#include "gameplay/GameScene.h"
#include "gameplay/bullets/Bullet.h"
#include "gameplay/enemies/Enemy.h"

namespace brinefall {
namespace {

constexpr const char* kModulePath = "game\\Brinefall\\WaveScript";
constexpr int kLineStepWithoutDelay = 1;

}  // namespace

WaveScript::WaveScript(GameScene* scene, const Table& table) : scene(scene), table_(table) {
    readDelays();
    for (const char* file : table.heldImages) {
        heldImages_.push_back(tidewell::ResourceManager::getImage(file));
    }
    if (table.heldSound != nullptr) {
        heldSound_ = tidewell::SoundMusicManager::getSound(table.heldSound, true);
    }
}

WaveScript::~WaveScript() {
    // The enemies go first: they give their pictures back before the script lets go of them.
    while (Sprite* child = getFirstChild()) {
        delete child;
    }
    for (tidewell::ImageResource* image : heldImages_) {
        tidewell::ResourceManager::releaseImage(image);
    }
    if (heldSound_ != nullptr) {
        tidewell::SoundMusicManager::releaseSound(heldSound_);
    }
}

void WaveScript::readDelays() {
    for (const DelayRow& row : table_.delays) {
        delays.resize(static_cast<std::size_t>(row.last) + 1, 0);
        for (int i = row.first; i <= row.last; ++i) {
            delays[static_cast<std::size_t>(i)] = row.frames;
        }
    }
    stepCount = static_cast<int>(delays.size());
    // The spawn counter starts each step at 1 and only rises: a step that no row gives a
    // delay of a frame or more would never come, and the stage would stand still.
    for (int i = 0; i < stepCount; ++i) {
        if (delays[static_cast<std::size_t>(i)] < 1) {
            throw tidewell::ErrorGeneric(kModulePath, kLineStepWithoutDelay, i);
        }
    }
}

int WaveScript::bulletHitsEnemies(Bullet* bullet) {
    for (Sprite* child = getFirstChild(); child != nullptr; child = child->getNextSibling()) {
        auto* enemy = dynamic_cast<Enemy*>(child);
        if (enemy == nullptr || enemy->isRemoved()) {
            continue;
        }
        if (enemy->hitByBullet(bullet) && !bullet->passThrough) {
            return 1;
        }
    }
    return -1;
}

int WaveScript::shipHitsEnemies(PlayerShip* ship) {
    for (Sprite* child = getFirstChild(); child != nullptr; child = child->getNextSibling()) {
        auto* enemy = dynamic_cast<Enemy*>(child);
        if (enemy == nullptr || enemy->isRemoved()) {
            continue;
        }
        if (enemy->hitByShip(ship)) {
            return enemy->contactDamage;
        }
    }
    return -1;
}

void WaveScript::startAfterBossCounter() { afterBossCounter = 0; }

void WaveScript::update() {
    // One phase a frame, so the fade begins on the frame after the boss step.
    if (step < stepCount) {
        advanceSpawning();
    } else if (stepCount > 0 && step == stepCount) {
        fadeStageMusic();
    } else if (step > stepCount) {
        countAfterBoss();
    }
}

void WaveScript::advanceSpawning() {
    ++spawnCounter;
    if (spawnCounter != delays[static_cast<std::size_t>(step)]) {
        return;
    }
    spawnStep(step);
    spawnCounter = 0;
    ++step;
}

void WaveScript::fadeStageMusic() {
    ++fadeCounter;
    if (fadeCounter > kFadeFrames) {
        ++step;
        return;
    }
    if (tidewell::Music* music = scene->getStageMusic()) {
        music->setVolume(static_cast<float>(kFadeFrames - fadeCounter) * 0.01f);
    }
}

void WaveScript::countAfterBoss() {
    if (afterBossCounter < 0) {
        return;
    }
    if (++afterBossCounter < kAfterBossFrames) {
        return;
    }
    afterBossCounter = -1;
    if (tidewell::Music* music = scene->getBossAfterMusic()) {
        music->play(true);
    }
}

void WaveScript::spawnStep(int index) {
    for (const SpawnRow& row : table_.spawns) {
        if (rowHasStep(row, index)) {
            spawnRow(row, index);
        }
    }
}

bool WaveScript::rowHasStep(const SpawnRow& row, int index) {
    const int stride = row.stride > 0 ? row.stride : 1;
    return index >= row.first && index <= row.last && (index - row.first) % stride == 0;
}

void WaveScript::spawnRow(const SpawnRow& row, int index) {
    if (row.kind == kBossKind) {
        spawnBoss();
        return;
    }
    if (row.kind == kRandomKind) {
        if (Enemy* enemy = spawnRandom()) {
            giveRandomShot(enemy);
            giveAwards(enemy, index);
        }
        return;
    }
    for (int s = 0; s < row.spotCount; ++s) {
        Enemy* enemy = spawnKind(row.kind);
        if (enemy == nullptr) {
            continue;
        }
        enemy->setPosition(row.spots[s].x, row.spots[s].y);
        if (row.setsVelocity) {
            enemy->velocity[0] = row.vx;
            enemy->velocity[1] = row.vy;
        }
        enemy->acceleration[0] = row.ax;
        enemy->acceleration[1] = row.ay;
        giveAwards(enemy, index);
    }
}

void WaveScript::giveAwards(Enemy* enemy, int index) const {
    for (const AwardRow& award : table_.awards) {
        if (award.step == index && award.kind >= 1 && award.kind <= Enemy::kAwardKinds) {
            enemy->awards[award.kind - 1] = award.amount;
        }
    }
}

void WaveScript::giveRandomShot(Enemy* enemy) const {
    const RandomShot& shot = table_.randomShot;
    enemy->firstShot = shot.firstShot;
    enemy->shotInterval = shot.shotInterval;
    enemy->bulletSpeed = shot.bulletSpeed;
    enemy->bulletDamage = shot.bulletDamage;
}

Enemy* WaveScript::spawnKind(int kind) {
    if (kind < 0 || kind >= static_cast<int>(table_.kinds.size())) {
        return nullptr;
    }
    const KindRow& values = table_.kinds[static_cast<std::size_t>(kind)];
    Enemy* enemy = values.make(scene, values.file);
    addChild(enemy);
    enemy->setHitPoints(values.hitPoints);
    enemy->contactDamage = values.contactDamage;
    if (values.animated) {
        const int* a = values.animation;
        enemy->setAnimation(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
    }
    if (values.hitWidth > 0) {
        enemy->setHitArea(values.hitWidth, values.hitHeight, ellipseShape);
    }
    if (values.firstShot >= 0) {
        enemy->firstShot = values.firstShot;
        enemy->shotInterval = values.shotInterval;
        enemy->bulletSpeed = values.bulletSpeed;
        enemy->bulletDamage = values.bulletDamage;
    }
    enemy->setPosition(kEntryX, 0);
    return enemy;
}

float WaveScript::drawPosition(float base, float scale, float divisor) {
    return base + static_cast<float>(tidewell::Random::next()) * scale / divisor;
}

}  // namespace brinefall
