// Runs on whichever backend BRINEFALL_BACKEND names: headless under CTest, and
// SDL in a virtual X display through the xvfb-run registration.
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace tidewell::platform;

namespace {

std::unique_ptr<Platform> startPlatform() {
    std::string whyNot;
    auto platform = createPlatform("", {}, whyNot);
    EXPECT_NE(platform, nullptr) << whyNot;
    return platform;
}

// The size the X server gives the window of that title, asked of xwininfo, as a player's
// eyes would see it; false where there is no X display or no xwininfo to ask.
bool xServerWindowSize(const char* title, int& width, int& height) {
    if (std::getenv("DISPLAY") == nullptr) return false;
    const std::string command = std::string("xwininfo -name '") + title + "' 2>/dev/null";
    FILE* answer = popen(command.c_str(), "r");
    if (answer == nullptr) return false;
    width = height = 0;
    char line[256];
    while (std::fgets(line, sizeof line, answer) != nullptr) {
        std::sscanf(line, " Width: %d", &width);
        std::sscanf(line, " Height: %d", &height);
    }
    pclose(answer);
    return width > 0 && height > 0;
}

} // namespace

TEST(Window, OpensAtLogicalSizeShowsFramesAndClosesCleanly) {
    auto platform = startPlatform();
    ASSERT_NE(platform, nullptr);
    ASSERT_TRUE(platform->system().checkVideo()) << platform->system().lastError();

    Window& window = platform->window();
    const std::vector<std::uint32_t> icon(32 * 32, 0xFF2080C0);
    window.setTitle("Brinefall");
    window.setIcon(icon.data(), 32, 32);
    ASSERT_TRUE(window.create(false)) << platform->system().lastError();
    EXPECT_TRUE(window.isCreated());
    EXPECT_FALSE(window.isFullScreen());
    const WindowSize size = window.clientSize();
    EXPECT_EQ(size.width, 800);
    EXPECT_EQ(size.height, 600);
    // A real display has a rate (60 when it does not say, as Xvfb's); a headless window
    // without --display-rate has none and shows each tick's own picture only.
    if (std::string(platform->name()) == "headless") {
        EXPECT_EQ(window.refreshRate(), 0u);
    } else {
        EXPECT_GE(window.refreshRate(), 24u);
    }

    std::vector<std::uint32_t> xrgb(800 * 600, 0x0B2A4A);
    window.present(FrameView{xrgb.data(), 800, 600, 800 * 4, PixelFormat::Xrgb8888});
    std::vector<std::uint16_t> rgb565(800 * 600, 0xF800);
    window.present(FrameView{rgb565.data(), 800, 600, 800 * 2, PixelFormat::Rgb565});

    WindowEvent event;
    int drained = 0;
    while (window.pollEvent(event) && drained < 1000) {
        EXPECT_NE(event.kind, WindowEventKind::Close);
        ++drained;
    }
    window.destroy();
    EXPECT_FALSE(window.isCreated());
    EXPECT_EQ(window.clientSize().width, 0);
}

TEST(Window, RecreationSwitchesModeAndKeepsTitle) {
    auto platform = startPlatform();
    ASSERT_NE(platform, nullptr);
    Window& window = platform->window();
    window.setTitle("Brinefall");
    ASSERT_TRUE(window.create(false));
    ASSERT_TRUE(window.recreate(true));
    EXPECT_TRUE(window.isFullScreen());
    EXPECT_GT(window.clientSize().width, 0);
    ASSERT_TRUE(window.recreate(false));
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_EQ(window.clientSize().width, 800);
    EXPECT_EQ(window.clientSize().height, 600);
    window.destroy();
}

// A full screen the display does not grant (no window manager, as in the Xvfb these tests run
// in) leaves the window at its size: the window reports the size it really has, which is what
// the picture and the pointer are fitted to, not the whole display it asked for.
TEST(Window, FullScreenReportsTheSizeTheWindowReallyHas) {
    auto platform = startPlatform();
    ASSERT_NE(platform, nullptr);
    Window& window = platform->window();
    constexpr const char* kTitle = "Brinefall full screen size";
    window.setTitle(kTitle);
    ASSERT_TRUE(window.create(true));
    std::vector<std::uint32_t> xrgb(800 * 600, 0x0B2A4A);
    window.present(FrameView{xrgb.data(), 800, 600, 800 * 4, PixelFormat::Xrgb8888});
    WindowEvent event;
    for (int drained = 0; drained < 1000 && window.pollEvent(event); ++drained) {
    }
    const WindowSize size = window.clientSize();
    EXPECT_GT(size.width, 0);
    EXPECT_GT(size.height, 0);
    int width = 0;
    int height = 0;
    if (std::strcmp(platform->name(), "sdl") == 0 && xServerWindowSize(kTitle, width, height)) {
        EXPECT_EQ(size.width, width);
        EXPECT_EQ(size.height, height);
    }
    window.destroy();
}
