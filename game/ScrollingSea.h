#pragma once

#include <vector>

#include "Sprite.h"

namespace tidewell {
class Image;
class Texture;
}  // namespace tidewell

namespace brinefall {

// A stage's background as the game scrolls it: an upper band and the sea below it,
// each a row of five 256-pixel tiles moving right to left; a tile that has left the
// screen on the left goes 1280 pixels to the right with the next picture of its row.
// Stage 1 also has seabed decorations, anchored at their bottom-right corner, placed
// 200 to 299 pixels apart at random heights as they come in.
class ScrollingSea : public tidewell::Sprite {
public:
    // Stage 1 or 2.
    explicit ScrollingSea(int stage);
    ~ScrollingSea() override;

    void update() override;

    // Pixels a frame; the game scrolls at 2 and at 100 while a boss comes in.
    float speed = 2.0f;

private:
    struct Row {
        std::vector<tidewell::Texture*> textures;
        std::vector<tidewell::Image*> tiles;
        unsigned next = 0;
    };

    void buildRow(Row& row, const std::vector<const char*>& names, float y, unsigned next);
    void scroll(Row& row);
    void placeDecoration(tidewell::Image* decoration);

    Row upper_;
    Row sea_;
    std::vector<tidewell::Texture*> decorationTextures_;
    std::vector<tidewell::Image*> decorations_;
    float decorationX_ = 0;
};

}  // namespace brinefall
