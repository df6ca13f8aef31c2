// The heaviest minute of the real game, headless and drawn in software: a practice start
// of stage 1 with full power and invincibility, the autopilot playing, the ship given the
// Fire Bomb (full power puts it at level 5) before the stage begins, fast-forwarded to the
// moment the boss starts its fight, then 1,200 frames (a minute) timed one by one. A frame
// is the main loop's whole frame: the autopilot's keys, input, music, update, sweep, draw
// and the headless present.
//
//   build/release/bench/wholegame/whole_game_bench
//
// BRINEFALL_BENCH_SLOWEST=1 also lists the eight slowest frames by their number in the minute.
//
// Reported per depth, in processor time: the median and the worst frame. Goal: worst frame under 4 ms at
// either depth, so that no tick takes longer than a 60 Hz display's refresh and shows as a jolt between
// the in-between pictures (the tick period is 50 ms).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/Engine.h"
#include "HeadlessGameMachine.h"
#include "core/MainLoop.h"
#include "Milestones.h"
#include "SceneSwitcher.h"
#include "autopilot/Autopilot.h"
#include "gameplay/Experience.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"

using namespace tidewell;

namespace {

constexpr int kMeasuredFrames = 1200;
constexpr int kFramesBeforeGivingUp = 20000;

// The processor time this thread has used, in milliseconds: a frame's cost, which a busy
// machine's other work does not add to as it adds to the wall clock.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The game from a practice start on a headless machine at one depth, from the baked data.
class BossFight {
public:
    explicit BossFight(int depth) : machine_("brinefall-whole-game-bench", depth), pilot_({}) {
        auto* root = new brinefall::SceneSwitcher(brinefall::PlayOptions{1, true, true});
        setRootSprite(root);
        if (auto* game = dynamic_cast<brinefall::GameScene*>(root->getScene())) {
            game->getShip()->pickSpecial(brinefall::Experience::kFireBomb);
        }
        pilot_.attach();
        brinefall::Milestones::setSink([this](const std::string& line) {
            if (line.find(": boss-active 1") != std::string::npos) fightStarted_ = true;
        });
        for (int frame = 0; frame < kFramesBeforeGivingUp && !fightStarted_; ++frame) MainLoop::runFrame();
    }

    ~BossFight() {
        brinefall::Milestones::setSink(nullptr);
        pilot_.detach();
    }

    bool fightStarted() const { return fightStarted_; }

private:
    HeadlessGameMachine machine_;
    brinefall::Autopilot pilot_;
    bool fightStarted_ = false;
};

void BossFightMinute(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    std::vector<double> frames;
    frames.reserve(kMeasuredFrames);
    for (auto _ : state) {
        state.PauseTiming();
        BossFight fight(depth);
        frames.clear();
        state.ResumeTiming();
        if (!fight.fightStarted()) {
            state.SkipWithError("the boss fight never began");
            break;
        }
        for (int i = 0; i < kMeasuredFrames; ++i) {
            const double start = threadMilliseconds();
            MainLoop::runFrame();
            frames.push_back(threadMilliseconds() - start);
        }
    }
    if (frames.empty()) return;
    if (std::getenv("BRINEFALL_BENCH_SLOWEST")) {
        std::vector<int> order(frames.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
        std::sort(order.begin(), order.end(), [&](int a, int b) { return frames[a] > frames[b]; });
        for (int i = 0; i < 8; ++i) std::printf("slow frame %d: %.3f ms\n", order[i], frames[order[i]]);
    }
    std::sort(frames.begin(), frames.end());
    state.counters["median_ms"] = frames[frames.size() / 2];
    state.counters["worst_ms"] = frames.back();
    state.counters["p99_ms"] = frames[frames.size() * 99 / 100];
    state.SetLabel(std::to_string(depth) + " bits, " + std::to_string(kMeasuredFrames) + " frames");
    std::printf("%d bits: boss fight minute, processor time per frame: median %.3f ms, 99th percentile %.3f ms, worst %.3f ms "
                "(goal: worst < 4 ms at either depth)\n",
                depth, frames[frames.size() / 2], frames[frames.size() * 99 / 100], frames.back());
}
BENCHMARK(BossFightMinute)->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
