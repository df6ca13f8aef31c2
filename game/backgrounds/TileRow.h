#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

namespace tidewell {
class Image;
class Sprite;
class Texture;
}  // namespace tidewell

namespace brinefall {

// One scrolling row of a stage background: five 256-pixel tiles side by side, moving
// right to left. A tile that has left the screen on the left goes 1280 pixels to the
// right, behind the last one, and shows the next picture of the row, so the pictures
// follow each other in their order without a break.
class TileRow {
public:
    static constexpr float kTileWidth = 256;
    static constexpr int kTileCount = 5;

    // Holds the pictures for the row's lifetime and adds the tiles to `owner` at height
    // `y`, tile i showing picture i (cycling); `next` is the picture of the first recycled tile.
    TileRow(tidewell::Sprite* owner, std::initializer_list<const char*> files, float y, std::size_t next);
    ~TileRow();
    TileRow(const TileRow&) = delete;
    TileRow& operator=(const TileRow&) = delete;

    void scroll(float speed);

    const std::vector<tidewell::Image*>& getTiles() const { return tiles_; }
    const std::vector<tidewell::Texture*>& getTextures() const { return textures_; }
    std::size_t getNext() const { return next_; }

private:
    std::vector<tidewell::Texture*> textures_;
    std::vector<tidewell::Image*> tiles_;  // owned by the owner sprite
    std::size_t next_;
};

}  // namespace brinefall
