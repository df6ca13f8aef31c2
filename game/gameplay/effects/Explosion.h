#pragma once

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
};

}  // namespace brinefall
