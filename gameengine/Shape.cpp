#include "Shape.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "ErrorNoMemory.h"
#include "GraphicManager.h"

namespace tidewell {
namespace {

int truncated(float value) { return static_cast<int>(std::clamp(value, -1.0e9f, 1.0e9f)); }

}  // namespace

Shape::~Shape() = default;

float Shape::getLeft() const { return pointX.empty() ? x : x + *std::min_element(pointX.begin(), pointX.end()); }

float Shape::getTop() const { return pointY.empty() ? y : y + *std::min_element(pointY.begin(), pointY.end()); }

float Shape::getRight() const { return pointX.empty() ? x : x + *std::max_element(pointX.begin(), pointX.end()); }

float Shape::getBottom() const { return pointY.empty() ? y : y + *std::max_element(pointY.begin(), pointY.end()); }

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
    for (std::size_t i = 0; i < pointX.size(); ++i) screenX[i] = truncated(getAbsoluteX() + pointX[i]);
}

void Shape::updateScreenY() {
    for (std::size_t i = 0; i < pointY.size(); ++i) screenY[i] = truncated(getAbsoluteY() + pointY[i]);
}

void Shape::setPoints(std::vector<float> xs, std::vector<float> ys) {
    try {
        screenX.assign(xs.size(), 0);
        screenY.assign(ys.size(), 0);
    } catch (const std::bad_alloc&) {
        throw ErrorNoMemory();
    }
    pointX = std::move(xs);
    pointY = std::move(ys);
    updateAbsolutePosition();
}

void Shape::setLine(float x1, float y1, float x2, float y2, float thickness) {
    if (thickness <= 0 || (x1 == x2 && y1 == y2)) return;
    if (thickness <= 1) {
        setPoints({x1, x2}, {y1, y2});
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
    setPoints({x1 + offsetX, x2 + offsetX, x2 - offsetX, x1 - offsetX},
              {y1 + offsetY, y2 + offsetY, y2 - offsetY, y1 - offsetY});
}

void Shape::setRectangle(float left, float top, float right, float bottom) {
    if (!(right > left && bottom > top)) return;
    setPoints({left, right, right, left}, {top, top, bottom, bottom});
}

void Shape::setPolygon(const float* xs, const float* ys, int count) {
    if (count <= 0 || !xs || !ys) return;
    setPoints(std::vector<float>(xs, xs + count), std::vector<float>(ys, ys + count));
}

bool Shape::isAxisAlignedRectangle() const {
    return screenX.size() == 4 && screenX[0] == screenX[3] && screenY[0] == screenY[1] && screenX[1] == screenX[2] &&
           screenY[2] == screenY[3];
}

void Shape::draw() {
    const std::uint32_t colour = getEffectiveColour();
    if ((colour >> 24) == 0 || screenX.empty()) return;
    const std::uint32_t add = getEffectiveAddColour();
    const int clipLeft = truncated(getEffectiveClipLeft());
    const int clipTop = truncated(getEffectiveClipTop());
    const int clipRight = truncated(getEffectiveClipRight());
    const int clipBottom = truncated(getEffectiveClipBottom());
    if (screenX.size() == 1) {
        GraphicManager::drawPixel(screenX[0], screenY[0], colour, add, clipLeft, clipTop, clipRight, clipBottom);
    } else if (screenX.size() == 2) {
        GraphicManager::drawLine(screenX[0], screenY[0], screenX[1], screenY[1], colour, add, clipLeft, clipTop,
                                 clipRight, clipBottom);
    } else if (isAxisAlignedRectangle()) {
        GraphicManager::drawRectangle(screenX[0], screenY[0], screenX[2], screenY[2], colour, add, clipLeft, clipTop,
                                      clipRight, clipBottom);
    } else {
        GraphicManager::drawPolygon(screenX.data(), screenY.data(), static_cast<int>(screenX.size()), colour, add,
                                    clipLeft, clipTop, clipRight, clipBottom);
    }
}

}  // namespace tidewell
