#include "gameplay/bullets/MainBullet.h"

#include "display/Image.h"
#include "core/Screen.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"

namespace brinefall {
namespace {

// The main gun's shot by gun level: the picture, half the height of the hit area, the damage.
struct MainLevel {
    unsigned frame;
    float halfHeight;
    int damage;
};
constexpr MainLevel kLevels[] = {
    {0, 3, 100},   // level 1
    {0, 3, 100},   // level 2
    {1, 8, 200},   // level 3
    {2, 13, 300},  // level 4
    {3, 16, 500},  // level 5
};
// A level outside 1 to 5 does no harm.
constexpr MainLevel kNoLevel = {0, 3, 0};
constexpr float kHalfWidth = 16;

}  // namespace

MainBullet::MainBullet(GameScene* scene, int level) : scene_(scene), image_(addImage("bulletMain.twi", 2, 2)) {
    const MainLevel& row = levelRow(kLevels, kNoLevel, level);
    image_->setFrame(row.frame);
    hitArea->setRectangle(-kHalfWidth, -row.halfHeight, kHalfWidth, row.halfHeight);
    hitArea->hitShape = rectangleShape;
    damage = row.damage;
}

MainBullet::~MainBullet() = default;

// It tests only where it ends up each frame, so a thin enemy can be flown over.
void MainBullet::update() {
    move(xSpeed_, ySpeed_);
    if (getAbsoluteLeft() >= static_cast<float>(tidewell::screenWidth)) {
        remove();
        return;
    }
    if (scene_->bulletHitsEnemies(this) == 1) remove();
}

}  // namespace brinefall
