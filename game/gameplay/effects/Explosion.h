#pragma once

#include "Sprite.h"

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

protected:
    // A centred piece of "explosion.twi" showing `frame`, added as a child.
    tidewell::Image* addPiece(unsigned frame);
};

}  // namespace brinefall
