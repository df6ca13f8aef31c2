#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Entry.h"
#include "ErrorGeneric.h"
#include "GameFixture.h"
#include "Showcase.h"
#include "ShowcaseKit.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

// Each showcase run headless from the baked data folder, as `brinefall --headless
// --demo-sprites NAME --seed 5 --frames N` would, keeping the last frame shown.
class ShowcaseTest : public brinefall::testing::GameFixture {
protected:
    std::vector<std::uint32_t> lastFrameOf(const std::string& name, int frames) {
        startEngine(5);
        setRoot(brinefall::makeShowcaseRoot(name));
        step(frames);
        EXPECT_EQ(machine().window().framesPresented(), frames) << name;
        EXPECT_TRUE(dialogs().empty()) << name;
        std::vector<std::uint32_t> frame = lastFrame();
        TearDown();
        return frame;
    }

    static std::size_t distinctColours(const std::vector<std::uint32_t>& frame) {
        return std::set<std::uint32_t>(frame.begin(), frame.end()).size();
    }
};

TEST_F(ShowcaseTest, EveryShowcaseDrawsAFullPictureThatMovesAndComesOutTheSameEachRun) {
    for (const std::string& name : brinefall::showcaseNames()) {
        SCOPED_TRACE(name);
        const std::vector<std::uint32_t> first = lastFrameOf(name, 12);
        ASSERT_EQ(first.size(), 800u * 600u);
        // A blank or nearly blank screen has a handful of colours; a drawn scene has hundreds.
        EXPECT_GT(distinctColours(first), 200u);
        EXPECT_EQ(lastFrameOf(name, 12), first) << "two runs with the same seed differ";
        EXPECT_NE(lastFrameOf(name, 24), first) << "nothing moved in 12 frames";
    }
}

TEST_F(ShowcaseTest, TheShowcasesTogetherShowEveryPictureOfTheManifest) {
    for (const std::string& name : brinefall::showcaseNames()) lastFrameOf(name, 1);
    // The opening's moments are reached by playing its story, so run it past them all.
    lastFrameOf("opening", 200);
    std::ifstream manifest(std::string(BRINEFALL_ASSETS_DIR) + "/manifest");
    ASSERT_TRUE(manifest.good());
    const std::set<std::string>& shown = brinefall::ShowcaseKit::picturesShown();
    std::string line;
    int pictures = 0;
    while (std::getline(manifest, line)) {
        std::istringstream words(line);
        std::string file, kind;
        if (!(words >> file >> kind) || file[0] == '#' || kind != "image") continue;
        ++pictures;
        EXPECT_TRUE(shown.count(file)) << file << " is in no showcase";
    }
    EXPECT_GT(pictures, 70);
}

TEST_F(ShowcaseTest, AnUnknownNameIsRefused) {
    EXPECT_FALSE(brinefall::isShowcaseName("stage3"));
    EXPECT_EQ(brinefall::makeShowcaseScene("stage3"), nullptr);
    EXPECT_THROW(brinefall::makeShowcaseRoot("stage3"), tidewell::ErrorGeneric);
}

}  // namespace
