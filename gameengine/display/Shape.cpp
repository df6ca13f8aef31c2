#include "display/Shape.h"

#include <algorithm>
#include <cmath>

#include "core/NewOrNoMemory.h"
#include "graphics/GraphicManager.h"
#include "graphics/PixelPosition.h"

namespace tidewell {

Shape::~Shape() = default;

float Shape::getLeft() const { return pointX_.empty() ? x : x + *std::min_element(pointX_.begin(), pointX_.end()); }

float Shape::getTop() const { return pointY_.empty() ? y : y + *std::min_element(pointY_.begin(), pointY_.end()); }

float Shape::getRight() const { return pointX_.empty() ? x : x + *std::max_element(pointX_.begin(), pointX_.end()); }

float Shape::getBottom() const { return pointY_.empty() ? y : y + *std::max_element(pointY_.begin(), pointY_.end()); }

void Shape::updateAbsoluteX() {
    Sprite::updateAbsoluteX();
    updateScreenX();
}

void Shape::updateAbsoluteY() {
    Sprite::updateAbsoluteY();
    updateScreenY();
}

void Shape::updateAbsolutePosition() {
    Sprite::updateAbsolutePosition();
    updateScreenX();
    updateScreenY();
}

void Shape::updateScreenX() {
    for (std::size_t i = 0; i < pointX_.size(); ++i) screenX_[i] = truncated(getAbsoluteX() + pointX_[i]);
}

void Shape::updateScreenY() {
    for (std::size_t i = 0; i < pointY_.size(); ++i) screenY_[i] = truncated(getAbsoluteY() + pointY_[i]);
}

// Room is made first, so that a failed allocation leaves the shape as it was.
void Shape::setPoints(const float* xs, const float* ys, std::size_t count) {
    orNoMemory([&] {
        pointX_.reserve(count);
        pointY_.reserve(count);
        screenX_.reserve(count);
        screenY_.reserve(count);
    });
    pointX_.assign(xs, xs + count);
    pointY_.assign(ys, ys + count);
    screenX_.resize(count);
    screenY_.resize(count);
    updateAbsolutePosition();
}

void Shape::setLine(float x1, float y1, float x2, float y2, float thickness) {
    if (thickness <= 0 || (x1 == x2 && y1 == y2)) return;
    if (thickness <= 1) {
        const float xs[] = {x1, x2};
        const float ys[] = {y1, y2};
        setPoints(xs, ys, 2);
        return;
    }
    const float half = thickness / 2;
    float offsetX = 0;
    float offsetY = 0;
    if (y1 == y2) {
        offsetY = x2 > x1 ? -half : half;
    } else if (x1 == x2) {
        offsetX = y2 > y1 ? half : -half;
    } else {
        const float dx = x2 - x1;
        const float dy = y2 - y1;
        const float length = std::sqrt(dx * dx + dy * dy);
        offsetX = half * dy / length;
        offsetY = half * -dx / length;
    }
    const float xs[] = {x1 + offsetX, x2 + offsetX, x2 - offsetX, x1 - offsetX};
    const float ys[] = {y1 + offsetY, y2 + offsetY, y2 - offsetY, y1 - offsetY};
    setPoints(xs, ys, 4);
}

void Shape::setRectangle(float left, float top, float right, float bottom) {
    if (!(right > left && bottom > top)) return;
    const float xs[] = {left, right, right, left};
    const float ys[] = {top, top, bottom, bottom};
    setPoints(xs, ys, 4);
}

void Shape::setPolygon(const float* xs, const float* ys, int count) {
    if (count <= 0 || !xs || !ys) return;
    setPoints(xs, ys, static_cast<std::size_t>(count));
}

bool Shape::isAxisAlignedRectangle() const {
    return screenX_.size() == 4 && screenX_[0] == screenX_[3] && screenY_[0] == screenY_[1] &&
           screenX_[1] == screenX_[2] && screenY_[2] == screenY_[3];
}

void Shape::pointsForPicture(const std::vector<int>*& xs, const std::vector<int>*& ys) {
    xs = &screenX_;
    ys = &screenY_;
    if (getDrawX() == getAbsoluteX() && getDrawY() == getAbsoluteY()) return;
    betweenX_.resize(pointX_.size());
    betweenY_.resize(pointY_.size());
    for (std::size_t i = 0; i < pointX_.size(); ++i) betweenX_[i] = truncated(getDrawX() + pointX_[i]);
    for (std::size_t i = 0; i < pointY_.size(); ++i) betweenY_[i] = truncated(getDrawY() + pointY_[i]);
    xs = &betweenX_;
    ys = &betweenY_;
}

void Shape::draw() {
    const std::uint32_t colour = getEffectiveColour();
    if ((colour >> 24) == 0 || screenX_.empty()) return;
    const std::uint32_t add = getEffectiveAddColour();
    const int clipLeft = truncated(getEffectiveClipLeft());
    const int clipTop = truncated(getEffectiveClipTop());
    const int clipRight = truncated(getEffectiveClipRight());
    const int clipBottom = truncated(getEffectiveClipBottom());
    const std::vector<int>* xsOfPicture = nullptr;
    const std::vector<int>* ysOfPicture = nullptr;
    pointsForPicture(xsOfPicture, ysOfPicture);
    const std::vector<int>& xs = *xsOfPicture;
    const std::vector<int>& ys = *ysOfPicture;
    if (xs.size() == 1) {
        GraphicManager::drawPixel(xs[0], ys[0], colour, add, clipLeft, clipTop, clipRight, clipBottom);
    } else if (xs.size() == 2) {
        GraphicManager::drawLine(xs[0], ys[0], xs[1], ys[1], colour, add, clipLeft, clipTop, clipRight, clipBottom);
    } else if (isAxisAlignedRectangle()) {
        GraphicManager::drawRectangle(xs[0], ys[0], xs[2], ys[2], colour, add, clipLeft, clipTop, clipRight,
                                      clipBottom);
    } else {
        GraphicManager::drawPolygon(xs.data(), ys.data(), static_cast<int>(xs.size()), colour, add, clipLeft, clipTop,
                                    clipRight, clipBottom);
    }
}

}  // namespace tidewell
