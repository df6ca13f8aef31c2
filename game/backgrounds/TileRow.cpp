#include "backgrounds/TileRow.h"

#include "graphics/GraphicManager.h"
#include "display/Image.h"

namespace brinefall {

using tidewell::Image;
using tidewell::Texture;

TileRow::TileRow(tidewell::Sprite* owner, std::initializer_list<const char*> files, float y, std::size_t next)
    : next_(next) {
    for (const char* file : files) textures_.push_back(tidewell::GraphicManager::getTexture(file, true));
    for (int i = 0; i < kTileCount; ++i) {
        auto* tile = new Image(textures_[static_cast<std::size_t>(i) % textures_.size()]);
        tile->setPosition(static_cast<float>(i) * kTileWidth, y);
        owner->addChild(tile);
        tiles_.push_back(tile);
    }
}

TileRow::~TileRow() {
    for (Texture* texture : textures_) tidewell::GraphicManager::releaseTexture(texture);
}

// One frame's move (at most 100) is less than a tile's width, so one test a frame
// catches every wrap.
void TileRow::scroll(float speed) {
    for (Image* tile : tiles_) {
        tile->moveX(-speed);
        if (tile->x <= -kTileWidth) {
            tile->moveX(kTileWidth * kTileCount);
            tile->setTexture(textures_[next_]);
            next_ = (next_ + 1) % textures_.size();
        }
    }
}

}  // namespace brinefall
