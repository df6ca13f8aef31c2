#pragma once

#include "Sprite.h"

namespace brinefall {

// The still ocean backdrop of the title and the opening: six tiles covering the screen.
// The hardware renderer draws the light, neutral set tinted deep blue; the software
// renderer, whose tinted drawing costs every pixel, draws the set already coloured.
class StillSea : public tidewell::Sprite {
public:
    enum class Look {
        forRenderer,  // the set the renderer in use draws
        coloured,     // the software renderer's set
        tinted,       // the hardware renderer's set and tint
    };

    explicit StillSea(Look look = Look::forRenderer);
};

}  // namespace brinefall
