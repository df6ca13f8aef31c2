#pragma once

// Frames checked into tests/game/frontend/golden/ as PNG files, compared pixel for pixel
// with what a headless run draws now. The headless run is deterministic, so any
// difference is a change of layout, art or drawing. With BRINEFALL_UPDATE_GOLDEN set the
// test writes the frame it drew instead (look at it before checking it in); a failing
// comparison leaves the frame it drew in the temporary folder to look at.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace brinefall::testing {

// The folder golden/ beside this header, named by the build (tests/game/frontend/CMakeLists.txt):
// __FILE__ is no help, as a compiler cache or a reproducible build (-ffile-prefix-map) gives a
// relative path.
inline const std::filesystem::path kGoldenFolder = BRINEFALL_GOLDEN_DIR;

// The picture's colours as 0x00RRGGBB words, row by row; empty when it cannot be read.
inline std::vector<std::uint32_t> readGoldenPng(const std::filesystem::path& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<std::uint32_t> pixels;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return pixels;
    image.format = PNG_FORMAT_BGRA;  // little-endian words of 0xAARRGGBB
    pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

// Compares the frame with golden/<name>.png; `save` writes the frame as a PNG file.
inline void expectGoldenFrame(const std::vector<std::uint32_t>& frame, const std::string& name,
                              const std::function<void(const std::string&)>& save) {
    const std::filesystem::path golden = kGoldenFolder / (name + ".png");
    if (std::getenv("BRINEFALL_UPDATE_GOLDEN") != nullptr) {
        std::filesystem::create_directories(kGoldenFolder);
        save(golden.string());
        return;
    }
    int width = 0;
    int height = 0;
    const std::vector<std::uint32_t> expected = readGoldenPng(golden, width, height);
    ASSERT_FALSE(expected.empty()) << "cannot read " << golden;
    ASSERT_EQ(width, 800);
    ASSERT_EQ(height, 600);
    ASSERT_EQ(frame.size(), expected.size());
    std::size_t differing = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < frame.size(); ++i) {
        if ((frame[i] & 0xFFFFFF) != expected[i]) {
            if (differing++ == 0) first = i;
        }
    }
    if (differing != 0) {
        const std::filesystem::path drawn = std::filesystem::temp_directory_path() / ("brinefall-" + name + ".png");
        save(drawn.string());
        ADD_FAILURE() << differing << " pixels differ from " << golden << ", the first at (" << first % 800 << ", "
                      << first / 800 << "); the frame drawn is " << drawn;
    }
}

}  // namespace brinefall::testing
