#include <functional>
#include <vector>

#include "CoreTestSupport.h"
#include "core/Engine.h"
#include "core/MainLoop.h"
#include "core/WindowManager.h"
#include "display/Image.h"
#include "display/Sprite.h"
#include "graphics/GraphicManager.h"
#include "input/InputManager.h"

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

// A white block that moves by a fixed step every frame.
class Slider : public Image {
public:
    Slider(float x0, float y0, float step) : Image(kWhite, 4, 4), step_(step) { setPosition(x0, y0); }
    void update() override { moveX(step_); }

private:
    static constexpr std::uint32_t kWhite[16] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
                                                 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
                                                 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    float step_;
};

// One presented picture: which tick's, which after it, when, and where the blocks on
// the rows asked for begin (-1 where the row is black).
struct Picture {
    long tick;
    unsigned between;
    std::uint32_t at;
    std::vector<int> left;
    bool operator==(const Picture&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Picture& picture) {
    out << "{tick " << picture.tick << " +" << picture.between << " at " << picture.at << " ms, left";
    for (int x : picture.left) out << ' ' << x;
    return out << '}';
}

int leftOfWhite(const std::vector<std::uint32_t>& frame, int row) {
    for (int x = 0; x < 800; ++x) {
        if ((frame[static_cast<std::size_t>(row * 800 + x)] & 0xFFFFFF) == 0xFFFFFF) return x;
    }
    return -1;
}

InputManager::InputEvent keyDown(int key) {
    InputManager::InputEvent event;
    event.kind = InputManager::InputEvent::KeyDown;
    event.key = key;
    return event;
}

}  // namespace

class MainLoopTest : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        MainLoop::reset();
        MainLoop::setSmoothMotion(true);
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

    // Every picture presented from now on, with the blocks' places on these rows, on black.
    void watchPictures(std::vector<int> rows) {
        GraphicManager::clearBackground = true;
        GraphicManager::clearColour = 0xFF000000;
        machine->window().setPictureListener([this, rows](long tick, unsigned between) {
            Picture picture{tick, between, machine->system().milliseconds(), {}};
            for (int row : rows) picture.left.push_back(leftOfWhite(machine->window().lastFrame(), row));
            pictures.push_back(picture);
        });
    }

    std::vector<Picture> pictures;

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

// The ticks keep their times; between them a 60 Hz display gets two more pictures, each a
// third of a step further, the last showing where the tick left the block. A new block is
// drawn where it is, and a tick where nothing slid has only its own picture.
TEST_F(MainLoopTest, ASpriteAtConstantSpeedIsDrawnAtThreeEvenlySpacedPlacesATickOnASixtyHertzDisplay) {
    machine->window().setDisplayRate(60);
    recorder->addChild(new Slider(100, 10, 9));
    watchPictures({11});
    runFrames(4);
    EXPECT_EQ(starts, (std::vector<std::uint32_t>{50, 100, 150, 200}));
    EXPECT_EQ(pictures, (std::vector<Picture>{{1, 0, 50, {109}},
                                              {2, 0, 100, {112}},
                                              {2, 1, 117, {115}},
                                              {2, 2, 134, {118}},
                                              {3, 0, 150, {121}},
                                              {3, 1, 167, {124}},
                                              {3, 2, 184, {127}},
                                              {4, 0, 200, {130}}}));
}

// A jump farther than anything slides (a recycled background tile) and a sprite added in
// the tick are drawn at their new places in every picture of the tick.
TEST_F(MainLoopTest, AJumpAndANewSpriteAreDrawnWhereTheyAreInEveryPicture) {
    machine->window().setDisplayRate(60);
    recorder->addChild(new Slider(100, 10, 9));
    auto* jumper = new Slider(100, 20, 0);
    recorder->addChild(jumper);
    recorder->onFrame = [this, jumper](std::size_t frame) {
        if (frame == 3) {
            jumper->setX(100 + Sprite::largestSlide + 500);
            recorder->addChild(new Slider(300, 30, 0));
        }
    };
    watchPictures({11, 21, 31});
    runFrames(4);  // a run ends with the last tick's own picture
    ASSERT_EQ(pictures.size(), 8u) << ::testing::PrintToString(pictures);
    EXPECT_EQ(pictures[4], (Picture{3, 0, 150, {121, 728, 300}}));
    EXPECT_EQ(pictures[5], (Picture{3, 1, 167, {124, 728, 300}}));
    EXPECT_EQ(pictures[6], (Picture{3, 2, 184, {127, 728, 300}}));
}

// Off, a window with a fast display still gets one picture a tick, where the tick left everything.
TEST_F(MainLoopTest, WithoutSmoothMotionEachTickHasItsOwnPictureOnly) {
    MainLoop::setSmoothMotion(false);
    machine->window().setDisplayRate(60);
    recorder->addChild(new Slider(100, 10, 9));
    watchPictures({11});
    runFrames(3);
    EXPECT_EQ(starts, (std::vector<std::uint32_t>{50, 100, 150}));
    EXPECT_EQ(pictures, (std::vector<Picture>{{1, 0, 50, {109}}, {2, 0, 100, {118}}, {3, 0, 150, {127}}}));
}

// A loop that comes late draws the latest picture due, and draws it when a picture that
// passed unseen would have shown a change, even if the latest shows none of its own.
TEST_F(MainLoopTest, ALateLoopStillShowsAChangeOfAPictureThatPassedUnseen) {
    machine->window().setDisplayRate(60);
    // 1.5 pixels a tick from 100: the second tick's pictures stand at 100.5, 101 and 101.5.
    recorder->addChild(new Slider(98.5f, 10, 1.5f));
    recorder->onFrame = [this](std::size_t frame) {
        if (frame == 2) machine->system().advanceClock(40);  // both pictures after it are due at once
    };
    watchPictures({11});
    runFrames(3);
    ASSERT_GE(pictures.size(), 3u) << ::testing::PrintToString(pictures);
    EXPECT_EQ(pictures[0], (Picture{1, 0, 50, {100}}));
    EXPECT_EQ(pictures[1], (Picture{2, 0, 140, {100}}));
    EXPECT_EQ(pictures[2], (Picture{2, 2, 140, {101}}));
}
