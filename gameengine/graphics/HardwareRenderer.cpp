#include "graphics/HardwareRenderer.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "core/ErrorGeneric.h"
#include "core/ErrorNoMemory.h"
#include "graphics/GraphicManager.h"
#include "graphics/Texture.h"
#include "core/WindowManager.h"
#include "platform/Window.h"

namespace tidewell {
namespace {

using platform::GpuFormatKind;
using platform::GpuPrimitive;
using platform::GpuTexture;
using platform::GpuTextureFormat;
using platform::GpuVertex;

constexpr const char* kManagerPath = "gameengine\\Game Engine\\GraphicManager";
constexpr const char* kTexturePath = "gameengine\\Game Engine\\Texture";

// Where the manager's part reports a failing card.
constexpr int kLinePresentFailed = 594;
constexpr int kLineBackBufferFailed = 1071;
constexpr int kLineBeginSceneFailed = 1593;
constexpr int kLineClearFailed = 1646;
constexpr int kLinePixelDrawFailed = 1747;
constexpr int kLineLineDrawFailed = 1822;
constexpr int kLinePolygonDrawFailed = 1933;
// Where the texture's part does.
constexpr int kLineGridZeroSize = 261;
constexpr int kLineGridZeroLimit = 265;
constexpr int kLineCreateFailed = 428;
constexpr int kLineUploadNoPixels = 476;
constexpr int kLineUploadFailed = 650;
constexpr int kLineDrawNoTile = 1060;
constexpr int kLineDrawFailed = 1098;

constexpr std::uint32_t kPreferredTextureSide = 512;
constexpr std::uint32_t kPreferredTileSide = 256;
// Quads sit a tenth of a pixel up and left, so a pixel centre never lies on their edge.
constexpr float kQuadOffset = -0.1f;

// The device textures of one picture, column by column.
class HardwareTexture : public TextureDeviceObjects {
public:
    HardwareRenderer::Grid grid;
    std::vector<GpuTexture> tiles;

    GpuTexture tile(std::uint32_t column, std::uint32_t row) const {
        const std::size_t index = std::size_t{column} * grid.rows + row;
        return index < tiles.size() ? tiles[index] : 0;
    }
};

bool holdsColour(const GpuTextureFormat& format) {
    return format.kind == GpuFormatKind::Colour && (format.bitCount == 16 || format.bitCount == 32);
}

bool isFourBitColour(const GpuTextureFormat& format) {
    return format.bitCount == 16 && countBits(format.redMask) == 4 && countBits(format.greenMask) == 4 &&
           countBits(format.blueMask) == 4;
}

bool isEightBitArgb(const GpuTextureFormat& format) {
    return format.bitCount == 32 && countBits(format.redMask) == 8 && countBits(format.greenMask) == 8 &&
           countBits(format.blueMask) == 8 && countBits(format.alphaMask) == 8;
}

bool hasNarrowerChannel(const GpuTextureFormat& candidate, const GpuTextureFormat& held) {
    return countBits(candidate.redMask) < countBits(held.redMask) ||
           countBits(candidate.greenMask) < countBits(held.greenMask) ||
           countBits(candidate.blueMask) < countBits(held.blueMask) ||
           countBits(candidate.alphaMask) < countBits(held.alphaMask);
}

std::uint32_t powerOfTwoAtLeast(std::uint32_t value) {
    std::uint64_t power = 1;
    while (power < value) power <<= 1;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(power, UINT32_MAX));
}

GpuVertex vertex(float x, float y, std::uint32_t diffuse, std::uint32_t specular, float u = 0, float v = 0) {
    GpuVertex corner;
    corner.x = x;
    corner.y = y;
    corner.diffuse = diffuse;
    corner.specular = specular;
    corner.u = u;
    corner.v = v;
    return corner;
}

bool inside(const ClipRect& clip, int x, int y) {
    return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
}

}  // namespace

