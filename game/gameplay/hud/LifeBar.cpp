#include "gameplay/hud/LifeBar.h"
#include "Colours.h"

#include <algorithm>

#include "display/Shape.h"
#include "display/Text.h"

namespace brinefall {

namespace {

constexpr const char* kFont = "arial20_1.twf";
// Ten points of life to a pixel of bar.
constexpr float kPixelsPerLife = 0.1f;
constexpr float kBarHeight = 10;
constexpr float kGapAfterLabel = 20;
constexpr float kBarOffsetY = 5;

tidewell::Shape* line(float length, bool vertical) {
    auto* shape = new tidewell::Shape();
    if (vertical) {
        shape->setLine(0, 0, 0, kBarHeight, 1);
    } else {
        shape->setLine(0, 0, length, 0, 1);
    }
    return shape;
}

}  // namespace

LifeBar::LifeBar() {
    label_ = new tidewell::Text(kFont);
    label_->setText("Life");
    label_->setPosition(10, 10);
    addChild(label_);

    fill_ = new tidewell::Shape();
    fill_->setRGB(Colours::kYellow);
    fill_->setPosition(barLeft(), barTop());
    addChild(fill_);

    topLine_ = line(0, false);
    topLine_->setPosition(barLeft(), barTop());
    addChild(topLine_);
    bottomLine_ = line(0, false);
    bottomLine_->setPosition(barLeft(), barTop() + kBarHeight);
    addChild(bottomLine_);
    leftLine_ = line(0, true);
    leftLine_->setPosition(barLeft(), barTop());
    addChild(leftLine_);
    rightLine_ = line(0, true);
    rightLine_->setPosition(barLeft(), barTop());
    addChild(rightLine_);
}

LifeBar::~LifeBar() = default;

float LifeBar::barLeft() const { return label_->getRight() + kGapAfterLabel; }

float LifeBar::barTop() const { return label_->getTop() + kBarOffsetY; }

void LifeBar::setLifeMax(int max) {
    maxShown_ = max;
    const float length = static_cast<float>(max) * kPixelsPerLife;
    topLine_->setLine(0, 0, length, 0, 1);
    bottomLine_->setLine(0, 0, length, 0, 1);
    rightLine_->setX(label_->getRight() + static_cast<float>(max / 10) + kGapAfterLabel);
    if (max < lifeShown_) setLifeShown(max);
}

void LifeBar::setLifeShown(int life) {
    if (life <= 0) {
        // An empty bar: the frame alone.
        lifeShown_ = 0;
        fill_->setAlpha(0);
        return;
    }
    lifeShown_ = std::min(maxShown_, life);
    fill_->setAlpha(255);
    // The fill never runs past the frame, whatever life the caller reports.
    fill_->setRectangle(0, 0, static_cast<float>(lifeShown_) * kPixelsPerLife, kBarHeight);
    const int half = maxShown_ / 2;
    if (lifeShown_ < half) {
        // From yellow at half the maximum down to red near nothing.
        fill_->setRGB(255, lifeShown_ * 255 / half, 0);
    } else {
        fill_->setRGB(Colours::kYellow);
    }
}

}  // namespace brinefall
