#pragma once

#include <array>

#include "backgrounds/ScrollingBackground.h"
#include "backgrounds/TileRow.h"

namespace brinefall {

// Stage 2's trench: an upper band (row A) and the trench below it (row B), two rows of
// five scrolling tiles with three pictures each, without decorations.
class Background2 : public ScrollingBackground {
public:
    Background2();
    ~Background2() override;

    // Its six pictures, row A's three then row B's: what a stage on this trench reads.
    static const std::array<const char*, 6> kPictureFiles;

    void update() override;

    const TileRow& getRowA() const { return rowA_; }
    const TileRow& getRowB() const { return rowB_; }

private:
    TileRow rowA_;
    TileRow rowB_;
};

}  // namespace brinefall
