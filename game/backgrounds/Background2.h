#pragma once

#include <vector>

#include "backgrounds/Background.h"

namespace tidewell {
class Image;
class Texture;
}  // namespace tidewell

namespace brinefall {

// Stage 2's trench: two rows of five 256-pixel tiles, three pictures each, scrolling
// right to left like stage 1's sea, without decorations.
class Background2 : public Background {
public:
    Background2();
    ~Background2() override;

    void update() override;
    void setTargetSpeed(float speed) override;

    float getSpeed() const { return speed_; }
    float getTargetSpeed() const { return targetSpeed_; }
    const std::vector<tidewell::Image*>& getRowA() const { return rowAImages_; }
    const std::vector<tidewell::Image*>& getRowB() const { return rowBImages_; }
    const std::vector<tidewell::Texture*>& getRowATextures() const { return rowATextures_; }
    const std::vector<tidewell::Texture*>& getRowBTextures() const { return rowBTextures_; }

private:
    float speed_ = 2.0f;
    float targetSpeed_ = 2.0f;
    std::vector<tidewell::Texture*> rowATextures_;
    std::vector<tidewell::Texture*> rowBTextures_;
    std::vector<tidewell::Image*> rowAImages_;
    std::vector<tidewell::Image*> rowBImages_;
    std::size_t nextA_ = 2;
    std::size_t nextB_ = 2;
};

}  // namespace brinefall
