#pragma once

#include "backgrounds/Background.h"

namespace brinefall {

// The still ocean backdrop of the title screen and the opening: six tiles covering the
// screen. The hardware renderer draws light, neutral tiles and tints them deep blue;
// the software renderer gets tiles already coloured, so both show the same sea.
class Background6 : public Background {
public:
    static constexpr int kTileCount = 6;

    Background6();
    ~Background6() override;
};

}  // namespace brinefall