std::unique_ptr<Renderer> HardwareRenderer::create(bool, int, bool acceptUnaccelerated, std::string& whyNot) {
    platform::Window* window = WindowManager::getWindow();
    if (!window) {
        whyNot = "there is no window to draw into";
        return nullptr;
    }
    platform::GpuDevice* device = window->openGpu(whyNot);
    if (!device) return nullptr;
    const platform::GpuCapabilities& capabilities = device->capabilities();
    const GpuTextureFormat format = chooseFormat(capabilities.textureFormats);
    const TextureLimits limits = chooseLimits(capabilities);
    if (!capabilities.accelerated && !acceptUnaccelerated) {
        // Such a rasteriser draws the game's frames several times slower than the software renderer.
        whyNot = "the only OpenGL here is drawn by the processor (" +
                 (capabilities.name.empty() ? std::string("not accelerated") : capabilities.name) +
                 "); --hardware uses it all the same";
    } else if (format.redMask == 0 && format.greenMask == 0 && format.blueMask == 0 && format.alphaMask == 0) {
        whyNot = "the graphics card offers no texture format with colour channels";
    } else if (limits.maxWidth == 0 || limits.maxHeight == 0 || limits.tileWidth == 0 || limits.tileHeight == 0) {
        whyNot = "the graphics card reports no texture size";
    } else {
        return std::make_unique<HardwareRenderer>(*window, *device);
    }
    window->closeGpu();
    return nullptr;
}

HardwareRenderer::TextureLimits HardwareRenderer::chooseLimits(const platform::GpuCapabilities& capabilities) {
    TextureLimits limits;
    limits.maxWidth =
        std::min(std::max(kPreferredTextureSide, capabilities.minTextureWidth), capabilities.maxTextureWidth);
    limits.maxHeight =
        std::min(std::max(kPreferredTextureSide, capabilities.minTextureHeight), capabilities.maxTextureHeight);
    limits.tileWidth = std::min(std::max(kPreferredTileSide, capabilities.minTextureWidth), limits.maxWidth);
    limits.tileHeight = std::min(std::max(kPreferredTileSide, capabilities.minTextureHeight), limits.maxHeight);
    return limits;
}

GpuTextureFormat HardwareRenderer::chooseFormat(const std::vector<GpuTextureFormat>& formats) {
    GpuTextureFormat held;
    for (const GpuTextureFormat& candidate : formats) {
        if (!holdsColour(candidate)) continue;
        if (isFourBitColour(candidate)) return candidate;
        if (isEightBitArgb(held)) continue;
        if (!isEightBitArgb(candidate) && hasNarrowerChannel(candidate, held)) continue;
        held = candidate;
    }
    return held;
}

HardwareRenderer::HardwareRenderer(platform::Window& window, platform::GpuDevice& device)
    : window_(window), device_(device), format_(DisplayFormat::xrgb8888()) {
    // The card's back buffer has 8 bits a channel whatever depth a full screen asks for;
    // the depth option shapes only the software renderer's back buffer.
    limits_ = chooseLimits(device_.capabilities());
    textureFormat_ = chooseFormat(device_.capabilities().textureFormats);
    textureBits_[0] = countBits(textureFormat_.redMask);
    textureBits_[1] = countBits(textureFormat_.greenMask);
    textureBits_[2] = countBits(textureFormat_.blueMask);
    textureBits_[3] = countBits(textureFormat_.alphaMask);
}

HardwareRenderer::~HardwareRenderer() { window_.closeGpu(); }

void HardwareRenderer::prepareTexture(Texture& texture) {
    texture.prepareHardware(limits_.maxWidth, limits_.maxHeight, limits_.tileWidth, limits_.tileHeight, this);
    gridFor(texture);  // a picture the card cannot take is refused now, not at its first draw
}

HardwareRenderer::Grid HardwareRenderer::gridFor(const Texture& texture) const {
    const std::uint32_t width = texture.getWidth();
    const std::uint32_t height = texture.getHeight();
    if (width == 0 || height == 0) throw ErrorGeneric(kTexturePath, kLineGridZeroSize, 0);
    if (texture.getMaxWidth() == 0 || texture.getMaxHeight() == 0 || texture.getTileWidth() == 0 ||
        texture.getTileHeight() == 0) {
        throw ErrorGeneric(kTexturePath, kLineGridZeroLimit, 0);
    }
    const platform::GpuCapabilities& capabilities = device_.capabilities();
    std::uint32_t wantedWidth = std::max(width, capabilities.minTextureWidth);
    std::uint32_t wantedHeight = std::max(height, capabilities.minTextureHeight);
    if (capabilities.powerOfTwoOnly) {
        wantedWidth = powerOfTwoAtLeast(width);
        wantedHeight = powerOfTwoAtLeast(height);
    }
    if (capabilities.squareOnly) wantedWidth = wantedHeight = std::max(wantedWidth, wantedHeight);

    Grid grid;
    if (wantedWidth > texture.getMaxWidth() || wantedHeight > texture.getMaxHeight()) {
        grid.tiled = true;
        grid.surfaceWidth = texture.getTileWidth();
        grid.surfaceHeight = texture.getTileHeight();
        grid.columns = (width - 1) / grid.surfaceWidth + 1;
        grid.rows = (height - 1) / grid.surfaceHeight + 1;
    } else {
        grid.surfaceWidth = wantedWidth;
        grid.surfaceHeight = wantedHeight;
        grid.columns = grid.rows = 1;
    }
    return grid;
}

