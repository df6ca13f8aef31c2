#include <gtest/gtest-spi.h>

#include <functional>
#include <string>
#include <vector>

#include "core/Engine.h"
#include "core/ErrorGeneric.h"
#include "GameFixture.h"
#include "core/MainLoop.h"
#include "sound/Music.h"
#include "core/Random.h"
#include "display/Shape.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace tidewell;

namespace {

// A root that notes every input it is given, with the frame it came in, and may do
// something of its own in a given frame.
class Recorder : public Sprite {
public:
    explicit Recorder(std::vector<std::string>& log) : log_(log) {
        keyboardEnabled = mouseEnabled = joystickEnabled = true;
    }
    void update() override {
        ++frame_;
        if (onFrame) onFrame(frame_);
    }
    void keyDown(int key) override { note("key down " + std::to_string(key)); }
    void keyUp(int key) override { note("key up " + std::to_string(key)); }
    void onMouseDown(int x, int y, int button, bool) override {
        note("mouse down " + std::to_string(button) + " at " + std::to_string(x) + "," + std::to_string(y));
    }
    void joystickDown(int button, int joystick) override {
        note("joystick " + std::to_string(joystick) + " down " + std::to_string(button));
    }

    std::function<void(int frame)> onFrame;

private:
    // Input is dispatched before the update, so it belongs to the frame about to update.
    void note(const std::string& what) { log_.push_back(std::to_string(frame_ + 1) + ": " + what); }
    std::vector<std::string>& log_;
    int frame_ = 0;
};

}  // namespace

class GameFixtureTest : public brinefall::testing::GameFixture {
protected:
    Recorder* startWithRecorder() {
        startEngine();
        auto* recorder = new Recorder(log);
        setRoot(recorder);
        return recorder;
    }
    std::vector<std::string> log;
};

TEST_F(GameFixtureTest, StepsRunWholeFramesThroughTheMainLoopAndPresentThem) {
    Recorder* root = startWithRecorder();
    auto* box = new Shape();
    box->setRectangle(0, 0, 100, 50);
    box->setRGB(0x20, 0x40, 0x80);
    root->addChild(box);
    std::vector<int> frames;
    root->onFrame = [&frames](int frame) { frames.push_back(frame); };
    step(3);
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(framesRun(), 3u);
    EXPECT_EQ(machine().window().framesPresented(), 3);
    EXPECT_EQ(machine().system().milliseconds(), 3 * frameMilliseconds);
    const std::vector<std::uint32_t> frame = lastFrame();
    ASSERT_EQ(frame.size(), 800u * 600u);
    EXPECT_EQ(frame[10 * 800 + 10], 0xFF204080u);   // inside the box
    EXPECT_EQ(frame[10 * 800 + 100] >> 24, 0xFFu);  // every pixel opaque
    EXPECT_NE(frame[10 * 800 + 150], 0xFF204080u);  // beside it

    const std::filesystem::path png = settingsFolder() / "frame.png";
    saveFrame(png.string());
    EXPECT_GT(std::filesystem::file_size(png), 100u);

    box->remove();  // a removal between steps is swept by the next frame
    EXPECT_EQ(childrenOf(root).size(), 1u);
    step();
    EXPECT_TRUE(childrenOf(root).empty());
}

TEST_F(GameFixtureTest, ScriptedInputReachesTheTreeInTheFollowingFrame) {
    attachJoystick();
    attachJoystick(true);
    startWithRecorder();
    keyPress(0x39);
    step();
    mouseTo(300, 200);
    mouseDown(0);
    keyDown(0xC8);
    step();
    joystickPress(1, 3);
    keyUp(0xC8);
    mouseUp(0);
    step();
    // Within a frame the devices' data come in the order they were given.
    EXPECT_EQ(log, (std::vector<std::string>{"1: key down 57", "1: key up 57", "2: mouse down 0 at 300,200",
                                             "2: key down 200", "3: joystick 1 down 3", "3: key up 200"}));
    EXPECT_EQ(machine().input().joystickCount(), 2u);
    EXPECT_TRUE(machine().input().joystick(1).forceFeedback);

    detachJoystick(0);  // a pulled cable: the game goes on without it
    joystickPress(0, 1);
    step(2);
    EXPECT_EQ(framesRun(), 5u);
    EXPECT_EQ(log.size(), 6u);
}

