#pragma once

#include "gameplay/effects/Explosion.h"

namespace brinefall {

// A bomb's blast: one centred picture fading out over 10 frames.
class BombExplosion : public Explosion {
public:
    BombExplosion();
    ~BombExplosion() override;

    void update() override;

    tidewell::Image* getImage() const { return image_; }

private:
    tidewell::Image* image_;
};

}  // namespace brinefall
