#include "gameplay/effects/BossExplosion.h"
#include "Colours.h"

#include <algorithm>
#include <cmath>

#include "display/Image.h"
#include "core/Random.h"

namespace brinefall {
namespace {

constexpr int kRingCount = 3;
constexpr float kRingSpeed = 10;
// A ring starts spreading 20 frames after the one before it...
constexpr int kRingInterval = 20;
// ...and shows one frame earlier: ring 0 at 0, ring 1 at 19, ring 2 at 39.
constexpr int kRingShownAt[kRingCount] = {0, 19, 39};
constexpr int kDebrisCount = 60;
constexpr float kDebrisSpeed = 20;
constexpr int kLastFrame = 200;

}  // namespace

// The draws, in this order: one frame per ring; then for each debris piece its frame,
// its x speed, and whether its y speed goes up or down.
BossExplosion::BossExplosion() {
    frameCount = -1;  // so the first frame is frame 0
    for (int ring = 0; ring < kRingCount; ++ring) {
        const unsigned frame = drawFrame();
        std::vector<tidewell::Image*> pieces;
        for (int i = 0; i < kDirectionCount; ++i) {
            tidewell::Image* piece = addPiece(frame);
            piece->setRGB(Colours::kYellow);
            piece->setAlpha(0);
            pieces.push_back(piece);
        }
        rings_.push_back(pieces);
    }
    for (int i = 0; i < kDebrisCount; ++i) {
        tidewell::Image* piece = addPiece(drawFrame());
        piece->setAlpha(0);
        debris_.push_back(piece);
        const float xSpeed = static_cast<float>(tidewell::Random::next()) * kDebrisSpeed / 16384 - kDebrisSpeed;
        float ySpeed = std::sqrt(std::max(0.0f, kDebrisSpeed * kDebrisSpeed - xSpeed * xSpeed));
        if (tidewell::Random::next() < 16383) ySpeed = -ySpeed;
        debrisXSpeed_.push_back(xSpeed);
        debrisYSpeed_.push_back(ySpeed);
    }
}

BossExplosion::~BossExplosion() = default;

const std::vector<tidewell::Image*>& BossExplosion::getRing(int ring) const {
    return rings_[static_cast<std::size_t>(ring)];
}

float BossExplosion::getDebrisXSpeed(int piece) const { return debrisXSpeed_[static_cast<std::size_t>(piece)]; }

float BossExplosion::getDebrisYSpeed(int piece) const { return debrisYSpeed_[static_cast<std::size_t>(piece)]; }

void BossExplosion::update() {
    const int n = ++frameCount;
    if (n > kLastFrame) {
        remove();
        return;
    }
    showRings(n);
    if (n < kDebrisCount) debris_[static_cast<std::size_t>(n)]->setAlpha(255);
    moveRings(n);
    moveDebris();
}

void BossExplosion::showRings(int n) {
    for (int ring = 0; ring < kRingCount; ++ring) {
        if (n != kRingShownAt[ring]) continue;
        for (tidewell::Image* piece : rings_[static_cast<std::size_t>(ring)]) piece->setAlpha(255);
    }
}

// No slow-down: the rings spread at the same speed until the end.
void BossExplosion::moveRings(int n) {
    for (int ring = 0; ring < kRingCount; ++ring) {
        if (n < kRingInterval * ring) continue;
        const auto& pieces = rings_[static_cast<std::size_t>(ring)];
        for (int i = 0; i < kDirectionCount; ++i) {
            pieces[static_cast<std::size_t>(i)]->move(kDirections[i].x * kRingSpeed, kDirections[i].y * kRingSpeed);
        }
    }
}

// Debris pieces are shown in order, so the first hidden one ends the shown ones.
void BossExplosion::moveDebris() {
    for (std::size_t i = 0; i < debris_.size(); ++i) {
        if ((debris_[i]->colour >> 24) == 0) break;
        debris_[i]->move(debrisXSpeed_[i], debrisYSpeed_[i]);
    }
}

}  // namespace brinefall
