#pragma once

#include "Window.h"

namespace tidewell::platform {

// A rectangle in the window's real pixels.
struct PictureRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where the logical 800 x 600 picture lands in a window, and how the pointer maps back.
// The picture keeps its proportions: in an output of at least twice 800 x 600 it is drawn
// at the largest whole multiple that fits, so every logical pixel stays a sharp square
// block; in a smaller one it is scaled to fit. Either way it is centred and the rest
// is left to black bars. The window may count in points and draw in more pixels
// (HiDPI): the fit is made in pixels, and pointer positions are taken in points.
class PictureFit {
public:
    // An output whose points are its pixels.
    PictureFit(int width, int height);
    // windowWidth x windowHeight points drawn as drawableWidth x drawableHeight pixels.
    PictureFit(int windowWidth, int windowHeight, int drawableWidth, int drawableHeight);

    // Where the picture goes, in drawable pixels; empty for an empty window.
    PictureRect destination() const { return destination_; }
    // Drawable pixels per logical pixel (0 for an empty window).
    float scale() const { return scale_; }
    // The whole multiple the picture is drawn at, or 0 when it is scaled to fit.
    int integerScale() const { return integerScale_; }
    // Whether black bars show beside or above and below the picture.
    bool letterboxed() const;

    // The logical pixel under the window point (in points); false when the point lies
    // off the picture (x and y are then where it would be, beyond the picture's edge).
    bool toLogical(int windowX, int windowY, int& x, int& y) const;
    // The window point (in points) over the middle of the logical pixel (x, y).
    void toWindow(int x, int y, int& windowX, int& windowY) const;
    // A motion of the given window points in logical pixels.
    float logicalPerPoint() const;

private:
    int drawableWidth_ = 0;
    int drawableHeight_ = 0;
    float pixelsPerPointX_ = 1.0f;
    float pixelsPerPointY_ = 1.0f;
    float scale_ = 0.0f;
    int integerScale_ = 0;
    PictureRect destination_;
};

} // namespace tidewell::platform
