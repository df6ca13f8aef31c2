#include "gameplay/bullets/BombBullet.h"

#include "display/Image.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"
#include "gameplay/effects/BombExplosion.h"

namespace brinefall {
namespace {

// The Bomb by special level: the picture (small or large charge), its hit area and the damage.
struct BombLevel {
    unsigned frame;
    std::int32_t shape;
    float halfWidth;
    float halfHeight;
    int damage;
};
constexpr BombLevel kLevels[] = {
    {0, tidewell::Sprite::rectangleShape, 10, 5, 500},  // level 1
    {0, tidewell::Sprite::rectangleShape, 10, 5, 500},  // level 2
    {0, tidewell::Sprite::rectangleShape, 10, 5, 500},  // level 3
    {1, tidewell::Sprite::ellipseShape, 16, 16, 1000},  // level 4
    {1, tidewell::Sprite::ellipseShape, 16, 16, 1000},  // level 5
};
// A level outside 1 to 5 does no harm.
constexpr BombLevel kNoLevel = {0, tidewell::Sprite::rectangleShape, 10, 5, 0};
// It falls out of the bottom of the screen and still drops on for a while before it goes.
constexpr float kGoneAtTop = 800;
constexpr float kGravity = 1;

}  // namespace

BombBullet::BombBullet(GameScene* scene, int level) : scene_(scene), image_(addImage("bulletBomb1.twi", 2, 1)) {
    const BombLevel& row = levelRow(kLevels, kNoLevel, level);
    image_->setFrame(row.frame);
    hitArea->setRectangle(-row.halfWidth, -row.halfHeight, row.halfWidth, row.halfHeight);
    hitArea->hitShape = row.shape;
    damage = row.damage;
}

BombBullet::~BombBullet() = default;

void BombBullet::update() {
    move(xSpeed_, ySpeed_);
    ySpeed_ += kGravity;
    if (getAbsoluteTop() >= kGoneAtTop) {
        remove();
        return;
    }
    if (scene_->bulletHitsEnemies(this) != 1) return;
    remove();
    scene_->addExplosion(new BombExplosion(), getAbsoluteX(), getAbsoluteY());
    play(scene_->getExplodeSound());
}

}  // namespace brinefall
