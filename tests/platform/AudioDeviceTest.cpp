#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace tidewell::platform;

namespace {

constexpr WaveFormat kOutput{1, 22050, 16};

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

class HeadlessAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-audio-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        directory = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    std::filesystem::path directory;
};

TEST_F(HeadlessAudioTest, EachFrameStepMixesAFrameOfOutputCarryingTheFraction) {
    headless::HeadlessPlatform machine(PlatformOptions{directory});
    auto& audio = machine.audio();
    audio.keepMixed(true);
    audio.frameStep();
    EXPECT_TRUE(audio.takeMixed().empty());  // nothing is mixed before the output opens
    ASSERT_EQ(audio.open(kOutput), AudioResult::Ok);
    std::vector<std::size_t> sizes;
    for (int step = 0; step < 20; ++step) {
        audio.frameStep();
        sizes.push_back(audio.takeMixed().size());
    }
    EXPECT_EQ(sizes[0], 1102u);
    EXPECT_EQ(sizes[1], 1103u);
    std::size_t second = 0;
    for (std::size_t size : sizes) second += size;
    EXPECT_EQ(second, 22050u);
    audio.close();
    audio.frameStep();
    EXPECT_TRUE(audio.takeMixed().empty());
}

TEST_F(HeadlessAudioTest, MachineWithoutSoundOpensNoOutput) {
    headless::HeadlessPlatform machine(PlatformOptions{directory});
    EXPECT_EQ(machine.audio().open(WaveFormat{1, 22050, 8}), AudioResult::BadFormat);
    machine.system().failCheck(false, true, false);
    EXPECT_FALSE(machine.system().checkAudio());
    EXPECT_EQ(machine.audio().open(kOutput), AudioResult::NoDevice);
    EXPECT_FALSE(machine.audio().isOpen());
}

TEST_F(HeadlessAudioTest, DumpIsAWaveFileOfExactlyWhatWasMixed) {
    PlatformOptions options{directory};
    options.dumpAudioFile = directory / "run.wav";
    std::string whyNot;
    auto machine = createPlatform("headless", options, whyNot);
    ASSERT_NE(machine, nullptr) << whyNot;
    auto& audio = static_cast<headless::HeadlessAudioDevice&>(machine->audio());
    audio.keepMixed(true);
    ASSERT_EQ(audio.open(kOutput), AudioResult::Ok);
    AudioResult result;
    auto tone = audio.createBuffer(kOutput, 4000, result);
    LockedRegion region;
    tone->lock(0, 4000, region);
    for (std::uint32_t i = 0; i < region.firstBytes; ++i) region.first[i] = static_cast<std::uint8_t>(i * 7);
    tone->unlock(region);
    tone->play(true);
    for (int step = 0; step < 3; ++step) audio.frameStep();
    const std::vector<std::int16_t> mixed = audio.takeMixed();

    // Whole after every step, without waiting for the program to end.
    const std::vector<std::uint8_t> file = readFile(options.dumpAudioFile);
    ASSERT_EQ(file.size(), 44 + mixed.size() * 2);
    EXPECT_EQ(std::memcmp(file.data(), "RIFF", 4), 0);
    EXPECT_EQ(le32(file, 4), file.size() - 8);
    EXPECT_EQ(std::memcmp(file.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(le32(file, 20), 0x00010001u);  // PCM, one channel
    EXPECT_EQ(le32(file, 24), 22050u);
    EXPECT_EQ(le32(file, 28), 44100u);
    EXPECT_EQ(le32(file, 32), 0x00100002u);  // 2-byte frames of 16 bits
    EXPECT_EQ(std::memcmp(file.data() + 36, "data", 4), 0);
    EXPECT_EQ(le32(file, 40), mixed.size() * 2);
    EXPECT_EQ(std::memcmp(file.data() + 44, mixed.data(), mixed.size() * 2), 0);
}

TEST_F(HeadlessAudioTest, UnwritableDumpStopsTheBackendWithTheReason) {
    PlatformOptions options{directory};
    options.dumpAudioFile = directory / "no-such-folder" / "run.wav";
    std::string whyNot;
    EXPECT_EQ(createPlatform("headless", options, whyNot), nullptr);
    EXPECT_NE(whyNot.find("no-such-folder/run.wav"), std::string::npos) << whyNot;
}

}  // namespace

namespace {

// The SDL device on SDL's own stand-in drivers: one that plays into nothing, and one
// that does not exist, as on a machine without a sound card.
TEST(SdlAudio, OpensOnAWorkingDriverAndReportsNoDeviceOtherwise) {
    std::string whyNot;
    auto machine = createPlatform("sdl", {}, whyNot);
    ASSERT_NE(machine, nullptr) << whyNot;
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(machine->audio().open(kOutput), AudioResult::Ok);
    AudioResult result;
    auto buffer = machine->audio().createBuffer(kOutput, 44100, result);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->play(true), AudioResult::Ok);
    machine->audio().frameStep();
    machine->audio().close();
    EXPECT_FALSE(machine->audio().isOpen());

    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(machine->audio().open(kOutput), AudioResult::NoDevice);
    ::unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
