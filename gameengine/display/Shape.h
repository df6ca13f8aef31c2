#pragma once

#include <cstddef>
#include <vector>

#include "display/Sprite.h"

namespace tidewell {

// The sprite of untextured geometry in its colour: a point, a line, an axis-aligned
// rectangle or a filled convex polygon, given as points relative to its position.
class Shape : public Sprite {
public:
    Shape() = default;
    ~Shape() override;

    // The extent of the points; a shape without points is an empty box at its position.
    float getLeft() const override;
    float getTop() const override;
    float getRight() const override;
    float getBottom() const override;
    void updateAbsoluteX() override;
    void updateAbsoluteY() override;
    void updateAbsolutePosition() override;
    void draw() override;

    // A line of the given thickness: two points up to 1, else a four-point band centred
    // on the segment. Nothing changes for a thickness of 0 or less or a single point.
    void setLine(float x1, float y1, float x2, float y2, float thickness);
    // Four corners from (left, top) clockwise; nothing changes unless right > left and bottom > top.
    void setRectangle(float left, float top, float right, float bottom);
    // `count` points, copied; nothing changes for no points or a missing array.
    void setPolygon(const float* xs, const float* ys, int count);
    // Every setter keeps the storage of the points it replaces, so a shape that is set anew
    // each frame allocates only when it grows.

    int getPointCount() const { return static_cast<int>(pointX_.size()); }
    float getPointX(int i) const { return pointX_[static_cast<std::size_t>(i)]; }
    float getPointY(int i) const { return pointY_[static_cast<std::size_t>(i)]; }
    int getScreenX(int i) const { return screenX_[static_cast<std::size_t>(i)]; }
    int getScreenY(int i) const { return screenY_[static_cast<std::size_t>(i)]; }

private:
    void setPoints(const float* xs, const float* ys, std::size_t count);
    void updateScreenX();
    void updateScreenY();
    // The points where the picture being drawn shows them: the screen points, or those
    // points moved to the sprite's place in a picture between ticks.
    void pointsForPicture(const std::vector<int>*& xs, const std::vector<int>*& ys);
    // Four points laid out as setRectangle makes them.
    bool isAxisAlignedRectangle() const;

    std::vector<float> pointX_;
    std::vector<float> pointY_;
    std::vector<int> screenX_;
    std::vector<int> screenY_;
    std::vector<int> betweenX_;  // kept from picture to picture, so that drawing costs no allocation
    std::vector<int> betweenY_;
};

}  // namespace tidewell
