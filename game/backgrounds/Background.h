#pragma once

#include "display/Sprite.h"

namespace brinefall {

// The base of every background: drawn behind everything else in its scene. The
// scrolling stage backgrounds ease towards the speed the game scene asks for.
class Background : public tidewell::Sprite {
public:
    Background();
    ~Background() override;

    // The scrolling stage backgrounds ease towards this speed; the still one ignores it.
    virtual void setTargetSpeed(float speed);
};

}  // namespace brinefall
