#include "graphics/Surface.h"

#include <cstring>

#include "graphics/SoftwareRenderer.h"

namespace tidewell {
namespace {

// Rows start on 32-byte boundaries relative to the first, so whole rows suit wide loads.
std::size_t pitchFor(std::uint32_t width, int bytesPerPixel) {
    const std::size_t bytes = std::size_t{width} * static_cast<std::size_t>(bytesPerPixel);
    return (bytes + 31) & ~std::size_t{31};
}

std::uint32_t readPixel(const std::uint8_t* at, int bytesPerPixel) {
    if (bytesPerPixel == 2) {
        std::uint16_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void writePixel(std::uint8_t* at, int bytesPerPixel, std::uint32_t value) {
    if (bytesPerPixel == 2) {
        const auto narrow = static_cast<std::uint16_t>(value);
        std::memcpy(at, &narrow, sizeof narrow);
    } else {
        std::memcpy(at, &value, sizeof value);
    }
}

}  // namespace

Surface::Surface(SoftwareRenderer& owner, std::uint32_t width, std::uint32_t height, const DisplayFormat& format)
    : owner_(owner),
      width_(width),
      height_(height),
      format_(format),
      pitch_(pitchFor(width, format.bytesPerPixel())),
      pixels_(pitch_ * height) {
    owner_.adoptSurface(this);
}

Surface::~Surface() { owner_.forgetSurface(this); }

bool Surface::contains(const PixelRect& rect) const {
    return rect.left >= 0 && rect.top >= 0 && rect.left <= rect.right && rect.top <= rect.bottom &&
           static_cast<std::uint32_t>(rect.right) <= width_ && static_cast<std::uint32_t>(rect.bottom) <= height_;
}

std::uint8_t* Surface::lock(const PixelRect& rect, SurfaceResult& result) {
    if (lost_) {
        result = SurfaceResult::SurfaceLost;
        return nullptr;
    }
    if (!contains(rect)) {
        result = SurfaceResult::Failed;
        return nullptr;
    }
    result = SurfaceResult::Ok;
    return pixels_.data() + static_cast<std::size_t>(rect.top) * pitch_ +
           static_cast<std::size_t>(rect.left) * static_cast<std::size_t>(format_.bytesPerPixel());
}

void Surface::unlock() {}

SurfaceResult Surface::fill(const PixelRect& rect, std::uint32_t value) {
    SurfaceResult result;
    std::uint8_t* first = lock(rect, result);
    if (!first) return result;
    const int bytes = format_.bytesPerPixel();
    for (int y = 0; y < rect.height(); ++y) {
        std::uint8_t* row = first + static_cast<std::size_t>(y) * pitch_;
        if (bytes == 4) {
            auto* pixels = reinterpret_cast<std::uint32_t*>(row);
            std::fill(pixels, pixels + rect.width(), value);
        } else {
            auto* pixels = reinterpret_cast<std::uint16_t*>(row);
            std::fill(pixels, pixels + rect.width(), static_cast<std::uint16_t>(value));
        }
    }
    return SurfaceResult::Ok;
}

SurfaceResult Surface::blitKeyed(const Surface& source, const PixelRect& sourceRect, int x, int y, bool mirrorX,
                                 bool mirrorY) {
    if (lost_ || source.lost_) return SurfaceResult::SurfaceLost;
    const PixelRect target{x, y, x + sourceRect.width(), y + sourceRect.height()};
    if (!source.contains(sourceRect) || !contains(target) || source.format_.depth != format_.depth) {
        return SurfaceResult::Failed;
    }
    const int bytes = format_.bytesPerPixel();
    const std::uint32_t key = source.colourKey_;
    for (int row = 0; row < sourceRect.height(); ++row) {
        const int sourceRow = mirrorY ? sourceRect.bottom - 1 - row : sourceRect.top + row;
        const std::uint8_t* from = source.pixels_.data() + static_cast<std::size_t>(sourceRow) * source.pitch_;
        std::uint8_t* to = pixels_.data() + static_cast<std::size_t>(y + row) * pitch_;
        for (int column = 0; column < sourceRect.width(); ++column) {
            const int sourceColumn = mirrorX ? sourceRect.right - 1 - column : sourceRect.left + column;
            const std::uint32_t value = readPixel(from + sourceColumn * bytes, bytes);
            if (value != key) writePixel(to + (x + column) * bytes, bytes, value);
        }
    }
    return SurfaceResult::Ok;
}

void Surface::lose() {
    lost_ = true;
    std::fill(pixels_.begin(), pixels_.end(), std::uint8_t{0xA5});
}

bool Surface::restore() {
    lost_ = false;
    return true;
}

std::uint32_t Surface::pixelAt(int x, int y) const {
    const int bytes = format_.bytesPerPixel();
    return readPixel(pixels_.data() + static_cast<std::size_t>(y) * pitch_ + static_cast<std::size_t>(x * bytes),
                     bytes);
}

}  // namespace tidewell
