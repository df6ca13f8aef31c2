#include "graphics/PointerImage.h"

#include <cstddef>

namespace tidewell {
namespace {

constexpr unsigned kFrameWidth = 20;
constexpr std::uint32_t kOutline = 0xFF666666;
constexpr std::uint32_t kEdge = 0x60666666;

struct Point {
    float x;
    float y;
};

// Even-odd rule on the pixel's centre, so a concave outline works too.
template <std::size_t N>
bool inside(const Point (&outline)[N], int x, int y) {
    const float px = static_cast<float>(x) + 0.5f;
    const float py = static_cast<float>(y) + 0.5f;
    bool in = false;
    for (std::size_t i = 0, j = N - 1; i < N; j = i++) {
        const Point& a = outline[i];
        const Point& b = outline[j];
        if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

// Inside pixels touching the outside become the outline, the rest a fill that darkens
// downwards; outside pixels touching the shape get the soft edge.
template <std::size_t N>
void drawFrame(std::vector<std::uint32_t>& pixels, unsigned frame, const Point (&outline)[N]) {
    auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < static_cast<int>(kFrameWidth) && y < static_cast<int>(pointerImageHeight) &&
               inside(outline, x, y);
    };
    for (int y = 0; y < static_cast<int>(pointerImageHeight); ++y) {
        for (int x = 0; x < static_cast<int>(kFrameWidth); ++x) {
            std::uint32_t colour = 0;
            if (in(x, y)) {
                const bool border = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
                const std::uint32_t shade = 255 - static_cast<std::uint32_t>(y) * 3;
                colour = border ? kOutline : 0xFF000000 | shade << 16 | shade << 8 | shade;
            } else if (in(x - 1, y) || in(x + 1, y) || in(x, y - 1) || in(x, y + 1)) {
                colour = kEdge;
            }
            pixels[static_cast<std::size_t>(y) * pointerImageWidth + frame * kFrameWidth + static_cast<unsigned>(x)] =
                colour;
        }
    }
}

}  // namespace

std::vector<std::uint32_t> makePointerImage() {
    std::vector<std::uint32_t> pixels(std::size_t{pointerImageWidth} * pointerImageHeight, 0);
    static const Point arrow[] = {{-0.5f, -0.5f}, {-0.5f, 18.0f}, {4.0f, 14.0f}, {7.5f, 21.0f},
                                  {10.0f, 20.0f}, {6.8f, 13.0f},  {13.0f, 12.5f}};
    static const Point upArrow[] = {{10.0f, -0.5f}, {18.5f, 9.5f}, {13.5f, 9.5f}, {13.5f, 28.0f},
                                    {6.5f, 28.0f},  {6.5f, 9.5f},  {1.5f, 9.5f}};
    drawFrame(pixels, 0, arrow);
    drawFrame(pixels, 1, upArrow);
    return pixels;
}

}  // namespace tidewell
