#pragma once

#include "display/Sprite.h"

namespace brinefall {

class Award;
class PlayerShip;

// The container of the awards in play. The ship asks it once a frame, so one award at
// most is collected per frame.
class AwardLayer : public tidewell::Sprite {
public:
    AwardLayer();
    ~AwardLayer() override;

    // The first award, in order, that touches the ship (and so removes itself); null when none.
    Award* findAwardTouching(PlayerShip* ship);
};

}  // namespace brinefall