TEST_F(GameFixtureTest, AudioEventsTellEachFileItsVolumeAndItsFrame) {
    Recorder* root = startWithRecorder();
    Sound* hit = SoundMusicManager::getSound("hit.tws", true);
    Music* stage = SoundMusicManager::getMusic("stage1.tws", 0, true);
    ASSERT_NE(hit, nullptr);
    ASSERT_NE(stage, nullptr);
    root->onFrame = [&](int frame) {
        if (frame == 2) hit->play(true);
        if (frame == 3) {
            stage->play(true);
            stage->setVolume(0.5f);
        }
        if (frame == 4) stage->stop();
    };
    step(4);
    using Event = AudioEvent;
    const std::vector<Event>& events = audioEvents();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, Event::SoundPlay);
    EXPECT_EQ(events[0].file, "hit.tws");
    EXPECT_EQ(events[0].frame, 2u);
    EXPECT_EQ(events[1].kind, Event::MusicPlay);
    EXPECT_EQ(events[2].kind, Event::MusicVolume);
    EXPECT_FLOAT_EQ(events[2].volume, 0.5f);
    EXPECT_EQ(events[3].kind, Event::MusicStop);
    EXPECT_EQ(events[3].frame, 4u);
    EXPECT_TRUE(played("HIT.tws"));
    EXPECT_TRUE(played("stage1.tws"));
    EXPECT_FALSE(played("explode.tws"));
    clearAudioEvents();
    EXPECT_FALSE(played("hit.tws"));
    SoundMusicManager::releaseSound(hit);
    SoundMusicManager::releaseMusic(stage);
}

TEST_F(GameFixtureTest, AnEngineErrorFailsTheTestWithItsMessageAndShowsNoDialog) {
    Recorder* root = startWithRecorder();
    root->onFrame = [](int frame) {
        if (frame == 2) throw ErrorGeneric("gameengine\\Game Engine\\Texture", 7, 3);
    };
    EXPECT_NONFATAL_FAILURE(step(5), "ErrorGeneric: Module: Texture\nCode: 7:3");
    EXPECT_TRUE(stepFailed());
    EXPECT_EQ(framesRun(), 1u);  // no frame runs after the failing one
    EXPECT_TRUE(dialogs().empty());
    step();
    EXPECT_EQ(framesRun(), 1u);
}

TEST_F(GameFixtureTest, TearDownStopsTheEngineAndPutsEverythingBack) {
    const std::filesystem::path before = std::filesystem::current_path();
    startWithRecorder();
    SoundMusicManager::setSoundVolume(0.25f);
    MainLoop::setFrameLimit(2);
    step(2);
    EXPECT_NE(std::filesystem::current_path(), before);  // the engine runs in the data folder
    TearDown();
    EXPECT_FALSE(isEngineStarted());
    EXPECT_EQ(getRootSprite(), nullptr);
    EXPECT_FALSE(platform::isInstalled());
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(SoundMusicManager::soundVolume, 1.0f);

    startEngine(7);  // and the next start is a fresh one
    setRoot(new Sprite());
    step(3);
    EXPECT_EQ(framesRun(), 3u);
}

TEST_F(GameFixtureTest, TheSeedDecidesTheEnginesRandomNumbersSoARunRepeats) {
    const auto run = [this](std::uint32_t seed) {
        startEngine(seed);
        auto* root = new Recorder(log);
        setRoot(root);
        root->onFrame = [root](int) {
            auto* dot = new Shape();
            dot->setRectangle(0, 0, 8, 8);
            dot->setPosition(static_cast<float>(Random::choose(790)), static_cast<float>(Random::choose(590)));
            root->addChild(dot);
        };
        step(6);
        std::vector<std::uint32_t> frame = lastFrame();
        TearDown();
        return frame;
    };
    const std::vector<std::uint32_t> first = run(3);
    EXPECT_EQ(run(3), first);
    EXPECT_NE(run(4), first);
}
