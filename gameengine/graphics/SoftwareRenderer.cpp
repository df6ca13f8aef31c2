#include "graphics/SoftwareRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/ErrorGeneric.h"
#include "core/Screen.h"
#include "graphics/FlatBlend.h"
#include "graphics/Texture.h"
#include "platform/Window.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\GraphicManager";

// Where each primitive and the clear report a failing surface call.
constexpr int kLineClearFill = 1660;
constexpr int kLinePixelFill = 2011;
constexpr int kLinePixelRestore = 2019;
constexpr int kLinePixelLock = 2022;
constexpr int kLineLineRestore = 2115;
constexpr int kLineLineLock = 2118;
constexpr int kLineRectangleFill = 2261;
constexpr int kLineRectangleRestore = 2269;
constexpr int kLineRectangleLock = 2272;
constexpr int kLinePolygonRestore = 2397;
constexpr int kLinePolygonLock = 2400;

PixelRect intersect(const PixelRect& rect, const ClipRect& clip) {
    return {std::max(rect.left, clip.left), std::max(rect.top, clip.top), std::min(rect.right, clip.right),
            std::min(rect.bottom, clip.bottom)};
}

std::uint32_t addColours(std::uint32_t a, std::uint32_t b) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        result |= std::min<std::uint32_t>(255, ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) << shift;
    }
    return result;
}

}  // namespace

SoftwareRenderer::SoftwareRenderer(int depth) : format_(DisplayFormat::forDepth(depth)) { recreateSurfaces(); }

SoftwareRenderer::~SoftwareRenderer() { backBuffer_.reset(); }

void SoftwareRenderer::prepareTexture(Texture& texture) {
    // Copies never need the driver's help here: mirrored and rotated copies are all ours.
    texture.prepareSoftware(maxSurfaceWidth, maxSurfaceHeight, true, this, backBuffer_.get());
}

void SoftwareRenderer::clear(std::uint32_t argb) {
    const PixelRect whole{0, 0, static_cast<int>(screenWidth), static_cast<int>(screenHeight)};
    const SurfaceResult result = backBuffer_->fill(whole, format_.toDisplayColour(argb));
    if (result != SurfaceResult::Ok) throw ErrorGeneric(kModulePath, kLineClearFill, static_cast<int>(result));
}

platform::FrameView SoftwareRenderer::backBufferView() const {
    platform::FrameView frame;
    frame.pixels = backBuffer_->pixels();
    frame.width = static_cast<int>(backBuffer_->getWidth());
    frame.height = static_cast<int>(backBuffer_->getHeight());
    frame.pitchBytes = static_cast<int>(backBuffer_->getPitch());
    frame.format = format_.depth == 32 ? platform::PixelFormat::Xrgb8888 : platform::PixelFormat::Rgb565;
    return frame;
}

void SoftwareRenderer::present(platform::Window& window) {
    if (backBuffer_->isLost()) {
        // Nothing worth showing: keep the last picture and let the next frame draw anew.
        backBuffer_->restore();
        return;
    }
    window.present(backBufferView());
}

// Between frames the back buffer still holds the frame just presented.
bool SoftwareRenderer::readFrame(std::vector<std::uint32_t>& rgb, int& width, int& height, std::string& whyNot) {
    if (!backBuffer_ || backBuffer_->isLost()) {
        whyNot = "no picture has been drawn since the display was last reset";
        return false;
    }
    const platform::FrameView frame = backBufferView();
    platform::toRgbPixels(frame, rgb);
    width = frame.width;
    height = frame.height;
    return true;
}

bool SoftwareRenderer::restoreAllSurfaces() {
    bool restored = true;
    for (Surface* surface : surfaces_) restored = surface->restore() && restored;
    return restored;
}

void SoftwareRenderer::recreateSurfaces() {
    backBuffer_.reset();
    backBuffer_ = createSurface(screenWidth, screenHeight);
}

std::unique_ptr<Surface> SoftwareRenderer::createSurface(std::uint32_t width, std::uint32_t height) {
    return std::make_unique<Surface>(*this, width, height, format_);
}

void SoftwareRenderer::loseSurfaces() {
    for (Surface* surface : surfaces_) surface->lose();
}

void SoftwareRenderer::adoptSurface(Surface* surface) { surfaces_.push_back(surface); }

