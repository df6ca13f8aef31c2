#pragma once

#include <vector>

#include "display/Sprite.h"

namespace tidewell {
class Image;
}  // namespace tidewell

namespace brinefall {

// The base of the self-animating explosions put into the scene's explosion layer: each
// kind moves and fades its pieces frame by frame and, except the ship's wreck, removes
// itself when it is done.
class Explosion : public tidewell::Sprite {
public:
    Explosion();
    ~Explosion() override;

    // The frames lived so far.
    int frameCount = 0;

    // The 16 directions of the bursts and rings, of length 1; the enemy's burst takes the first 8.
    struct Direction {
        float x;
        float y;
    };
    static constexpr int kDirectionCount = 16;
    static const Direction kDirections[kDirectionCount];

protected:
    // A centred piece of "explosion.twi" (2 x 2 frames) showing `frame`, added as a child.
    tidewell::Image* addPiece(unsigned frame);
    // One of the 4 frames of "explosion.twi", drawn from the engine's generator.
    static unsigned drawFrame();
    // Counts one more frame lived; once `lifetime` frames have passed, the explosion removes
    // itself and the answer is false.
    bool liveOneMoreFrame(int lifetime);
    // The opacity of a fade over `frames` frames at the frame count: 255 at 0, none from `frames` on.
    int fadeAlpha(int frames) const;
    // One frame of a burst: piece i flies along direction i at `speed` with the given opacity,
    // and the burst slows down by `slowDown`.
    static void spreadBurst(const std::vector<tidewell::Image*>& pieces, float& speed, float slowDown, int alpha);
};

}  // namespace brinefall
