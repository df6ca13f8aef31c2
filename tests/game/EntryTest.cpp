#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/Engine.h"
#include "Entry.h"
#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"
#include "core/ErrorNoMemory.h"
#include "GameFixture.h"
#include "core/MainLoop.h"
#include "display/Shape.h"
#include "display/Sprite.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace tidewell;
using tidewell::platform::headless::HeadlessPlatform;

namespace {

// What a first start stores after the four switches: full levels and the designed controls.
const std::string kLevelsAndControls =
    "musicLevel=64\nsoundLevel=64\ncontrolKeys=c800d000cb00cd001d003900\npadButtons=0001\n";

// A root that fails with the given error on its first update.
template <typename Failure>
class FailingRoot : public Sprite {
public:
    explicit FailingRoot(Failure failure) : failure_(std::move(failure)) {}
    void update() override { throw failure_; }

private:
    Failure failure_;
};

// A white square that jumps to the right after its first frame.
class JumpingSquare : public Shape {
public:
    JumpingSquare() {
        setRectangle(0, 0, 100, 100);
        setRGB(0xFFFFFF);
    }
    void update() override {
        if (++frames_ == 2) setX(400);
    }

private:
    int frames_ = 0;
};

}  // namespace

// The entry point itself, on the fixture's machine, in the baked data folder as the
// installed game runs.
class EntryTest : public brinefall::testing::GameFixture {
protected:
    void SetUp() override {
        machine();
        enterDataFolder();
        options.headless = true;
        options.frames = 100;
    }

    std::string settings() const {
        std::ifstream in(settingsFolder() / "Tidewell" / "Brinefall" / "settings");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    brinefall::LaunchOptions options;
};

TEST_F(EntryTest, FirstRunStartsWindowedRunsItsFramesAndShutsDown) {
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    EXPECT_EQ(MainLoop::framesRun(), 100u);
    // The scene switcher stores the sound and music defaults it read, after the window's and
    // smooth motion's, then the levels and the controls.
    EXPECT_EQ(settings(), "fullScreen=00\nsmoothMotion=01\nsoundOn=01\nmusicOn=01\n" + kLevelsAndControls);
    EXPECT_TRUE(MainLoop::isSmoothMotion());
    EXPECT_EQ(machine().window().creations(), 1);
    EXPECT_FALSE(machine().window().isFullScreen());
    EXPECT_FALSE(machine().window().isCreated());  // destroyed at shut-down
    EXPECT_EQ(machine().window().title(), "Brinefall");
    EXPECT_FALSE(isEngineStarted());
    EXPECT_EQ(getRootSprite(), nullptr);
    EXPECT_TRUE(machine().dialogs().shown().empty());
}

TEST_F(EntryTest, StoredFullScreenIsUsedAndCommandLineOverridesWithoutWriting) {
    std::filesystem::create_directories(settingsFolder() / "Tidewell" / "Brinefall");
    std::ofstream(settingsFolder() / "Tidewell" / "Brinefall" / "settings") << "fullScreen=01\n";
    options.frames = 1;
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    EXPECT_TRUE(machine().window().isFullScreen());

    options.fullScreen = false;
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    EXPECT_FALSE(machine().window().isFullScreen());
    EXPECT_EQ(settings(), "fullScreen=01\nsmoothMotion=01\nsoundOn=01\nmusicOn=01\n" + kLevelsAndControls);
}

TEST_F(EntryTest, StoredSmoothMotionIsUsedAndEitherFlagOverridesItWithoutWriting) {
    std::filesystem::create_directories(settingsFolder() / "Tidewell" / "Brinefall");
    std::ofstream(settingsFolder() / "Tidewell" / "Brinefall" / "settings") << "smoothMotion=00\n";
    options.frames = 1;
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    EXPECT_FALSE(MainLoop::isSmoothMotion());

    options.smoothMotion = true;
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    EXPECT_TRUE(MainLoop::isSmoothMotion());
    EXPECT_EQ(settings(), "smoothMotion=00\nfullScreen=00\nsoundOn=01\nmusicOn=01\n" + kLevelsAndControls);

    std::ofstream(settingsFolder() / "Tidewell" / "Brinefall" / "settings") << "smoothMotion=01\n";
    options.smoothMotion = false;
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    EXPECT_FALSE(MainLoop::isSmoothMotion());
    EXPECT_EQ(settings(), "smoothMotion=01\nfullScreen=00\nsoundOn=01\nmusicOn=01\n" + kLevelsAndControls);
}

TEST_F(EntryTest, EachErrorKindEndsInItsDialogAfterShutDown) {
    const auto run = [this](const brinefall::RootFactory& factory) {
        EXPECT_EQ(brinefall::playOnInstalledPlatform(options, factory), 1);
        EXPECT_FALSE(isEngineStarted());
        EXPECT_FALSE(machine().window().isCreated());
        return machine().dialogs().shown().back();
    };
    auto shown = run([] { return new FailingRoot<ErrorFile>(ErrorFile("company.tws", false)); });
    EXPECT_EQ(shown.title, "File Error");
    EXPECT_NE(shown.text.find("The following file is not found or cannot be opened:\ncompany.tws"), std::string::npos);

    shown = run([] { return new FailingRoot<ErrorGeneric>(ErrorGeneric("gameengine\\Game Engine\\Texture", 7, 3)); });
    EXPECT_EQ(shown.title, "Generic Error");
    EXPECT_NE(shown.text.find("Module: Texture\nCode: 7:3"), std::string::npos);

    shown = run([] { return new FailingRoot<ErrorNoMemory>(ErrorNoMemory()); });
    EXPECT_EQ(shown.title, "Memory Error");

    shown = run([] { return new FailingRoot<int>(42); });
    EXPECT_EQ(shown.title, "Unexpected Error");

    shown = run([]() -> Sprite* { throw std::bad_alloc(); });
    EXPECT_EQ(shown.title, "Memory Error");
    EXPECT_EQ(machine().dialogs().shown().size(), 5u);
}

TEST_F(EntryTest, WindowThatCannotBeCreatedIsReportedAndNothingStaysOpen) {
    machine().window().failCreation(true);
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 1);
    ASSERT_EQ(machine().dialogs().shown().size(), 1u);
    EXPECT_EQ(machine().dialogs().shown()[0].title, "Generic Error");
    EXPECT_NE(machine().dialogs().shown()[0].text.find("Module: WindowManager\nCode: 213:0"), std::string::npos);
    EXPECT_FALSE(isEngineStarted());
}

