#include "gameplay/effects/EnemyExplosion.h"
#include "Colours.h"

#include "display/Image.h"

namespace brinefall {
namespace {

constexpr int kPieceCount = 8;
constexpr int kLifetime = 40;
constexpr float kSlowDown = 0.125f;

}  // namespace

EnemyExplosion::EnemyExplosion() {
    const unsigned frame = drawFrame();
    for (int i = 0; i < kPieceCount; ++i) {
        tidewell::Image* piece = addPiece(frame);
        piece->setRGB(Colours::kYellow);
        pieces_.push_back(piece);
    }
}

EnemyExplosion::~EnemyExplosion() = default;

void EnemyExplosion::update() {
    ++frameCount;
    if (frameCount >= kLifetime) {
        remove();
        return;
    }
    const int alpha = (kLifetime - frameCount) * 255 / kLifetime;
    for (int i = 0; i < kPieceCount; ++i) {
        tidewell::Image* piece = pieces_[static_cast<std::size_t>(i)];
        piece->move(kDirections[i].x * speed_, kDirections[i].y * speed_);
        piece->setAlpha(alpha);
    }
    speed_ -= kSlowDown;
}

}  // namespace brinefall