void HardwareRenderer::createTextureSurfaces(Texture& texture) {
    auto objects = std::make_unique<HardwareTexture>();
    objects->grid = gridFor(texture);
    const Grid& grid = objects->grid;
    // Whatever fails, the textures made so far go back to the card.
    auto giveBack = [this, &objects] {
        for (GpuTexture tile : objects->tiles) device_.destroyTexture(tile);
    };
    try {
        for (std::uint32_t column = 0; column < grid.columns; ++column) {
            for (std::uint32_t row = 0; row < grid.rows; ++row) {
                const GpuTexture tile = device_.createTexture(grid.surfaceWidth, grid.surfaceHeight, textureFormat_);
                if (tile == 0) throw ErrorGeneric(kTexturePath, kLineCreateFailed, 0);
                objects->tiles.push_back(tile);
                if (!grid.tiled) {
                    uploadPart(texture, tile, 0, 0, texture.getWidth(), texture.getHeight());
                } else {
                    const std::uint32_t left = column * grid.surfaceWidth;
                    const std::uint32_t top = row * grid.surfaceHeight;
                    uploadPart(texture, tile, left, top, std::min(texture.getWidth(), left + grid.surfaceWidth),
                               std::min(texture.getHeight(), top + grid.surfaceHeight));
                }
            }
        }
    } catch (...) {
        giveBack();
        throw;
    }
    texture.deviceObjects = std::move(objects);
}

// The picture's part [left, right) x [top, bottom) into the tile's top-left corner, in
// the texture format: 16-bit formats keep the top bits of each channel, 32-bit ones
// take the ARGB colour as it is.
void HardwareRenderer::uploadPart(const Texture& texture, GpuTexture target, std::uint32_t left, std::uint32_t top,
                                  std::uint32_t right, std::uint32_t bottom) {
    const std::uint32_t* pixels = texture.getPixels();
    if (!pixels) throw ErrorGeneric(kTexturePath, kLineUploadNoPixels, 0);
    const std::uint32_t width = right - left;
    const std::uint32_t height = bottom - top;
    const std::size_t bytesPerPixel = textureFormat_.bitCount == 16 ? 2 : 4;
    const std::size_t pitch = width * bytesPerPixel;
    try {
        staging_.resize(pitch * height);
    } catch (const std::bad_alloc&) {
        throw ErrorNoMemory();
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint32_t* source = pixels + std::size_t{top + y} * texture.getWidth() + left;
        std::uint8_t* target = staging_.data() + y * pitch;
        if (bytesPerPixel == 4) {
            std::memcpy(target, source, pitch);
            continue;
        }
        for (std::uint32_t x = 0; x < width; ++x) {
            const auto packed = static_cast<std::uint16_t>(GraphicManager::toPixelFormat(
                source[x], textureBits_[0], textureBits_[1], textureBits_[2], textureBits_[3]));
            std::memcpy(target + x * 2, &packed, 2);
        }
    }
    if (!device_.uploadTexture(target, 0, 0, width, height, staging_.data(), pitch)) {
        throw ErrorGeneric(kTexturePath, kLineUploadFailed, 0);
    }
}

void HardwareRenderer::destroyTextureSurfaces(Texture& texture) {
    auto* objects = dynamic_cast<HardwareTexture*>(texture.deviceObjects.get());
    if (!objects) return;
    for (GpuTexture tile : objects->tiles) device_.destroyTexture(tile);
    objects->tiles.clear();
}

