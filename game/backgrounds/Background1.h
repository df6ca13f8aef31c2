#pragma once

#include <vector>

#include "backgrounds/Background.h"

namespace tidewell {
class Image;
class Texture;
}  // namespace tidewell

namespace brinefall {

// Stage 1's sea: an upper band and the sea below it, each a row of five 256-pixel tiles
// scrolling right to left (a tile that leaves on the left goes 1280 pixels to the right
// with the next picture of its row), and five seabed decorations placed at random as
// they come in. The speed eases by 1 a frame towards the target the scene sets.
class Background1 : public Background {
public:
    Background1();
    ~Background1() override;

    void update() override;
    void setTargetSpeed(float speed) override;

    float getSpeed() const { return speed_; }
    float getTargetSpeed() const { return targetSpeed_; }
    const std::vector<tidewell::Image*>& getRowA() const { return rowAImages_; }
    const std::vector<tidewell::Image*>& getRowB() const { return rowBImages_; }
    const std::vector<tidewell::Image*>& getDecorations() const { return decorations_; }
    // The textures of row B, in their cycle order; which one a tile shows is its getTexture().
    const std::vector<tidewell::Texture*>& getRowBTextures() const { return rowBTextures_; }
    const std::vector<tidewell::Texture*>& getDecorationTextures() const { return decorationTextures_; }
    float getDecorX() const { return decorX_; }

private:
    void placeDecoration(tidewell::Image* decoration);

    float speed_ = 2.0f;
    float targetSpeed_ = 2.0f;
    std::vector<tidewell::Texture*> rowATextures_;
    std::vector<tidewell::Texture*> rowBTextures_;
    std::vector<tidewell::Texture*> decorationTextures_;
    std::vector<tidewell::Image*> rowAImages_;
    std::vector<tidewell::Image*> rowBImages_;
    std::vector<tidewell::Image*> decorations_;
    std::size_t nextA_ = 0;
    std::size_t nextB_ = 2;
    float decorX_ = 0;
};

}  // namespace brinefall
