#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "MilestoneLog.h"

using brinefall::testing::findMilestone;
using brinefall::testing::Milestone;
using brinefall::testing::ProgramRun;
using brinefall::testing::runProgram;

namespace {

namespace fs = std::filesystem;

std::string story(const ProgramRun& run) {
    std::ostringstream text;
    for (const Milestone& m : run.milestones) text << "frame " << m.frame << ": " << m.word << ' ' << m.details << '\n';
    return text.str();
}

std::string contentsOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class DemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("brinefall-demo-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        // Past the logo and the opening, the pointer left on Start, then not a touch until the
        // Enter of frame 900, which at the title would start a game.
        std::ofstream(folder / "idle.txt") << "2 key press Space\n4 key press Space\n10 mouse to 400 380\n"
                                              "900 key press Enter\n";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // The run's story, with the picture of frame 880, in the demo, kept as shot<seed>.
    ProgramRun play(int seed) {
        const fs::path frames = folder / ("frames" + std::to_string(seed));
        fs::create_directories(frames);
        ProgramRun run = runProgram("--headless --milestones --seed " + std::to_string(seed) + " --frames 1000 --input " +
                                    (folder / "idle.txt").string() + " --dump-frames " + frames.string() +
                                    " --dump-every 880");
        fs::rename(frames / "frame-000880.png", folder / ("shot" + std::to_string(seed)));
        return run;
    }

    fs::path folder;
};

// Thirty seconds after the last touch the title fades to the first stage played by itself;
// a key brings the title back in that very frame, and the key starts nothing there. The
// demo is the same whatever the run's seed.
TEST_F(DemoTest, TheIdleTitleShowsTheDemoUntilAKeyBringsItBackWithNothingStarted) {
    const ProgramRun run = play(5);
    ASSERT_EQ(run.exitStatus, 0) << story(run);
    const int title = findMilestone(run.milestones, 0, "scene", "title");
    const int demo = findMilestone(run.milestones, title, "scene", "demo");
    ASSERT_GE(title, 0) << story(run);
    ASSERT_EQ(demo, title + 1) << story(run);
    const Milestone& demoStart = run.milestones[static_cast<std::size_t>(demo)];
    // 600 frames without input from the mouse move of frame 10, then the fade of 21.
    EXPECT_GE(demoStart.frame, 10u + 600u) << story(run);
    EXPECT_LE(demoStart.frame, 10u + 600u + 25u) << story(run);
    EXPECT_EQ(run.milestones[static_cast<std::size_t>(demo) + 1].details.rfind("1 wave 0", 0), 0u) << story(run);

    const int back = findMilestone(run.milestones, demo, "scene", "title");
    ASSERT_GE(back, 0) << story(run);
    EXPECT_EQ(run.milestones[static_cast<std::size_t>(back)].frame, 900u) << story(run);
    EXPECT_EQ(findMilestone(run.milestones, 0, "scene", "game"), -1) << "the key started a game: " << story(run);
    EXPECT_EQ(findMilestone(run.milestones, 0, "ship-down"), -1) << story(run);
    EXPECT_EQ(run.milestones.back().word + " " + run.milestones.back().details, "end status 0");

    const ProgramRun other = play(6);
    ASSERT_EQ(other.exitStatus, 0) << story(other);
    const std::string shot = contentsOf(folder / "shot5");
    ASSERT_FALSE(shot.empty());
    EXPECT_TRUE(shot == contentsOf(folder / "shot6")) << "the demo played differently with another seed";
}

}  // namespace
