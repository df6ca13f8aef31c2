// Runs on whichever backend BRINEFALL_BACKEND names: headless under CTest, and
// SDL in a virtual X display through the xvfb-run registration.
#include "platform/Platform.h"

#include <gtest/gtest.h>

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
