#include "WindowIcon.h"

#include <algorithm>
#include <cmath>

namespace tidewell {
namespace {

constexpr int kGameIcon = 101;

std::uint32_t argb(double alpha, int r, int g, int b) {
    const auto a = static_cast<std::uint32_t>(std::clamp(alpha, 0.0, 1.0) * 255.0 + 0.5);
    return a << 24 | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

// Coverage of a disc at one pixel, softened over one pixel for a smooth edge.
double disc(double x, double y, double cx, double cy, double radius) {
    return std::clamp(radius - std::hypot(x - cx, y - cy) + 0.5, 0.0, 1.0);
}

// Pufflo on a sea-blue badge: a round yellow body with an eye, facing right.
std::uint32_t gameIconPixel(double u, double v, double scale) {
    const double badge = disc(u, v, 0.5, 0.5, 0.5 - 0.5 / scale);
    const double body = disc(u, v, 0.46, 0.52, 0.28);
    const double tail = (u > 0.1 && u < 0.24 && std::abs(v - 0.52) < (0.24 - u) * 1.2) ? 1.0 : 0.0;
    const double eye = disc(u, v, 0.58, 0.44, 0.07);
    const double pupil = disc(u, v, 0.6, 0.44, 0.035);
    if (pupil > 0.5) return argb(badge, 20, 24, 40);
    if (eye > 0.5) return argb(badge, 250, 250, 250);
    if (std::max(body, tail) > 0.5) return argb(badge, 255, 196, 48);
    return argb(badge, 22, 92, 160);
}

} // namespace

std::vector<std::uint32_t> makeWindowIcon(int resourceId, int width, int height) {
    if (resourceId != kGameIcon || width <= 0 || height <= 0 || width > 1024 || height > 1024) {
        return {};
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<std::size_t>(y) * width + x] =
                gameIconPixel((x + 0.5) / width, (y + 0.5) / height, std::min(width, height));
        }
    }
    return pixels;
}

} // namespace tidewell