void SoftwareRenderer::forgetSurface(Surface* surface) {
    surfaces_.erase(std::remove(surfaces_.begin(), surfaces_.end(), surface), surfaces_.end());
}

std::uint8_t* SoftwareRenderer::lockBackBuffer(const PixelRect& rect, const char* modulePath, int restoreLine,
                                               int lockLine) {
    for (;;) {
        SurfaceResult result;
        if (std::uint8_t* pixels = backBuffer_->lock(rect, result)) return pixels;
        if (result != SurfaceResult::SurfaceLost) throw ErrorGeneric(modulePath, lockLine, static_cast<int>(result));
        if (!backBuffer_->restore()) throw ErrorGeneric(modulePath, restoreLine, 0);
    }
}

std::uint32_t SoftwareRenderer::drawingColour(std::uint32_t colour, std::uint32_t add) const {
    return format_.toDisplayColour(addColours(colour, add));
}

// Columns [from, to) of one row: written at full alpha, blended otherwise.
void SoftwareRenderer::blendSpan(std::uint8_t* row, int from, int to, std::uint32_t value, std::uint32_t alpha) const {
    if (format_.depth == 32) {
        auto* pixels = reinterpret_cast<std::uint32_t*>(row);
        for (int x = from; x < to; ++x) pixels[x] = alpha == 255 ? value : format_.blendPixel(pixels[x], value, alpha);
    } else {
        auto* pixels = reinterpret_cast<std::uint16_t*>(row);
        for (int x = from; x < to; ++x) {
            pixels[x] = static_cast<std::uint16_t>(alpha == 255 ? value : format_.blendPixel(pixels[x], value, alpha));
        }
    }
}

void SoftwareRenderer::blendLargeRectangle(std::uint8_t* first, const PixelRect& region, const FlatBlend& blend) {
    for (int y = 0; y < region.height(); ++y) {
        std::uint8_t* row = first + static_cast<std::size_t>(y) * backBuffer_->getPitch();
        if (format_.depth == 32) {
            blend.apply(reinterpret_cast<std::uint32_t*>(row), region.width());
        } else {
            blend.apply(reinterpret_cast<std::uint16_t*>(row), region.width());
        }
    }
}

void SoftwareRenderer::drawPixel(int x, int y, std::uint32_t colour, std::uint32_t add, const ClipRect& clip) {
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) return;
    const std::uint32_t value = drawingColour(colour, add);
    const std::uint32_t alpha = colour >> 24;
    const PixelRect one{x, y, x + 1, y + 1};
    if (alpha == 255) {
        const SurfaceResult result = backBuffer_->fill(one, value);
        if (result != SurfaceResult::Ok) throw ErrorGeneric(kModulePath, kLinePixelFill, static_cast<int>(result));
        return;
    }
    std::uint8_t* at = lockBackBuffer(one, kModulePath, kLinePixelRestore, kLinePixelLock);
    blendSpan(at, 0, 1, value, alpha);
    backBuffer_->unlock();
}

void SoftwareRenderer::drawLine(int x0, int y0, int x1, int y1, std::uint32_t colour, std::uint32_t add,
                                const ClipRect& clip) {
    const std::uint32_t alpha = colour >> 24;
    if (alpha == 0 || (x0 == x1 && y0 == y1)) return;
    const PixelRect box{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1};
    const PixelRect region = intersect(box, clip);
    if (region.isEmpty()) return;
    std::uint8_t* first = lockBackBuffer(region, kModulePath, kLineLineRestore, kLineLineLock);
    const std::uint32_t value = drawingColour(colour, add);
    const std::size_t pitch = backBuffer_->getPitch();

    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const bool alongX = dx >= dy;
    const int major = alongX ? dx : dy;
    const int minor = alongX ? dy : dx;
    const int stepX = x1 >= x0 ? 1 : -1;
    const int stepY = y1 >= y0 ? 1 : -1;
    int x = x0;
    int y = y0;
    int error = major / 2;
    for (int i = 0; i <= major; ++i) {
        if (x >= region.left && x < region.right && y >= region.top && y < region.bottom) {
            std::uint8_t* row = first + static_cast<std::size_t>(y - region.top) * pitch;
            blendSpan(row, x - region.left, x - region.left + 1, value, alpha);
        }
        if (alongX)
            x += stepX;
        else
            y += stepY;
        error += minor;
        if (error >= major) {
            if (alongX)
                y += stepY;
            else
                x += stepX;
            error -= major;
        }
    }
    backBuffer_->unlock();
}

