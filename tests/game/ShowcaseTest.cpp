#include "Entry.h"
#include "ErrorGeneric.h"
#include "Showcase.h"
#include "ShowcaseKit.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using tidewell::platform::headless::HeadlessPlatform;

namespace {

const std::filesystem::path kDataDir = BRINEFALL_DATA_DIR;

// Each showcase run headless from the baked data folder, as `brinefall --headless
// --demo-sprites NAME --seed 5 --frames N` would, keeping the last frame shown.
class ShowcaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kDataDir / "pufflo.twi") || !std::filesystem::exists(kDataDir / "arial20_1.twf")) {
            GTEST_SKIP() << "the baked pictures are not in " << kDataDir << " (build the assets target first)";
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-showcase-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        settings = pattern;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(kDataDir);
    }

    void TearDown() override {
        if (!previous.empty()) std::filesystem::current_path(previous);
        if (!settings.empty()) std::filesystem::remove_all(settings);
    }

    std::vector<std::uint32_t> lastFrameOf(const std::string& name, std::uint64_t frames) {
        auto made = std::make_unique<HeadlessPlatform>(tidewell::platform::PlatformOptions{settings});
        HeadlessPlatform* machine = made.get();
        tidewell::platform::install(std::move(made));
        brinefall::LaunchOptions options;
        options.headless = true;
        options.frames = frames;
        options.seed = 5;
        const int status = brinefall::playOnInstalledPlatform(options, [&] { return brinefall::makeShowcaseRoot(name); });
        EXPECT_EQ(status, 0) << name;
        EXPECT_EQ(machine->window().framesPresented(), static_cast<long>(frames)) << name;
        std::vector<std::uint32_t> frame = machine->window().lastFrame();
        tidewell::platform::install(nullptr);
        return frame;
    }

    static std::size_t distinctColours(const std::vector<std::uint32_t>& frame) {
        return std::set<std::uint32_t>(frame.begin(), frame.end()).size();
    }

    std::filesystem::path settings;
    std::filesystem::path previous;
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
