#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/DisplayFormat.h"

namespace tidewell {

class SoftwareRenderer;

// A rectangle of pixels [left, right) × [top, bottom).
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
};

// What a surface operation reports, as the display device did.
enum class SurfaceResult {
    Ok,
    SurfaceLost,  // the pixels were taken away (a display change); restore() and try again
    Failed,       // the request itself was wrong (a rectangle outside the surface)
};

// A block of pixels in the display format, made by the software renderer: the back
// buffer, or one cell of a texture's opaque pixels with its colour key. A surface can
// be lost, as device surfaces are when another program takes the display: its pixels
// are then unusable until restore(), after which their content is undefined.
class Surface {
public:
    Surface(SoftwareRenderer& owner, std::uint32_t width, std::uint32_t height, const DisplayFormat& format);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    std::uint32_t getWidth() const { return width_; }
    std::uint32_t getHeight() const { return height_; }
    const DisplayFormat& getFormat() const { return format_; }
    std::size_t getPitch() const { return pitch_; }

    // Direct access to the pixels of a rectangle: the address of its top-left pixel, or
    // null with the reason in `result` (lost, or a rectangle outside the surface).
    std::uint8_t* lock(const PixelRect& rect, SurfaceResult& result);
    void unlock();

    // Fills a rectangle with one display pixel value.
    SurfaceResult fill(const PixelRect& rect, std::uint32_t value);
    // Copies `sourceRect` of `source` with its top-left corner at (x, y), leaving out the
    // pixels equal to the source's colour key, mirrored on the axes asked for.
    SurfaceResult blitKeyed(const Surface& source, const PixelRect& sourceRect, int x, int y, bool mirrorX,
                            bool mirrorY);

    void setColourKey(std::uint32_t key) { colourKey_ = key; }
    std::uint32_t getColourKey() const { return colourKey_; }

    bool isLost() const { return lost_; }
    // Takes the pixels away; they read as garbage once restored.
    void lose();
    // Gives a lost surface its memory back (content undefined); true when it is usable.
    bool restore();

    // The pixels as they are now, for presenting the frame and for tests.
    const std::uint8_t* pixels() const { return pixels_.data(); }
    std::uint8_t* pixels() { return pixels_.data(); }
    std::uint32_t pixelAt(int x, int y) const;

private:
    bool contains(const PixelRect& rect) const;

    SoftwareRenderer& owner_;
    std::uint32_t width_;
    std::uint32_t height_;
    DisplayFormat format_;
    std::size_t pitch_;
    std::vector<std::uint8_t> pixels_;
    std::uint32_t colourKey_ = 0;
    bool lost_ = false;
};

}  // namespace tidewell
