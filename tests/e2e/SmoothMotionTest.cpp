#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;

// The pictures a run wrote, by file name, with their bytes.
using Pictures = std::map<std::string, std::string>;

class SmoothMotion : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "brinefall-smooth-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    // The first seconds of a stage, where the sea scrolls and the ship flies in, written
    // into a folder of their own; the settings are fresh, so smooth motion is on unless a
    // flag says otherwise.
    Pictures run(const std::string& name, const std::string& options) {
        const fs::path frames = folder_ / name;
        const fs::path settings = folder_ / (name + "-settings");
        fs::create_directories(settings);
        const std::string command = "BRINEFALL_SETTINGS_DIR='" + settings.string() + "' '" + BRINEFALL_PROGRAM +
                                    "' --headless --seed 2 --start stage1 --frames 30 --dump-frames '" +
                                    frames.string() + "' " + options + " > /dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        Pictures pictures;
        for (const fs::directory_entry& entry : fs::directory_iterator(frames)) {
            std::ifstream in(entry.path(), std::ios::binary);
            pictures[entry.path().filename().string()] =
                std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return pictures;
    }

private:
    fs::path folder_;
};

}  // namespace

// Off, a display of any rate gets the pictures of old, byte for byte. On, each tick on a
// 60 Hz display gets two more pictures after its own, and the last of them is the picture
// the tick had without them: everything where the tick left it.
TEST_F(SmoothMotion, OffGivesTheOldPicturesAndOnAddsPicturesEndingWhereEachTickLeftThings) {
    const Pictures old = run("old", "");
    const Pictures off = run("off", "--no-smooth --display-rate 60");
    const Pictures on = run("on", "--display-rate 60");
    ASSERT_EQ(old.size(), 30u);
    EXPECT_TRUE(old == off) << "smooth motion off changed the pictures";

    int ticksWithPicturesBetween = 0;
    for (const auto& [name, bytes] : old) {
        const std::string tick = name.substr(0, name.size() - 4);  // without ".png"
        ASSERT_TRUE(on.count(name)) << name;
        const auto last = on.find(tick + "-2.png");
        if (last == on.end()) continue;
        ++ticksWithPicturesBetween;
        EXPECT_TRUE(on.count(tick + "-1.png")) << tick;
        EXPECT_FALSE(on.count(tick + "-3.png")) << tick;
        EXPECT_EQ(last->second, bytes) << tick << "-2.png is not where the tick left everything";
        EXPECT_NE(on.at(name), bytes) << name << " shows no motion towards the tick";
    }
    // Every tick but the first (nothing has slid yet) and the last (the run ends with its
    // own picture) has two pictures after its own.
    EXPECT_EQ(ticksWithPicturesBetween, 28);
    EXPECT_EQ(on.size(), 30u + 2 * 28u);
}
