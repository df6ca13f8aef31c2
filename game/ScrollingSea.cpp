#include "ScrollingSea.h"

#include "GraphicManager.h"
#include "Image.h"
#include "Random.h"
#include "ShowcaseKit.h"

namespace brinefall {
namespace {

using namespace tidewell;

constexpr float kTileWidth = 256;
constexpr int kTilesPerRow = 5;
constexpr float kRowLength = kTileWidth * kTilesPerRow;
constexpr float kSeaTop = 88;

Texture* holdTexture(const char* name) {
    ShowcaseKit::notePicture(name);
    return GraphicManager::getTexture(name, true);
}

}  // namespace

ScrollingSea::ScrollingSea(int stage) {
    if (stage == 1) {
        buildRow(upper_, {"background1_0.twi"}, 0, 0);
        buildRow(sea_, {"background1_1.twi", "background1_2.twi", "background1_3.twi"}, kSeaTop, 2);
        for (const char* name : {"background1_4.twi", "background1_5.twi", "background1_6.twi", "background1_7.twi",
                                 "background1_8.twi", "background1_9.twi"}) {
            decorationTextures_.push_back(holdTexture(name));
        }
        for (int i = 0; i < kTilesPerRow; ++i) {
            auto* decoration = new Image(static_cast<Texture*>(nullptr));
            addChild(decoration);
            decorations_.push_back(decoration);
            placeDecoration(decoration);
        }
    } else {
        buildRow(upper_, {"background2_0.twi", "background2_1.twi", "background2_2.twi"}, 0, 2);
        buildRow(sea_, {"background2_3.twi", "background2_4.twi", "background2_5.twi"}, kSeaTop, 2);
    }
}

ScrollingSea::~ScrollingSea() {
    for (Row* row : {&upper_, &sea_}) {
        for (Texture* texture : row->textures) GraphicManager::releaseTexture(texture);
    }
    for (Texture* texture : decorationTextures_) GraphicManager::releaseTexture(texture);
}

// Tile i shows picture i of the row (cycling); `next` is the picture the first recycled tile gets.
void ScrollingSea::buildRow(Row& row, const std::vector<const char*>& names, float y, unsigned next) {
    for (const char* name : names) row.textures.push_back(holdTexture(name));
    for (int i = 0; i < kTilesPerRow; ++i) {
        auto* tile = new Image(row.textures[i % row.textures.size()]);
        tile->setPosition(i * kTileWidth, y);
        addChild(tile);
        row.tiles.push_back(tile);
    }
    row.next = next;
}

void ScrollingSea::update() {
    scroll(upper_);
    scroll(sea_);
    decorationX_ -= speed;
    for (Image* decoration : decorations_) {
        decoration->moveX(-speed);
        if (decoration->x < 0) placeDecoration(decoration);
    }
}

void ScrollingSea::scroll(Row& row) {
    for (Image* tile : row.tiles) {
        tile->moveX(-speed);
        if (tile->x <= -kTileWidth) {
            tile->moveX(kRowLength);
            tile->setTexture(row.textures[row.next]);
            row.next = (row.next + 1) % row.textures.size();
        }
    }
}

// Three draws, in the game's order: which picture, how far after the last one, how deep.
void ScrollingSea::placeDecoration(Image* decoration) {
    const int which = Random::choose(static_cast<int>(decorationTextures_.size()));
    decoration->setTexture(decorationTextures_[which]);
    decoration->setAlignment(2, 2);
    decorationX_ += 200 + Random::choose(100);
    const float y = 370.0f + Random::choose(200);
    decoration->setPosition(decorationX_, y);
}

}  // namespace brinefall
