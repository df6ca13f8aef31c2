#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/Renderer.h"
#include "graphics/Surface.h"
#include "platform/FrameView.h"

namespace tidewell {

class FlatBlend;

// The renderer that draws with the processor into a back buffer in the display
// format (RGB565 at 16 bits, XRGB8888 at 32): colour-keyed copies of opaque pixels,
// blended translucent pixels, tinted draws and the primitives, all in exact integer
// arithmetic. It also plays the display device for its surfaces: it makes them,
// knows every one that lives, and restores them after a loss.
class SoftwareRenderer : public Renderer {
public:
    // Textures larger than the screen are split into cells of at most this size.
    static constexpr std::uint32_t maxSurfaceWidth = 800;
    static constexpr std::uint32_t maxSurfaceHeight = 600;

    // depth 32 gives an XRGB8888 back buffer, anything else RGB565.
    explicit SoftwareRenderer(int depth);
    ~SoftwareRenderer() override;

    bool isHardware() const override { return false; }
    const DisplayFormat& displayFormat() const override { return format_; }

    void prepareTexture(Texture& texture) override;

    void beginScene() override {}
    void clear(std::uint32_t argb) override;
    void endScene() override {}
    void present(platform::Window& window) override;
    bool readFrame(std::vector<std::uint32_t>& rgb, int& width, int& height, std::string& whyNot) override;

    bool restoreAllSurfaces() override;
    void recreateSurfaces() override;

    void drawPixel(int x, int y, std::uint32_t colour, std::uint32_t add, const ClipRect& clip) override;
    void drawLine(int x0, int y0, int x1, int y1, std::uint32_t colour, std::uint32_t add,
                  const ClipRect& clip) override;
    void drawRectangle(int left, int top, int right, int bottom, std::uint32_t colour, std::uint32_t add,
                       const ClipRect& clip) override;
    void drawPolygon(const int* xs, const int* ys, int count, std::uint32_t colour, std::uint32_t add,
                     const ClipRect& clip) override;

    Surface* getBackBuffer() { return backBuffer_.get(); }
    // The back buffer as a frame to show or read.
    platform::FrameView backBufferView() const;
    // A new surface in the display format.
    std::unique_ptr<Surface> createSurface(std::uint32_t width, std::uint32_t height);
    // Takes the pixels of every surface away, as a display change does; the next frame
    // finds them lost and draws again after restoring them.
    void loseSurfaces();

    // The pixels of a back-buffer rectangle, restoring a lost back buffer first. A
    // restore or lock that fails throws ErrorGeneric with the caller's module and lines.
    std::uint8_t* lockBackBuffer(const PixelRect& rect, const char* modulePath, int restoreLine, int lockLine);

    // Surfaces report their birth and death, so that all can be restored at once.
    void adoptSurface(Surface* surface);
    void forgetSurface(Surface* surface);

private:
    // The primitives' drawing colour: the colour plus the add colour, in the display format.
    std::uint32_t drawingColour(std::uint32_t colour, std::uint32_t add) const;
    void blendSpan(std::uint8_t* row, int from, int to, std::uint32_t value, std::uint32_t alpha) const;
    void blendLargeRectangle(std::uint8_t* first, const PixelRect& region, const FlatBlend& blend);
    void fillTriangle(std::uint8_t* region, const PixelRect& rect, const int (&xs)[3], const int (&ys)[3],
                      std::uint32_t value, std::uint32_t alpha) const;

    DisplayFormat format_;
    std::vector<Surface*> surfaces_;
    std::unique_ptr<Surface> backBuffer_;
};

}  // namespace tidewell
