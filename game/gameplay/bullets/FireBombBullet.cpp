#include "gameplay/bullets/FireBombBullet.h"

#include "display/Image.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"

namespace brinefall {
namespace {

// The Fire Bomb by special level: the damage each frame, how many flame pairs open beside
// the centre and how long the fire holds fully open.
struct FireLevel {
    int damage;
    int pairs;
    int hold;
};
constexpr FireLevel kLevels[] = {
    {100, 0, 10},  // level 1
    {100, 0, 10},  // level 2
    {120, 1, 10},  // level 3
    {150, 2, 10},  // level 4
    {150, 3, 12},  // level 5
};
// A level outside 1 to 5 does no harm.
constexpr FireLevel kNoLevel = {0, 0, 10};

constexpr unsigned kFallingFrame = 2;
// Frames 0 to 3 of the picture are the fire growing; a piece opens through them, holds
// the last and closes through them again.
constexpr int kOpeningFrames = 4;
constexpr float kPieceSpacing = 32;
constexpr float kHalfWidthBeforeBurst = 12;
constexpr float kGoneAtTop = 800;

}  // namespace

FireBombBullet::FireBombBullet(GameScene* scene, int level) : scene_(scene), image_(addImage("bulletBomb2.twi", 2, 2)) {
    const FireLevel& row = levelRow(kLevels, kNoLevel, level);
    damage = row.damage;
    pairs_ = row.pairs;
    hold_ = row.hold;
    image_->setFrame(kFallingFrame);
    // Every flame is made now, hidden, so the burst allocates nothing.
    for (int i = 0; i < pairs_; ++i) {
        const float offset = kPieceSpacing * static_cast<float>(i + 1);
        leftFlames_.push_back(addFlame(-offset));
        rightFlames_.push_back(addFlame(offset));
    }
    flameHalfHeight_ = static_cast<float>(image_->getFrameHeight()) / 2;
    hitArea->setRectangle(-kHalfWidthBeforeBurst, -flameHalfHeight_, kHalfWidthBeforeBurst, flameHalfHeight_);
    hitArea->hitShape = rectangleShape;
}

FireBombBullet::~FireBombBullet() = default;

tidewell::Image* FireBombBullet::addFlame(float x) {
    tidewell::Image* flame = addImage("bulletBomb2.twi", 2, 2);
    flame->setX(x);
    showFlamePiece(flame, -1);
    return flame;
}

tidewell::Image* FireBombBullet::getLeftFlame(int pair) const { return leftFlames_[static_cast<std::size_t>(pair)]; }

tidewell::Image* FireBombBullet::getRightFlame(int pair) const { return rightFlames_[static_cast<std::size_t>(pair)]; }

void FireBombBullet::update() {
    move(xSpeed_, ySpeed_);
    ySpeed_ += acceleration_;
    if (getAbsoluteTop() >= kGoneAtTop) {
        remove();
        return;
    }
    // Once burning it passes through, so the answer is never 1 again and every enemy in
    // the fire takes the damage each frame.
    if (scene_->bulletHitsEnemies(this) == 1 && !burst_) burst();
    if (!burst_) return;

    ++burstCounter_;
    if (burstCounter_ >= pairs_ + hold_ + 2 * kOpeningFrames) {
        remove();
        return;
    }
    if (burstCounter_ <= pairs_) widenHitArea();
    showFlames();
}

void FireBombBullet::burst() {
    burst_ = true;
    xSpeed_ = 0;
    ySpeed_ = 0;
    acceleration_ = 0;
    passThrough = true;
    burstCounter_ = 0;
    play(scene_->getExplodeSound());
}

// The fire's hit area reaches over the pairs opened so far.
void FireBombBullet::widenHitArea() {
    const float halfWidth = kPieceSpacing * static_cast<float>(burstCounter_) + kPieceSpacing / 2;
    hitArea->setRectangle(-halfWidth, -flameHalfHeight_, halfWidth, flameHalfHeight_);
}

// The centre opens first, each pair one frame after the one inside it.
void FireBombBullet::showFlames() {
    showFlamePiece(image_, burstCounter_ - 1);
    for (int i = 0; i < pairs_; ++i) {
        const int step = burstCounter_ - i - 2;
        showFlamePiece(leftFlames_[static_cast<std::size_t>(i)], step);
        showFlamePiece(rightFlames_[static_cast<std::size_t>(i)], step);
    }
}

void FireBombBullet::showFlamePiece(tidewell::Image* piece, int step) const {
    const int closedAt = hold_ + 2 * kOpeningFrames;
    if (step < 0 || step >= closedAt) {
        piece->setAlpha(0);
        return;
    }
    piece->setAlpha(255);
    if (step < kOpeningFrames) {
        piece->setFrame(static_cast<unsigned>(step));
    } else if (step < hold_ + kOpeningFrames) {
        piece->setFrame(kOpeningFrames - 1);
    } else {
        piece->setFrame(static_cast<unsigned>(closedAt - 1 - step));  // 3, 2, 1, 0
    }
}

}  // namespace brinefall