void SoftwareRenderer::drawRectangle(int left, int top, int right, int bottom, std::uint32_t colour, std::uint32_t add,
                                     const ClipRect& clip) {
    const PixelRect region = intersect({left, top, right, bottom}, clip);
    if (region.isEmpty()) return;
    const std::uint32_t value = drawingColour(colour, add);
    const std::uint32_t alpha = colour >> 24;
    if (alpha == 255) {
        const SurfaceResult result = backBuffer_->fill(region, value);
        if (result != SurfaceResult::Ok) {
            throw ErrorGeneric(kModulePath, kLineRectangleFill, static_cast<int>(result));
        }
        return;
    }
    std::uint8_t* first = lockBackBuffer(region, kModulePath, kLineRectangleRestore, kLineRectangleLock);
    if (region.width() * region.height() >= FlatBlend::kWorthwhilePixels) {
        blendLargeRectangle(first, region, FlatBlend(format_, value, alpha));
    } else {
        for (int y = 0; y < region.height(); ++y) {
            blendSpan(first + static_cast<std::size_t>(y) * backBuffer_->getPitch(), 0, region.width(), value, alpha);
        }
    }
    backBuffer_->unlock();
}

void SoftwareRenderer::drawPolygon(const int* xs, const int* ys, int count, std::uint32_t colour, std::uint32_t add,
                                   const ClipRect& clip) {
    if (!xs || !ys || count < 3) return;
    PixelRect bounds{xs[0], ys[0], xs[0], ys[0]};
    for (int i = 1; i < count; ++i) {
        bounds.left = std::min(bounds.left, xs[i]);
        bounds.right = std::max(bounds.right, xs[i]);
        bounds.top = std::min(bounds.top, ys[i]);
        bounds.bottom = std::max(bounds.bottom, ys[i]);
    }
    const PixelRect region = intersect(bounds, clip);
    if (region.isEmpty()) return;
    std::uint8_t* first = lockBackBuffer(region, kModulePath, kLinePolygonRestore, kLinePolygonLock);
    const std::uint32_t value = drawingColour(colour, add);
    const std::uint32_t alpha = colour >> 24;
    // A fan from the first point, each triangle in coordinates relative to the region.
    for (int i = 1; i + 1 < count; ++i) {
        const int triangleXs[3] = {xs[0] - region.left, xs[i] - region.left, xs[i + 1] - region.left};
        const int triangleYs[3] = {ys[0] - region.top, ys[i] - region.top, ys[i + 1] - region.top};
        fillTriangle(first, region, triangleXs, triangleYs, value, alpha);
    }
    backBuffer_->unlock();
}

void SoftwareRenderer::fillTriangle(std::uint8_t* region, const PixelRect& rect, const int (&xs)[3], const int (&ys)[3],
                                    std::uint32_t value, std::uint32_t alpha) const {
    int order[3] = {0, 1, 2};
    std::sort(order, order + 3, [&](int a, int b) { return ys[a] < ys[b]; });
    const int topX = xs[order[0]], topY = ys[order[0]];
    const int middleX = xs[order[1]], middleY = ys[order[1]];
    const int bottomX = xs[order[2]], bottomY = ys[order[2]];
    // Rows run only where the edge in use has height, so no division is by zero.
    auto edgeX = [](int fromX, int fromY, int toX, int toY, int y) {
        return static_cast<int>(static_cast<float>(fromX) + static_cast<float>(toX - fromX) *
                                                                static_cast<float>(y - fromY) /
                                                                static_cast<float>(toY - fromY));
    };
    const int lastRow = std::min(bottomY, rect.height());
    for (int y = std::max(topY, 0); y < lastRow; ++y) {
        const int longX = edgeX(topX, topY, bottomX, bottomY, y);
        const int shortX =
            y < middleY ? edgeX(topX, topY, middleX, middleY, y) : edgeX(middleX, middleY, bottomX, bottomY, y);
        const int from = std::max(std::min(longX, shortX), 0);
        const int to = std::min(std::max(longX, shortX), rect.width());
        if (from < to)
            blendSpan(region + static_cast<std::size_t>(y) * backBuffer_->getPitch(), from, to, value, alpha);
    }
}

}  // namespace tidewell
