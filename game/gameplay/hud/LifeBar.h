#pragma once

#include "display/Sprite.h"

namespace tidewell {
class Shape;
class Text;
}  // namespace tidewell

namespace brinefall {

// The ship's life as a framed bar to the right of the word "Life": one pixel of bar for
// ten points of life, ten pixels high, fading from yellow to red below half the maximum.
class LifeBar : public tidewell::Sprite {
public:
    LifeBar();
    ~LifeBar() override;

    // The frame's length follows the maximum; a shown life above it is cut down to it.
    void setLifeMax(int max);
    // Life 0 or less shows the frame only.
    void setLifeShown(int life);

    int getMaxShown() const { return maxShown_; }
    int getLifeShown() const { return lifeShown_; }
    tidewell::Text* getLabel() const { return label_; }
    tidewell::Shape* getFill() const { return fill_; }
    tidewell::Shape* getTopLine() const { return topLine_; }
    tidewell::Shape* getBottomLine() const { return bottomLine_; }
    tidewell::Shape* getLeftLine() const { return leftLine_; }
    tidewell::Shape* getRightLine() const { return rightLine_; }

private:
    // Where the bar begins: 20 pixels right of the label, level with its top.
    float barLeft() const;
    float barTop() const;

    tidewell::Text* label_ = nullptr;
    tidewell::Shape* fill_ = nullptr;
    tidewell::Shape* topLine_ = nullptr;
    tidewell::Shape* bottomLine_ = nullptr;
    tidewell::Shape* leftLine_ = nullptr;
    tidewell::Shape* rightLine_ = nullptr;
    int maxShown_ = 0;
    int lifeShown_ = 0;
};

}  // namespace brinefall
