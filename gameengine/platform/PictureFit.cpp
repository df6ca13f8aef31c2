#include "PictureFit.h"

#include <algorithm>
#include <cmath>

namespace tidewell::platform {

PictureFit::PictureFit(int width, int height) : PictureFit(width, height, width, height) {}

PictureFit::PictureFit(int windowWidth, int windowHeight, int drawableWidth, int drawableHeight)
    : drawableWidth_(std::max(drawableWidth, 0)), drawableHeight_(std::max(drawableHeight, 0)) {
    if (drawableWidth_ == 0 || drawableHeight_ == 0) {
        return;  // a window with no area (being minimised) shows nothing and maps nothing
    }
    if (windowWidth > 0 && windowHeight > 0) {
        pixelsPerPointX_ = static_cast<float>(drawableWidth_) / static_cast<float>(windowWidth);
        pixelsPerPointY_ = static_cast<float>(drawableHeight_) / static_cast<float>(windowHeight);
    }
    const int wholeMultiple = std::min(drawableWidth_ / kLogicalWidth, drawableHeight_ / kLogicalHeight);
    if (wholeMultiple >= 2) {
        integerScale_ = wholeMultiple;
        scale_ = static_cast<float>(wholeMultiple);
        destination_.width = kLogicalWidth * wholeMultiple;
        destination_.height = kLogicalHeight * wholeMultiple;
    } else if (drawableWidth_ * kLogicalHeight <= drawableHeight_ * kLogicalWidth) {
        // Narrower than the picture: full width, bars above and below.
        scale_ = static_cast<float>(drawableWidth_) / kLogicalWidth;
        destination_.width = drawableWidth_;
        destination_.height = std::max(1, drawableWidth_ * kLogicalHeight / kLogicalWidth);
    } else {
        scale_ = static_cast<float>(drawableHeight_) / kLogicalHeight;
        destination_.height = drawableHeight_;
        destination_.width = std::max(1, drawableHeight_ * kLogicalWidth / kLogicalHeight);
    }
    destination_.x = (drawableWidth_ - destination_.width) / 2;
    destination_.y = (drawableHeight_ - destination_.height) / 2;
}

bool PictureFit::letterboxed() const {
    return destination_.width != drawableWidth_ || destination_.height != drawableHeight_;
}

bool PictureFit::toLogical(int windowX, int windowY, int& x, int& y) const {
    if (!(scale_ > 0.0f)) {
        x = y = 0;
        return false;
    }
    // The picture's own width over its rectangle, so that the last column maps to 799 exactly.
    const float pixelX = (static_cast<float>(windowX) + 0.5f) * pixelsPerPointX_ - static_cast<float>(destination_.x);
    const float pixelY = (static_cast<float>(windowY) + 0.5f) * pixelsPerPointY_ - static_cast<float>(destination_.y);
    const float logicalX = pixelX * kLogicalWidth / static_cast<float>(destination_.width);
    const float logicalY = pixelY * kLogicalHeight / static_cast<float>(destination_.height);
    x = static_cast<int>(std::floor(logicalX));
    y = static_cast<int>(std::floor(logicalY));
    return x >= 0 && x < kLogicalWidth && y >= 0 && y < kLogicalHeight;
}

void PictureFit::toWindow(int x, int y, int& windowX, int& windowY) const {
    const float pixelX = static_cast<float>(destination_.x) +
                         (static_cast<float>(x) + 0.5f) * static_cast<float>(destination_.width) / kLogicalWidth;
    const float pixelY = static_cast<float>(destination_.y) +
                         (static_cast<float>(y) + 0.5f) * static_cast<float>(destination_.height) / kLogicalHeight;
    windowX = static_cast<int>(std::floor(pixelX / pixelsPerPointX_));
    windowY = static_cast<int>(std::floor(pixelY / pixelsPerPointY_));
}

float PictureFit::logicalPerPoint() const {
    if (!(scale_ > 0.0f)) {
        return 1.0f;
    }
    return pixelsPerPointX_ * kLogicalWidth / static_cast<float>(destination_.width);
}

} // namespace tidewell::platform
