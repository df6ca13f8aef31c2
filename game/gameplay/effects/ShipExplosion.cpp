#include "gameplay/effects/ShipExplosion.h"
#include "Colours.h"

#include "display/Image.h"
#include "core/Random.h"

namespace brinefall {
namespace {

constexpr float kSlowDown = 0.125f;
constexpr int kFadeFrames = 80;

// The wreck's sparks: how many there are, how often the next one starts, how fast it
// goes (rising ones up, falling ones down) and over how many pixels to the right of the
// wreck it may start.
struct SparkKind {
    int count;
    int every;
    float speed;
    int spread;
};
constexpr SparkKind kRising = {30, 4, -5.0f, 30};
constexpr SparkKind kFalling = {10, 40, 2.5f, 10};

bool isShown(const tidewell::Image* spark) { return (spark->colour >> 24) != 0; }

}  // namespace

ShipExplosion::ShipExplosion() {
    const unsigned frame = drawFrame();
    for (int i = 0; i < kDirectionCount; ++i) {
        tidewell::Image* piece = addPiece(frame);
        piece->setRGB(Colours::kYellow);
        burst_.push_back(piece);
    }
    for (int i = 0; i < kRising.count; ++i) {
        rising_.push_back(addPiece(frame));
        rising_.back()->setAlpha(0);
    }
    for (int i = 0; i < kFalling.count; ++i) {
        falling_.push_back(addPiece(frame));
        falling_.back()->setAlpha(0);
    }
}

ShipExplosion::~ShipExplosion() = default;

void ShipExplosion::update() {
    ++frameCount;
    spreadBurst(burst_, speed_, kSlowDown, fadeAlpha(kFadeFrames));
    launchSparks();
    moveSparks();
}

// The sparks are used in turn, for ever: the oldest one starts again at the wreck.
void ShipExplosion::launchSparks() {
    if (frameCount % kRising.every == 0) {
        tidewell::Image* spark = rising_[nextRising_];
        spark->setPosition(static_cast<float>(tidewell::Random::choose(kRising.spread)), 0);
        spark->setAlpha(255);
        nextRising_ = (nextRising_ + 1) % rising_.size();
    }
    if (frameCount % kFalling.every == 0) {
        tidewell::Image* spark = falling_[nextFalling_];
        spark->setPosition(static_cast<float>(tidewell::Random::choose(kFalling.spread)), 0);
        spark->setAlpha(255);
        nextFalling_ = (nextFalling_ + 1) % falling_.size();
    }
}

void ShipExplosion::moveSparks() {
    for (tidewell::Image* spark : rising_) {
        if (isShown(spark)) spark->moveY(kRising.speed);
    }
    for (tidewell::Image* spark : falling_) {
        if (isShown(spark)) spark->moveY(kFalling.speed);
    }
}

}  // namespace brinefall
