// What reading the input costs a frame: gather and dispatch with the keyboard's, the mouse's
// and two joysticks' buffers full (16, 16, 64 and 64 data), delivered to a tree of sprites
// that all take input, against the same frame with nothing to read. A frame lasts 50 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "core/Engine.h"
#include "input/InputManager.h"
#include "core/MainLoop.h"
#include "display/Sprite.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace tidewell;

namespace {

// A scene of 200 sprites that all listen, as a busy title screen or game would.
class ListeningScene : public Sprite {
public:
    ListeningScene() {
        keyboardEnabled = mouseEnabled = joystickEnabled = true;
        for (int index = 0; index < 200; ++index) {
            auto* child = new Listener();
            child->setPosition(static_cast<float>(index * 4), 10.0f);
            addChild(child);
        }
    }

private:
    class Listener : public Sprite {
    public:
        Listener() { keyboardEnabled = mouseEnabled = joystickEnabled = true; }
        void onKeyDown(int key, bool) override { benchmark::DoNotOptimize(key); }
        void onMouseMove(int x, int y, bool) override { benchmark::DoNotOptimize(x + y); }
        void onJoystickDown(int button, int joystick, bool) override { benchmark::DoNotOptimize(button + joystick); }
    };
};

class Engine {
public:
    Engine() {
        platform::install(std::make_unique<platform::headless::HeadlessPlatform>(platform::PlatformOptions{}));
        machine().input().attachJoystick("first", false);
        machine().input().attachJoystick("second", false);
        MainLoop::reset();
        startEngine();
        setRootSprite(new ListeningScene());
    }
    ~Engine() {
        stopEngine();
        platform::install(nullptr);
    }
    platform::headless::HeadlessPlatform& machine() {
        return static_cast<platform::headless::HeadlessPlatform&>(platform::current());
    }
};

// Fills every buffer: keys pressed and released, mouse steps and clicks, sticks and buttons.
void fillBuffers(platform::headless::HeadlessInput& input) {
    for (std::uint8_t code = 0x10; code < 0x18; ++code) {
        input.pressKey(code);
        input.releaseKey(code);
    }
    for (int step = 0; step < 7; ++step) {
        input.moveMouse(step % 2 == 0 ? 3 : -3, 2);
    }
    input.pressMouseButton(0);
    input.releaseMouseButton(0);
    for (std::size_t joystick = 0; joystick < 2; ++joystick) {
        for (int step = 0; step < 16; ++step) {
            input.moveJoystick(joystick, step % 2 == 0 ? 900 : -900, step % 3 == 0 ? 500 : -500);
            input.pressJoystickButton(joystick, step);
            input.releaseJoystickButton(joystick, step);
        }
    }
}

void frameWithNothingToRead(benchmark::State& state) {
    Engine engine;
    for (auto _ : state) {
        InputManager::gatherEvents();
        InputManager::dispatchEvents();
    }
}
BENCHMARK(frameWithNothingToRead)->Unit(benchmark::kMicrosecond);

void frameWithEveryBufferFull(benchmark::State& state) {
    Engine engine;
    auto& input = engine.machine().input();
    for (auto _ : state) {
        state.PauseTiming();
        fillBuffers(input);
        state.ResumeTiming();
        InputManager::gatherEvents();
        InputManager::dispatchEvents();
    }
}
BENCHMARK(frameWithEveryBufferFull)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
