#include "platform/sdl/VideoDriverPolicy.h"

#include <gtest/gtest.h>

namespace {

using tidewell::platform::sdl::acceptsVideoDriver;

TEST(VideoDriverPolicyTest, DisplaysThatShowTheGameAreAlwaysTaken) {
    EXPECT_TRUE(acceptsVideoDriver("x11", ""));
    EXPECT_TRUE(acceptsVideoDriver("wayland", "offscreen"));
    EXPECT_TRUE(acceptsVideoDriver("kmsdrm", "x11"));
}

// SDL's own fallback when there is no display must not start an invisible game.
TEST(VideoDriverPolicyTest, DriversThatShowNobodyAreTakenOnlyWhenAskedForByName) {
    EXPECT_FALSE(acceptsVideoDriver("offscreen", ""));
    EXPECT_FALSE(acceptsVideoDriver("dummy", ""));
    EXPECT_FALSE(acceptsVideoDriver("dummy", "offscreen"));
    EXPECT_FALSE(acceptsVideoDriver("offscreen", "x11,wayland"));
    EXPECT_FALSE(acceptsVideoDriver("offscreen", "offscreenx"));
    EXPECT_TRUE(acceptsVideoDriver("offscreen", "offscreen"));
    EXPECT_TRUE(acceptsVideoDriver("dummy", "DUMMY"));
    EXPECT_TRUE(acceptsVideoDriver("offscreen", "x11, offscreen"));
}

} // namespace
