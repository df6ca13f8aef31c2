#include "gameplay/effects/Explosion.h"

#include "display/Image.h"
#include "core/Random.h"

namespace brinefall {
namespace {

constexpr float kDiagonal = 0.70710678f;  // 1 / sqrt(2)
constexpr float kCos22 = 0.92387953f;     // cos 22.5 degrees
constexpr float kSin22 = 0.38268343f;     // sin 22.5 degrees
constexpr unsigned kExplosionFrames = 4;  // "explosion.twi" is 2 x 2

}  // namespace

const Explosion::Direction Explosion::kDirections[kDirectionCount] = {
    {1, 0},
    {-1, 0},
    {0, 1},
    {0, -1},
    {kDiagonal, kDiagonal},
    {kDiagonal, -kDiagonal},
    {-kDiagonal, kDiagonal},
    {-kDiagonal, -kDiagonal},
    {kCos22, kSin22},
    {kCos22, -kSin22},
    {-kCos22, kSin22},
    {-kCos22, -kSin22},
    {kSin22, kCos22},
    {kSin22, -kCos22},
    {-kSin22, kCos22},
    {-kSin22, -kCos22},
};

Explosion::Explosion() = default;

Explosion::~Explosion() = default;

tidewell::Image* Explosion::addPiece(unsigned frame) {
    auto* piece = new tidewell::Image("explosion.twi", 2, 2);
    piece->setAlignment(3, 3);
    piece->setFrame(frame);
    addChild(piece);
    return piece;
}

unsigned Explosion::drawFrame() { return static_cast<unsigned>(tidewell::Random::choose(kExplosionFrames)); }

bool Explosion::liveOneMoreFrame(int lifetime) {
    ++frameCount;
    if (frameCount >= lifetime) {
        remove();
        return false;
    }
    return true;
}

int Explosion::fadeAlpha(int frames) const { return frameCount < frames ? (frames - frameCount) * 255 / frames : 0; }

void Explosion::spreadBurst(const std::vector<tidewell::Image*>& pieces, float& speed, float slowDown, int alpha) {
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        pieces[i]->move(kDirections[i].x * speed, kDirections[i].y * speed);
        pieces[i]->setAlpha(alpha);
    }
    speed -= slowDown;
}

}  // namespace brinefall