void HardwareRenderer::drawTexture(Texture& texture, int srcLeft, int srcTop, int srcRight, int srcBottom, int dstLeft,
                                   int dstTop, int dstRight, int dstBottom, std::uint32_t multiply, std::uint32_t add) {
    const auto* objects = dynamic_cast<const HardwareTexture*>(texture.deviceObjects.get());
    if (!objects || objects->tiles.empty()) throw ErrorGeneric(kTexturePath, kLineDrawNoTile, 0);
    const Grid& grid = objects->grid;
    const auto surfaceWidth = static_cast<float>(grid.surfaceWidth);
    const auto surfaceHeight = static_cast<float>(grid.surfaceHeight);
    if (!grid.tiled) {
        // One texture: a mirrored destination mirrors the picture.
        drawQuad(objects->tile(0, 0), static_cast<float>(srcLeft) / surfaceWidth,
                 static_cast<float>(srcTop) / surfaceHeight, static_cast<float>(srcRight) / surfaceWidth,
                 static_cast<float>(srcBottom) / surfaceHeight, dstLeft, dstTop, dstRight, dstBottom, multiply, add);
        return;
    }
    // Tiles are drawn unmirrored, at the source's size, each part where it lies in the
    // source. A mirrored destination still gives the box the picture fills.
    const int tileWidth = static_cast<int>(grid.surfaceWidth);
    const int tileHeight = static_cast<int>(grid.surfaceHeight);
    const int lastColumn = static_cast<int>(grid.columns) - 1;
    const int lastRow = static_cast<int>(grid.rows) - 1;
    const int shiftX = std::min(dstLeft, dstRight) - srcLeft;
    const int shiftY = std::min(dstTop, dstBottom) - srcTop;
    const int firstColumn = std::max(0, srcLeft / tileWidth);
    const int firstRow = std::max(0, srcTop / tileHeight);
    const int endColumn = std::min(lastColumn, (srcRight - 1) / tileWidth);
    const int endRow = std::min(lastRow, (srcBottom - 1) / tileHeight);
    for (int column = firstColumn; column <= endColumn; ++column) {
        for (int row = firstRow; row <= endRow; ++row) {
            const int x0 = std::max(0, srcLeft - column * tileWidth);
            const int x1 = std::min(tileWidth, srcRight - column * tileWidth);
            const int y0 = std::max(0, srcTop - row * tileHeight);
            const int y1 = std::min(tileHeight, srcBottom - row * tileHeight);
            const int left = column * tileWidth + shiftX;
            const int top = row * tileHeight + shiftY;
            drawQuad(objects->tile(static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row)),
                     static_cast<float>(x0) / surfaceWidth, static_cast<float>(y0) / surfaceHeight,
                     static_cast<float>(x1) / surfaceWidth, static_cast<float>(y1) / surfaceHeight, left + x0, top + y0,
                     left + x1, top + y1, multiply, add);
        }
    }
}

void HardwareRenderer::drawQuad(GpuTexture tile, float u0, float v0, float u1, float v1, int dstLeft, int dstTop,
                                int dstRight, int dstBottom, std::uint32_t multiply, std::uint32_t add) {
    if ((multiply >> 24) == 0 || !(u0 < u1) || !(v0 < v1)) return;
    if (tile == 0) throw ErrorGeneric(kTexturePath, kLineDrawNoTile, 0);
    const float left = static_cast<float>(dstLeft) + kQuadOffset;
    const float top = static_cast<float>(dstTop) + kQuadOffset;
    const float right = static_cast<float>(dstRight) + kQuadOffset;
    const float bottom = static_cast<float>(dstBottom) + kQuadOffset;
    const GpuVertex corners[4] = {
        vertex(left, top, multiply, add, u0, v0),
        vertex(right, top, multiply, add, u1, v0),
        vertex(left, bottom, multiply, add, u0, v1),
        vertex(right, bottom, multiply, add, u1, v1),
    };
    if (!device_.draw(GpuPrimitive::TriangleStrip, corners, 4, tile))
        throw ErrorGeneric(kTexturePath, kLineDrawFailed, 0);
}

void HardwareRenderer::beginScene() {
    if (!device_.beginFrame()) throw ErrorGeneric(kManagerPath, kLineBeginSceneFailed, 0);
}

