#pragma once

// A headless machine with a window, the resource manager and the graphics manager
// started at the depth a test asks for; scratch files for the pictures and fonts the
// tests write; and read-back of the back buffer.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../resources/FormatWriters.h"
#include "graphics/GraphicManager.h"
#include "input/InputManager.h"
#include "resources/ResourceManager.h"
#include "graphics/SoftwareRenderer.h"
#include "graphics/Surface.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

class GraphicsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-graphics-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        directory = pattern;
        auto made = std::make_unique<tidewell::platform::headless::HeadlessPlatform>(
            tidewell::platform::PlatformOptions{directory / "settings"});
        machine = made.get();
        tidewell::platform::install(std::move(made));
    }

    void TearDown() override {
        tidewell::InputManager::stop();
        tidewell::GraphicManager::stop();
        tidewell::ResourceManager::stop();
        tidewell::WindowManager::destroyWindow();
        tidewell::WindowManager::setFullScreen(false);
        tidewell::platform::install(nullptr);
        tidewell::GraphicManager::preferredDepth = 16;
        tidewell::GraphicManager::clearBackground = true;
        tidewell::GraphicManager::clearColour = 0xFFFFFFFF;
        std::filesystem::remove_all(directory);
    }

    // 16 bits is full screen (the preferred depth), 32 a window.
    void startGraphics(int depth) {
        tidewell::WindowManager::setFullScreen(depth == 16);
        tidewell::WindowManager::createWindow();
        tidewell::GraphicManager::start();
        ASSERT_EQ(tidewell::GraphicManager::getDisplayDepth(), depth);
    }

    tidewell::SoftwareRenderer& software() {
        return dynamic_cast<tidewell::SoftwareRenderer&>(*tidewell::GraphicManager::getRenderer());
    }

    tidewell::Surface& backBuffer() { return *software().getBackBuffer(); }

    std::uint32_t pixel(int x, int y) { return backBuffer().pixelAt(x, y); }

    // Every back-buffer pixel set to one display value.
    void fill(std::uint32_t value) {
        ASSERT_EQ(backBuffer().fill({0, 0, 800, 600}, value), tidewell::SurfaceResult::Ok);
    }

    // How many back-buffer pixels differ from `value`.
    int countOther(std::uint32_t value) {
        int count = 0;
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) count += pixel(x, y) != value;
        }
        return count;
    }

    std::string write(const std::string& name, const formats::Bytes& bytes) const {
        const std::string path = (directory / name).string();
        EXPECT_TRUE(formats::writeFile(path, bytes));
        return path;
    }

    // A .twi picture from 4-bit-per-channel pixels.
    std::string writeTwi(const std::string& name, std::uint32_t width, std::uint32_t height,
                         const std::vector<std::uint16_t>& pixels) const {
        return write(name, formats::twi(width, height, pixels));
    }

    std::filesystem::path directory;
    tidewell::platform::headless::HeadlessPlatform* machine = nullptr;
};
