#include "backgrounds/Background1.h"

#include "graphics/GraphicManager.h"
#include "display/Image.h"
#include "core/Random.h"

namespace brinefall {
namespace {

using tidewell::Image;
using tidewell::Texture;

constexpr float kRowBTop = 88;
constexpr int kDecorationCount = 5;
constexpr const char* kDecorationFiles[] = {"background1_4.twi", "background1_5.twi", "background1_6.twi",
                                            "background1_7.twi", "background1_8.twi", "background1_9.twi"};

// Decorations come in 200 to 299 pixels after the previous one, their bottom 370 to 569 down.
constexpr float kDecorationGap = 200;
constexpr int kDecorationGapSpread = 100;
constexpr float kDecorationBottom = 370;
constexpr int kDecorationBottomSpread = 200;

}  // namespace

Background1::Background1()
    : rowA_(this, {"background1_0.twi"}, 0, 0),
      rowB_(this, {"background1_1.twi", "background1_2.twi", "background1_3.twi"}, kRowBTop, 2) {
    for (const char* file : kDecorationFiles) {
        decorationTextures_.push_back(tidewell::GraphicManager::getTexture(file, true));
    }
    for (int i = 0; i < kDecorationCount; ++i) {
        auto* decoration = new Image(static_cast<Texture*>(nullptr));
        addChild(decoration);
        decorations_.push_back(decoration);
        placeDecoration(decoration);
    }
}

Background1::~Background1() {
    for (Texture* texture : decorationTextures_) tidewell::GraphicManager::releaseTexture(texture);
}

void Background1::update() {
    const float speed = easeSpeed();
    rowA_.scroll(speed);
    rowB_.scroll(speed);

    // The last placed position scrolls with the decorations, so a recycled one lands
    // just beyond the newest one wherever that is now.
    decorX_ -= speed;
    for (Image* decoration : decorations_) {
        decoration->moveX(-speed);
        if (decoration->x < 0) placeDecoration(decoration);
    }
}

// Three draws, always in this order: which picture, how far after the last one, how deep.
void Background1::placeDecoration(Image* decoration) {
    const int picture = tidewell::Random::choose(static_cast<int>(decorationTextures_.size()));
    decoration->setTexture(decorationTextures_[static_cast<std::size_t>(picture)]);
    // Anchored at the bottom right corner, so its x is its right edge.
    decoration->setAlignment(2, 2);
    decorX_ += kDecorationGap + static_cast<float>(tidewell::Random::choose(kDecorationGapSpread));
    const float bottom = kDecorationBottom + static_cast<float>(tidewell::Random::choose(kDecorationBottomSpread));
    decoration->setPosition(decorX_, bottom);
}

}  // namespace brinefall
