#include "gameplay/bullets/DownwardBullet.h"

#include "display/Image.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"

namespace brinefall {
namespace {

// The Downward Gun's shot by special level: the picture, half the side of its round hit area, the damage.
struct DownwardLevel {
    unsigned frame;
    float halfSize;
    int damage;
};
constexpr DownwardLevel kLevels[] = {
    {0, 5, 100},   // level 1
    {0, 5, 100},   // level 2
    {1, 8, 200},   // level 3
    {2, 10, 300},  // level 4
    {3, 16, 500},  // level 5
};
// A level outside 1 to 5 does no harm.
constexpr DownwardLevel kNoLevel = {0, 5, 0};

}  // namespace

DownwardBullet::DownwardBullet(GameScene* scene, int level, float xSpeed, float ySpeed)
    : scene_(scene), image_(addImage("bulletSpecial.twi", 2, 2)), xSpeed_(xSpeed), ySpeed_(ySpeed) {
    const DownwardLevel& row = levelRow(kLevels, kNoLevel, level);
    image_->setFrame(row.frame);
    hitArea->setRectangle(-row.halfSize, -row.halfSize, row.halfSize, row.halfSize);
    hitArea->hitShape = ellipseShape;
    damage = row.damage;
}

DownwardBullet::~DownwardBullet() = default;

void DownwardBullet::update() {
    move(xSpeed_, ySpeed_);
    if (isOffScreen()) {
        remove();
        return;
    }
    if (scene_->bulletHitsEnemies(this) == 1) remove();
}

}  // namespace brinefall
