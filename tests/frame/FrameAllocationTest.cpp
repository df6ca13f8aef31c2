// A frame of play costs the engine no allocation once the game has settled. Stage 1 of the
// game (an invincible ship, so the play goes on) runs through the real main loop for a
// thousand frames, with keys, the mouse and a joystick busy, while every operator new of
// the process is counted. What the game's own update does (the ship fires, enemies come,
// explode and drop awards, popups rise, and each new actor is new memory) is counted apart
// from the engine's frame: the music streams, input gathering and dispatch, the sweep, the
// drawing and the present.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "GameFixture.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"

namespace {

bool counting = false;
bool inGameUpdate = false;
std::uint64_t engineAllocations = 0;
std::uint64_t gameAllocations = 0;

// Apart, so that a debugger can stop at each allocation of the engine's frame.
[[gnu::noinline]] void countEngineAllocation() { ++engineAllocations; }

void* allocate(std::size_t size) {
    if (counting) {
        if (inGameUpdate) {
            ++gameAllocations;
        } else {
            countEngineAllocation();
        }
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

}  // namespace

// Every new of the test program comes here (new[] and the nothrow forms go through it too).
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

constexpr int kSettlingFrames = 100;
constexpr int kCountedFrames = 1000;

// The root: the scene's update runs between this sprite's own update and that of its
// last child, so the allocations in between are the scene's.
class UpdateMarker : public tidewell::Sprite {
public:
    explicit UpdateMarker(bool opens) : opens_(opens) {}
    void update() override { inGameUpdate = opens_; }

private:
    bool opens_;
};

tidewell::Sprite* rootAround(tidewell::Sprite* scene) {
    auto* root = new UpdateMarker(true);
    root->addChild(scene);
    root->addChild(new UpdateMarker(false));
    return root;
}

class FrameAllocationTest : public brinefall::testing::GameFixture {
protected:
    // One frame with some input on every device, the same pattern every 8 frames.
    void stepWithInput(int frame) {
        switch (frame % 8) {
            case 0:
                keyDown(0x1D);  // Left Ctrl, the fire key
                break;
            case 2:
                mouseMove(3, -2);
                break;
            case 4:
                joystickMove(0, frame % 16 == 4 ? 600 : -600, 300);
                joystickPress(0, 1);
                break;
            case 6:
                keyUp(0x1D);
                mouseClick(0);
                break;
            default:
                break;
        }
        step();
    }
};

TEST_F(FrameAllocationTest, AThousandFramesOfStageOneCostTheEngineNoAllocation) {
    attachJoystick(true);
    startEngine(1);
    setRoot(rootAround(new brinefall::GameScene(false, true, false)));
    // The first frames size every buffer that is kept, with the same input as later.
    for (int frame = 0; frame < kSettlingFrames; ++frame) stepWithInput(frame);
    counting = true;
    for (int frame = kSettlingFrames; frame < kSettlingFrames + kCountedFrames; ++frame) stepWithInput(frame);
    counting = false;
    std::printf(
        "frames %d to %d of stage 1: %llu allocations in the engine's frame, %llu in the game's "
        "update\n",
        kSettlingFrames + 1, kSettlingFrames + kCountedFrames, static_cast<unsigned long long>(engineAllocations),
        static_cast<unsigned long long>(gameAllocations));
    EXPECT_EQ(engineAllocations, 0u);
    EXPECT_GT(gameAllocations, 0u) << "the game's own actors were not counted: the split by phase is broken";
    EXPECT_EQ(framesRun(), static_cast<std::uint64_t>(kSettlingFrames + kCountedFrames));
    EXPECT_TRUE(dialogs().empty());
}

// A shape set anew each frame (a moving beam, a hit box that follows its actor) keeps the
// storage of its points.
TEST(ShapeAllocationTest, SettingAShapeAgainWithNoMorePointsAllocatesNothing) {
    tidewell::Shape shape;
    const float xs[] = {0, 10, 20, 5};
    const float ys[] = {0, 5, 20, 10};
    shape.setPolygon(xs, ys, 4);
    engineAllocations = 0;
    counting = true;
    for (int frame = 0; frame < 100; ++frame) {
        shape.setRectangle(0, 0, 10.0f + static_cast<float>(frame), 10);
        shape.setLine(0, 0, 50, static_cast<float>(frame), 3);
        shape.setLine(0, 0, 50, static_cast<float>(frame), 1);
        shape.setPolygon(xs, ys, 3);
    }
    counting = false;
    EXPECT_EQ(engineAllocations, 0u);
    EXPECT_EQ(shape.getPointCount(), 3);
}

}  // namespace
