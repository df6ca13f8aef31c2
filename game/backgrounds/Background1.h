#pragma once

#include <vector>

#include "backgrounds/ScrollingBackground.h"
#include "backgrounds/TileRow.h"

namespace tidewell {
class Image;
class Texture;
}  // namespace tidewell

namespace brinefall {

// Stage 1's sea: an upper band (row A) and the sea below it (row B), each a row of five
// scrolling tiles, and five seabed decorations placed at random as they come in.
class Background1 : public ScrollingBackground {
public:
    Background1();
    ~Background1() override;

    void update() override;

    const TileRow& getRowA() const { return rowA_; }
    const TileRow& getRowB() const { return rowB_; }
    const std::vector<tidewell::Image*>& getDecorations() const { return decorations_; }
    const std::vector<tidewell::Texture*>& getDecorationTextures() const { return decorationTextures_; }
    // Where the last placed decoration stands now (it scrolls with them).
    float getDecorX() const { return decorX_; }

private:
    void placeDecoration(tidewell::Image* decoration);

    TileRow rowA_;
    TileRow rowB_;
    std::vector<tidewell::Texture*> decorationTextures_;
    std::vector<tidewell::Image*> decorations_;
    float decorX_ = 0;
};

}  // namespace brinefall
