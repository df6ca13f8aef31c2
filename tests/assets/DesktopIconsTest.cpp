#include "BakedAssetsSupport.h"

#include "DesktopIcons.h"
#include "Picture.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

using assetbake::Picture;

std::filesystem::path themeFolder() { return std::filesystem::path(BRINEFALL_DESKTOP_ICONS_DIR) / "hicolor"; }

std::string iconFile(const std::string& size, const std::string& extension) {
    return (themeFolder() / size / "apps" / (std::string(assetbake::kDesktopIconName) + extension)).string();
}

// The PNG as premultiplied words, the way the baker's own pictures hold them.
Picture readPng(const std::string& path) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create_from_png(path.c_str()), &cairo_surface_destroy);
    Picture picture;
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return picture;
    picture.width = cairo_image_surface_get_width(surface.get());
    picture.height = cairo_image_surface_get_height(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        picture.premultiplied.insert(picture.premultiplied.end(), row, row + picture.width);
    }
    return picture;
}

// The mean difference of all channels, 0 to 255.
double meanDifference(const Picture& a, const Picture& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.premultiplied.size(); ++i) {
        for (int shift = 0; shift < 32; shift += 8) {
            sum += std::abs(static_cast<int>(a.premultiplied[i] >> shift & 0xFF) -
                            static_cast<int>(b.premultiplied[i] >> shift & 0xFF));
        }
    }
    return sum / (a.premultiplied.size() * 4.0);
}

int opaquePixels(const Picture& picture) {
    int count = 0;
    for (std::uint32_t pixel : picture.premultiplied) count += (pixel >> 24) > 0x80;
    return count;
}

// Every size the theme asks for is there, square, and shows the same picture as the
// scalable icon drawn at that size: launcher, dock and window show one hero.
TEST(DesktopIconsTest, EveryThemeSizeShowsWhatTheScalableIconShows) {
    const std::string scalable = iconFile("scalable", ".svg");
    ASSERT_TRUE(std::filesystem::exists(scalable)) << scalable;
    double width = 0, height = 0;
    assetbake::svgSize(scalable, width, height);
    EXPECT_EQ(width, height);
    for (int side : assetbake::kDesktopIconSides) {
        SCOPED_TRACE(side);
        const Picture png = readPng(iconFile(std::to_string(side) + "x" + std::to_string(side), ".png"));
        ASSERT_EQ(png.width, side);
        ASSERT_EQ(png.height, side);
        // A hero, not an empty square: a good part of the square is covered.
        EXPECT_GT(opaquePixels(png), side * side / 8);
        const Picture drawn = assetbake::renderSvgFrameFitted(scalable, static_cast<int>(width), static_cast<int>(height), side);
        EXPECT_LT(meanDifference(png, drawn), side < 64 ? 6.0 : 3.0);
    }
}

// The scalable icon keeps only the sheet's first frame: the neighbouring frames of the
// sheet never show in the square's margins.
TEST(DesktopIconsTest, ScalableIconShowsOnlyTheFirstFrameCentredInASquare) {
    const std::string sheet = R"(<?xml version="1.0"?>)"
                              R"(<svg xmlns="http://www.w3.org/2000/svg" width="80" height="40" viewBox="0 0 80 40">)"
                              R"(<rect x="0" y="0" width="40" height="20" fill="#ff0000"/>)"
                              R"(<rect x="40" y="0" width="40" height="40" fill="#0000ff"/>)"
                              R"(<rect x="0" y="20" width="40" height="20" fill="#00ff00"/></svg>)";
    const std::filesystem::path svg = std::filesystem::temp_directory_path() / "desktop-icon-test.svg";
    std::ofstream(svg) << assetbake::scalableIconSvg(sheet, 40, 20);
    const Picture picture = assetbake::renderSvgFrameFitted(svg.string(), 40, 40, 40);
    std::filesystem::remove(svg);
    // The 40 x 20 red frame sits in the middle band of the 40 x 40 square.
    EXPECT_EQ(picture.at(20, 20), 0xFFFF0000u);
    EXPECT_EQ(picture.at(2, 11), 0xFFFF0000u);
    EXPECT_EQ(picture.at(37, 28), 0xFFFF0000u);
    // Above and below it nothing: not the green frame, not the blue one.
    EXPECT_EQ(picture.at(20, 5), 0u);
    EXPECT_EQ(picture.at(20, 35), 0u);
    EXPECT_EQ(picture.at(38, 35), 0u);
}

} // namespace
