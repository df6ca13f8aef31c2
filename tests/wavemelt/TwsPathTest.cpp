#include <gtest/gtest.h>

#include "TwsPath.h"

namespace wavemelt {
namespace {

TEST(TwsPathTest, ReplacesEverythingFromTheLastDotOfTheFileName) {
    EXPECT_EQ(twsPathFor("music/stage1.ogg"), "music/stage1.tws");
    EXPECT_EQ(twsPathFor("a.b.ogg"), "a.b.tws");
    EXPECT_EQ(twsPathFor("sound."), "sound.tws");
}

TEST(TwsPathTest, FileNameWithoutDotGetsTheExtensionAppended) {
    EXPECT_EQ(twsPathFor("explosion"), "explosion.tws");
    EXPECT_EQ(twsPathFor("sounds.v2/explosion"), "sounds.v2/explosion.tws");
    EXPECT_EQ(twsPathFor("../explosion"), "../explosion.tws");
}

TEST(TwsPathTest, PathsAreLimitedBeforeAndAfterTheReplacement) {
    const std::string stem253(253, 's');
    EXPECT_EQ(twsPathFor(std::string(251, 's') + ".ogg"), std::string(251, 's') + ".tws");
    EXPECT_EQ(twsPathFor(std::string(252, 's') + ".ogg"), std::nullopt) << "256 characters before";
    EXPECT_EQ(twsPathFor(stem253 + ".o"), std::nullopt) << "255 before, 257 after";
    EXPECT_EQ(twsPathFor(std::string(251, 's')), std::string(251, 's') + ".tws");
    EXPECT_EQ(twsPathFor(std::string(252, 's')), std::nullopt) << "256 after appending";
}

}  // namespace
}  // namespace wavemelt
