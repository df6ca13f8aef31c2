#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tidewell::platform {

// What a texture format holds besides plain colour channels; only Colour formats can
// show a picture, the others are listed so that the choice can pass them over.
enum class GpuFormatKind { Colour, Luminance, BumpLuminance, BumpDuDv, Compressed };

// One way a texture can keep its pixels. A pixel is one 16- or 32-bit word with alpha
// on top, then red, green and blue (ARGB 4-4-4-4, 1-5-5-5, 0-5-6-5 or 8-8-8-8); the
// masks say where each channel sits. Uploads hand over pixels packed this way.
struct GpuTextureFormat {
    int bitCount = 0;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::uint32_t alphaMask = 0;
    GpuFormatKind kind = GpuFormatKind::Colour;

    bool operator==(const GpuTextureFormat&) const = default;
};

// What the graphics card can do, read once when the device opens.
struct GpuCapabilities {
    std::uint32_t minTextureWidth = 1;
    std::uint32_t minTextureHeight = 1;
    std::uint32_t maxTextureWidth = 0;
    std::uint32_t maxTextureHeight = 0;
    bool powerOfTwoOnly = false;                   // every texture side must be a power of two
    bool squareOnly = false;                       // every texture must be as high as it is wide
    std::vector<GpuTextureFormat> textureFormats;  // in the card's own order
    // False when the "card" is a rasteriser running on the processor (Mesa's llvmpipe,
    // softpipe, swrast): slower than the software renderer, so it is used only when asked for.
    bool accelerated = true;
    std::string name;  // the renderer as the driver names it, for messages
};

// A texture of the device; 0 is none. Handles are never reused, so one that outlived
// its texture (or the context it was made in) names nothing.
using GpuTexture = std::uint32_t;

// A corner of a primitive in back-buffer pixels: whole numbers are pixel centres, so
// (0, 0) is the centre of the top-left pixel.
struct GpuVertex {
    float x = 0;
    float y = 0;
    std::uint32_t diffuse = 0xFFFFFFFF;   // ARGB: multiplies the texel, its alpha the texel's alpha
    std::uint32_t specular = 0xFF000000;  // RGB added afterwards; its alpha is not used
    float u = 0;                          // texture coordinates, 0 to 1 across the texture
    float v = 0;
};

enum class GpuPrimitive { Points, Lines, TriangleStrip, TriangleFan };

// A rectangle of back-buffer pixels, [left, right) x [top, bottom).
struct GpuRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The graphics card drawing into the program's window: an 800 x 600 back buffer that
// textured or plain primitives are blended into, shown scaled in the window. Every
// draw computes colour = texel x diffuse + specular and alpha = texel alpha x diffuse
// alpha (the texel is opaque white without a texture), samples the nearest texel with
// wrapping coordinates, and blends by source alpha over inverse source alpha.
class GpuDevice {
public:
    virtual ~GpuDevice() = default;

    // What the card offers; unchanged while the device is open.
    virtual const GpuCapabilities& capabilities() const = 0;
    // True once the context is gone (the window was re-created, the driver reset the
    // card): nothing works until restore(), and every texture is lost.
    virtual bool isLost() const = 0;
    // Makes a new context in the window after a loss, its back buffer undefined; false when none can be had.
    virtual bool restore() = 0;

    // A texture of width x height in one of the capability formats, content undefined; 0 when it cannot be made.
    virtual GpuTexture createTexture(std::uint32_t width, std::uint32_t height, const GpuTextureFormat& format) = 0;
    // Copies width x height packed pixels, rows pitchBytes apart, to (x, y) of the texture; false when it fails.
    virtual bool uploadTexture(GpuTexture texture, std::uint32_t x, std::uint32_t y, std::uint32_t width,
                               std::uint32_t height, const void* pixels, std::size_t pitchBytes) = 0;
    // Frees a texture; 0 and handles that name nothing any more are ignored.
    virtual void destroyTexture(GpuTexture texture) = 0;

    // Starts a frame: drawing goes into the back buffer; false when the device is lost.
    virtual bool beginFrame() = 0;
    // Sets every back-buffer pixel to the colour 0xRRGGBB (alpha ignored); false when it fails.
    virtual bool clear(std::uint32_t argb) = 0;
    // Keeps the draws that follow inside the rectangle, until clearClip().
    virtual void setClip(const GpuRect& rect) = 0;
    // Lets the draws that follow reach the whole back buffer again.
    virtual void clearClip() = 0;
    // Draws the vertices as one primitive, with a texture or none (0); false when it fails.
    virtual bool draw(GpuPrimitive primitive, const GpuVertex* vertices, int count, GpuTexture texture) = 0;
    // Ends the frame begun by beginFrame().
    virtual void endFrame() = 0;
    // Shows the back buffer in the window, scaled with its aspect kept; false when it fails.
    virtual bool present() = 0;

    // Copies the back buffer as 0xRRGGBB words, rows from the top (tests, frame dumps); false when it fails.
    virtual bool readBackBuffer(std::vector<std::uint32_t>& pixels) = 0;
    // Returns when the card has carried out every command given so far (benchmarks).
    virtual void finish() = 0;
};

}  // namespace tidewell::platform
