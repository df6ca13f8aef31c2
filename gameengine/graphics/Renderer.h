#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/DisplayFormat.h"

namespace tidewell {

class Texture;

namespace platform {
class Window;
}

// The clip rectangle of a primitive, [left, right) × [top, bottom), already kept
// within the screen and never empty when a renderer receives it.
struct ClipRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// One way of drawing the frames: the software renderer draws with the processor into
// a back buffer in the display format; a hardware renderer draws with the graphics
// card. The graphics manager chooses one at start and at every device reset, and
// textures and the drawing primitives go to the one in use.
class Renderer {
public:
    virtual ~Renderer() = default;

    // True for a renderer that draws with the graphics card.
    virtual bool isHardware() const = 0;
    // The pixel layout of the frames this renderer presents.
    virtual const DisplayFormat& displayFormat() const = 0;

    // Fits a new texture, or one made for the previous renderer, to this one (its
    // surfaces are made on its next draw).
    virtual void prepareTexture(Texture& texture) = 0;
    // The hardware form of a texture: its device objects are the renderer's business.
    // The software renderer never receives these; a texture it prepared draws itself.
    virtual void createTextureSurfaces(Texture& texture);
    virtual void destroyTextureSurfaces(Texture& texture);
    virtual void drawTexture(Texture& texture, int srcLeft, int srcTop, int srcRight, int srcBottom, int dstLeft,
                             int dstTop, int dstRight, int dstBottom, std::uint32_t multiply, std::uint32_t add);

    // The frame: begun, cleared when wanted (hardware renderers always clear), drawn
    // into, ended; then presented on the window.
    virtual void beginScene() = 0;
    virtual void clear(std::uint32_t argb) = 0;
    virtual void endScene() = 0;
    virtual void present(platform::Window& window) = 0;
    // The last frame drawn (the one on screen) as width x height 0xRRGGBB words, row by row;
    // false with the reason when this renderer cannot read its picture back.
    virtual bool readFrame(std::vector<std::uint32_t>& rgb, int& width, int& height, std::string& whyNot);

    // After a loss: gives every surface back its memory; false when they must be made anew.
    virtual bool restoreAllSurfaces() = 0;
    // Makes the back buffer anew, its content undefined.
    virtual void recreateSurfaces() = 0;

    // The four primitives, with the colour's alpha above 0 and the clip on the screen.
    virtual void drawPixel(int x, int y, std::uint32_t colour, std::uint32_t add, const ClipRect& clip) = 0;
    virtual void drawLine(int x0, int y0, int x1, int y1, std::uint32_t colour, std::uint32_t add,
                          const ClipRect& clip) = 0;
    virtual void drawRectangle(int left, int top, int right, int bottom, std::uint32_t colour, std::uint32_t add,
                               const ClipRect& clip) = 0;
    virtual void drawPolygon(const int* xs, const int* ys, int count, std::uint32_t colour, std::uint32_t add,
                             const ClipRect& clip) = 0;
};

}  // namespace tidewell
