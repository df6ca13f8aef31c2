#pragma once

#include <array>

#include "backgrounds/Background.h"
#include "backgrounds/TileRow.h"

namespace brinefall {

// Stage 2's trench: an upper band (row A) and the trench below it (row B), two rows of
// five scrolling tiles with three pictures each, without decorations. The speed eases by
// 1 a frame towards the target the scene sets.
class Background2 : public Background {
public:
    Background2();
    ~Background2() override;

    // Its six pictures, row A's three then row B's: what a stage on this trench reads.
    static const std::array<const char*, 6> kPictureFiles;

    void update() override;
    void setTargetSpeed(float speed) override;

    float getSpeed() const { return speed_; }
    float getTargetSpeed() const { return targetSpeed_; }
    const TileRow& getRowA() const { return rowA_; }
    const TileRow& getRowB() const { return rowB_; }

private:
    float speed_ = 2.0f;
    float targetSpeed_ = 2.0f;
    TileRow rowA_;
    TileRow rowB_;
};

}  // namespace brinefall
