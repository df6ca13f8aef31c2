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
    if (liveOneMoreFrame(kLifetime)) spreadBurst(pieces_, speed_, kSlowDown, fadeAlpha(kLifetime));
}

}  // namespace brinefall