void HardwareRenderer::clear(std::uint32_t argb) {
    if (!device_.clear(argb)) throw ErrorGeneric(kManagerPath, kLineClearFailed, 0);
}

void HardwareRenderer::endScene() { device_.endFrame(); }

void HardwareRenderer::present(platform::Window&) {
    // A lost card has nothing worth showing: the last picture stays, and the next frame
    // finds the loss and draws again after restoring.
    if (device_.isLost()) return;
    if (!device_.present()) throw ErrorGeneric(kManagerPath, kLinePresentFailed, 0);
}

// The card draws the logical picture off screen and copies it scaled to the window, so
// between frames its back buffer still holds the frame shown.
bool HardwareRenderer::readFrame(std::vector<std::uint32_t>& rgb, int& width, int& height, std::string& whyNot) {
    if (device_.isLost()) {
        whyNot = "the graphics card lost the picture";
        return false;
    }
    if (!device_.readBackBuffer(rgb)) {
        whyNot = "the graphics card did not give the picture back";
        return false;
    }
    width = platform::kLogicalWidth;
    height = platform::kLogicalHeight;
    return true;
}

// Every texture is re-made and filled again by the caller afterwards, as after a restore
// its content would be undefined anyway.
bool HardwareRenderer::restoreAllSurfaces() { return !device_.isLost() || device_.restore(); }

void HardwareRenderer::recreateSurfaces() {
    if (!device_.restore()) throw ErrorGeneric(kManagerPath, kLineBackBufferFailed, 0);
}

bool HardwareRenderer::drawClipped(GpuPrimitive primitive, const GpuVertex* vertices, int count, const ClipRect& clip,
                                   bool outside) {
    if (!outside) return device_.draw(primitive, vertices, count, 0);
    device_.setClip({clip.left, clip.top, clip.right, clip.bottom});
    const bool drawn = device_.draw(primitive, vertices, count, 0);
    device_.clearClip();
    return drawn;
}

void HardwareRenderer::drawPixel(int x, int y, std::uint32_t colour, std::uint32_t add, const ClipRect& clip) {
    if (!inside(clip, x, y)) return;
    const GpuVertex point = vertex(static_cast<float>(x), static_cast<float>(y), colour, add);
    if (!device_.draw(GpuPrimitive::Points, &point, 1, 0)) throw ErrorGeneric(kManagerPath, kLinePixelDrawFailed, 0);
}

void HardwareRenderer::drawLine(int x0, int y0, int x1, int y1, std::uint32_t colour, std::uint32_t add,
                                const ClipRect& clip) {
    const GpuVertex ends[2] = {vertex(static_cast<float>(x0), static_cast<float>(y0), colour, add),
                               vertex(static_cast<float>(x1), static_cast<float>(y1), colour, add)};
    const bool outside = !inside(clip, x0, y0) || !inside(clip, x1, y1);
    if (!drawClipped(GpuPrimitive::Lines, ends, 2, clip, outside)) {
        throw ErrorGeneric(kManagerPath, kLineLineDrawFailed, 0);
    }
}

// The card draws a rectangle as the polygon of its corners, so one whose right lies
// left of its left is still filled.
void HardwareRenderer::drawRectangle(int left, int top, int right, int bottom, std::uint32_t colour, std::uint32_t add,
                                     const ClipRect& clip) {
    const int xs[4] = {left, right, right, left};
    const int ys[4] = {top, top, bottom, bottom};
    drawPolygon(xs, ys, 4, colour, add, clip);
}

void HardwareRenderer::drawPolygon(const int* xs, const int* ys, int count, std::uint32_t colour, std::uint32_t add,
                                   const ClipRect& clip) {
    if (!xs || !ys || count < 3) return;
    std::vector<GpuVertex> corners;
    try {
        corners.reserve(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        throw ErrorNoMemory();
    }
    bool outside = false;
    for (int i = 0; i < count; ++i) {
        corners.push_back(vertex(static_cast<float>(xs[i]), static_cast<float>(ys[i]), colour, add));
        outside = outside || !inside(clip, xs[i], ys[i]);
    }
    if (!drawClipped(GpuPrimitive::TriangleFan, corners.data(), count, clip, outside)) {
        throw ErrorGeneric(kManagerPath, kLinePolygonDrawFailed, 0);
    }
}

}  // namespace tidewell