TEST_F(EntryTest, MissingGraphicsOrInputGivesOnlyThePlatformDialog) {
    machine().system().failCheck(true, false, false);
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 1);
    ASSERT_EQ(machine().dialogs().shown().size(), 1u);
    EXPECT_EQ(machine().dialogs().shown()[0].buttons, platform::DialogButtons::YesNo);
    EXPECT_NE(machine().dialogs().shown()[0].text.find("SDL 2"), std::string::npos);
    EXPECT_EQ(machine().window().creations(), 0);  // reported before any window opened

    machine().system().failCheck(false, false, true);
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 1);
    EXPECT_EQ(machine().dialogs().shown().size(), 2u);
}

TEST_F(EntryTest, NoSoundStillPlays) {
    machine().system().failCheck(false, true, false);
    options.frames = 3;
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    EXPECT_TRUE(machine().dialogs().shown().empty());
}

TEST_F(EntryTest, HardwareNeedsACardSoftwareNeverUsesOneAndNeitherChoosesByTheCard) {
    options.frames = 3;
    options.hardware = true;  // --hardware on a machine without a card
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 1);
    ASSERT_EQ(machine().dialogs().shown().size(), 1u);
    EXPECT_NE(machine().dialogs().shown()[0].text.find("SDL 2"), std::string::npos);
    EXPECT_FALSE(machine().window().isCreated());

    platform::GpuCapabilities card;
    card.maxTextureWidth = card.maxTextureHeight = 2048;
    card.textureFormats = {{16, 0x0F00, 0x00F0, 0x000F, 0xF000}};
    machine().window().offerGpu(card);
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    EXPECT_EQ(machine().window().framesPresented(), 0);  // every frame went through the card
    EXPECT_EQ(machine().window().gpu(), nullptr);        // and the card was given back at the end

    options.hardware = false;  // --software, though a card is there
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    EXPECT_EQ(machine().window().framesPresented(), 3);

    options.hardware.reset();  // neither: the card when there is one
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    EXPECT_EQ(machine().window().framesPresented(), 3);
}

TEST_F(EntryTest, TheFixtureRunsTheGameAsTheEntryPointDoes) {
    options.frames = 30;
    options.seed = 9;
    ASSERT_EQ(brinefall::playOnInstalledPlatform(options, brinefall::makeGameRoot), 0);
    std::vector<std::uint32_t> byEntry = machine().window().lastFrame();
    ASSERT_EQ(byEntry.size(), 800u * 600u);
    for (std::uint32_t& pixel : byEntry) pixel |= 0xFF000000u;

    startEngine(9);
    setRoot(brinefall::makeGameRoot());
    step(30);
    EXPECT_EQ(lastFrame(), byEntry);
    EXPECT_TRUE(dialogs().empty());
}

TEST_F(EntryTest, EveryFrameStartsFromBlackSoNothingTrailsBehindWhatMoves) {
    options.frames = 3;
    EXPECT_EQ(brinefall::playOnInstalledPlatform(options, [] { return new JumpingSquare; }), 0);
    const std::vector<std::uint32_t> frame = machine().window().lastFrame();
    ASSERT_EQ(frame.size(), 800u * 600u);
    EXPECT_EQ(frame[50 * 800 + 50] & 0xFFFFFF, 0u) << "the square's first place still shows";
    EXPECT_EQ(frame[50 * 800 + 450] & 0xFFFFFF, 0xFFFFFFu);
}
