#include "CoreTestSupport.h"

#include "core/Engine.h"
#include "input/InputManager.h"
#include "core/MainLoop.h"
#include "display/Sprite.h"
#include "core/WindowManager.h"

#include <functional>
#include <vector>

using namespace tidewell;
using tidewell::platform::WindowEventKind;

namespace {

// A root that notes the virtual time at which each frame's update ran and may do
// something of its own at a given frame.
class FrameRecorder : public Sprite {
public:
    FrameRecorder(platform::headless::HeadlessPlatform& machine, std::vector<std::uint32_t>& starts)
        : machine_(machine), starts_(starts) {}

    void update() override {
        starts_.push_back(machine_.system().milliseconds());
        if (onFrame) {
            onFrame(starts_.size());
        }
    }

    std::function<void(std::size_t frame)> onFrame;

private:
    platform::headless::HeadlessPlatform& machine_;
    std::vector<std::uint32_t>& starts_;
};

InputManager::InputEvent keyDown(int key) {
    InputManager::InputEvent event;
    event.kind = InputManager::InputEvent::KeyDown;
    event.key = key;
    return event;
}

} // namespace

class MainLoopTest : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        MainLoop::reset();
        startEngine();
        recorder = new FrameRecorder(*machine, starts);
        setRootSprite(recorder);
    }

    void TearDown() override {
        stopEngine();
        MainLoop::setFrameLimit(std::nullopt);
        HeadlessFixture::TearDown();
    }

    void runFrames(std::uint64_t count) {
        MainLoop::setFrameLimit(count);
        MainLoop::run();
    }

    std::vector<std::uint32_t> starts;
    FrameRecorder* recorder = nullptr;
};

TEST_F(MainLoopTest, FramesStartEveryFiftyMillisecondsWhateverTheirOwnLength) {
    recorder->onFrame = [this](std::size_t) { machine->system().advanceClock(30); };
    runFrames(4);
    EXPECT_EQ(starts, (std::vector<std::uint32_t>{50, 100, 150, 200}));
    EXPECT_EQ(MainLoop::framesRun(), 4u);
}

TEST_F(MainLoopTest, SlowFrameIsFollowedAtOnceWithoutSkippingOrDoubling) {
    recorder->onFrame = [this](std::size_t frame) {
        if (frame == 3) {
            machine->system().advanceClock(120);
        }
    };
    runFrames(6);
    EXPECT_EQ(starts, (std::vector<std::uint32_t>{50, 100, 150, 270, 320, 370}));
}

TEST_F(MainLoopTest, CadenceSurvivesTheClockWrappingAround) {
    machine->system().advanceClock(0xFFFFFFFFu - 60u);
    runFrames(3);
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[1] - starts[0], 50u);
    EXPECT_EQ(starts[2] - starts[1], 50u);
}

TEST_F(MainLoopTest, NoFrameRunsWhileInactive) {
    machine->window().scheduleEvent(120, WindowEventKind::FocusLost);
    machine->window().scheduleEvent(400, WindowEventKind::FocusGained);
    runFrames(4);
    EXPECT_EQ(starts, (std::vector<std::uint32_t>{50, 100, 400, 450}));
}

TEST_F(MainLoopTest, MinimisingPausesAndRestoringResumes) {
    machine->window().scheduleEvent(60, WindowEventKind::Minimised);
    machine->window().scheduleEvent(70, WindowEventKind::FocusGained);  // still minimised: stays inactive
    machine->window().scheduleEvent(300, WindowEventKind::Restored);
    runFrames(3);
    EXPECT_EQ(starts, (std::vector<std::uint32_t>{50, 300, 350}));
}

TEST_F(MainLoopTest, EventsAreServedBeforeADueFrame) {
    // Due at 100, but the close waiting at that moment is handled first: no frame at 100.
    machine->window().scheduleEvent(100, WindowEventKind::Close);
    runFrames(10);
    EXPECT_EQ(starts, (std::vector<std::uint32_t>{50}));
    EXPECT_TRUE(MainLoop::isQuitRequested());
}

TEST_F(MainLoopTest, ReactivationDropsInputQueuedInTheBackground) {
    std::vector<int> keys;
    class KeyRecorder : public Sprite {
    public:
        explicit KeyRecorder(std::vector<int>& keys) : keys_(keys) { keyboardEnabled = true; }
        void keyDown(int key) override { keys_.push_back(key); }

    private:
        std::vector<int>& keys_;
    };
    recorder->keyboardEnabled = true;
    recorder->addChild(new KeyRecorder(keys));
    recorder->onFrame = [](std::size_t frame) {
        if (frame == 1) {
            MainLoop::setActive(false);
            InputManager::queueEvent(keyDown(57));  // pressed while in the background
            MainLoop::setActive(true);
        }
        if (frame == 2) {
            InputManager::queueEvent(keyDown(28));  // pressed in the foreground
        }
    };
    runFrames(3);
    EXPECT_EQ(keys, (std::vector<int>{28}));
}
