#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Renderer.h"
#include "platform/GpuDevice.h"

namespace tidewell {

namespace platform {
class Window;
}

// The renderer that draws with the graphics card, through the window's GpuDevice. A
// texture becomes one device texture, or a grid of tiles when it is larger than the
// limits; each draw is a quad with the multiply colour as diffuse and the add colour as
// specular, blended by alpha; the primitives are the card's points, lines and fans.
// The card's 800 x 600 back buffer is cleared every frame.
class HardwareRenderer : public Renderer {
public:
    // Size limits of one device texture and the tiles of larger pictures.
    struct TextureLimits {
        std::uint32_t maxWidth = 0;
        std::uint32_t maxHeight = 0;
        std::uint32_t tileWidth = 0;
        std::uint32_t tileHeight = 0;
    };
    // How a picture is laid out on the card: one texture, or columns x rows tiles,
    // each surfaceWidth x surfaceHeight.
    struct Grid {
        std::uint32_t columns = 0;
        std::uint32_t rows = 0;
        std::uint32_t surfaceWidth = 0;
        std::uint32_t surfaceHeight = 0;
        bool tiled = false;
    };

    // The graphics manager's factory: the card of the engine's window, or null with the
    // reason when it cannot be had, lacks what the game needs, or is not accelerated
    // while that is not accepted.
    static std::unique_ptr<Renderer> create(bool fullScreen, int depth, bool acceptUnaccelerated,
                                            std::string& whyNot);

    // 512 x 512 textures (more when the card's smallest is larger, less when its largest
    // is smaller) and 256 x 256 tiles, kept within the same bounds.
    static TextureLimits chooseLimits(const platform::GpuCapabilities& capabilities);
    // The first 4-4-4-4 colour format; without one, the format with the widest channels
    // (an 8-8-8-8 one is never replaced). All-zero when no format holds plain colour.
    static platform::GpuTextureFormat chooseFormat(const std::vector<platform::GpuTextureFormat>& formats);

    // Draws into the card the window opened, with the limits and format chosen for it.
    HardwareRenderer(platform::Window& window, platform::GpuDevice& device);
    // Gives the card back to the window.
    ~HardwareRenderer() override;
    HardwareRenderer(const HardwareRenderer&) = delete;
    HardwareRenderer& operator=(const HardwareRenderer&) = delete;

    bool isHardware() const override { return true; }
    const DisplayFormat& displayFormat() const override { return format_; }

    void prepareTexture(Texture& texture) override;
    void createTextureSurfaces(Texture& texture) override;
    void destroyTextureSurfaces(Texture& texture) override;
    void drawTexture(Texture& texture, int srcLeft, int srcTop, int srcRight, int srcBottom, int dstLeft, int dstTop,
                     int dstRight, int dstBottom, std::uint32_t multiply, std::uint32_t add) override;

    void beginScene() override;
    void clear(std::uint32_t argb) override;
    void endScene() override;
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

    const TextureLimits& textureLimits() const { return limits_; }
    const platform::GpuTextureFormat& textureFormat() const { return textureFormat_; }
    // Red, green, blue and alpha bits of the texture format.
    const int (&textureBits() const)[4] { return textureBits_; }
    // The layout a prepared texture gets on this card.
    Grid gridFor(const Texture& texture) const;
    platform::GpuDevice& device() { return device_; }

private:
    void uploadPart(const Texture& texture, platform::GpuTexture target, std::uint32_t left, std::uint32_t top,
                    std::uint32_t right, std::uint32_t bottom);
    void drawQuad(platform::GpuTexture tile, float u0, float v0, float u1, float v1, int dstLeft, int dstTop,
                  int dstRight, int dstBottom, std::uint32_t multiply, std::uint32_t add);
    // Draws the vertices, limited to the clip rectangle when some of them lie outside it.
    bool drawClipped(platform::GpuPrimitive primitive, const platform::GpuVertex* vertices, int count,
                     const ClipRect& clip, bool outside);

    platform::Window& window_;
    platform::GpuDevice& device_;
    DisplayFormat format_;
    TextureLimits limits_;
    platform::GpuTextureFormat textureFormat_;
    int textureBits_[4] = {};
    std::vector<std::uint8_t> staging_;  // one part of a picture in the texture format, reused
};

}  // namespace tidewell
