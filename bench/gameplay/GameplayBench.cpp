// A busy frame of stage 1, updated and drawn by the real game scene on the headless
// machine in software: the ship at gun and special level 5 firing the main gun and the
// Fire Bomb, about 60 bullets, 10 enemies that take the hits (so damage popups keep
// coming, 20 or more), and explosions. Each measured frame is what the main loop does
// but input: the music step, the tree's update, the sweep of what was removed, the draw.
// The scene is topped up between frames (enemy bullets, explosions) so the load stays
// the same; every repetition starts a fresh scene and measures 400 frames of it.
//
//   build/release/bench/gameplay/gameplay_bench
//
// Measured in the same run: a memcpy of as many bytes as the renderer benchmark's
// heavy frame blends, the reference of every frame benchmark. Goal: update + draw under
// 2 ms at 32 bits (the frame period is 50 ms).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/Engine.h"
#include "graphics/GraphicManager.h"
#include "HeadlessGameMachine.h"
#include "HeavyFrame.h"
#include "input/InputManager.h"
#include "core/Random.h"
#include "sound/SoundMusicManager.h"
#include "display/Sprite.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/WaveScript.h"
#include "gameplay/bullets/EnemyBullet.h"
#include "gameplay/effects/EnemyExplosion.h"
#include "gameplay/enemies/Enemy.h"
#include "gameplay/hud/PopupText.h"

using namespace tidewell;

namespace {

constexpr int kWarmUpFrames = 60;
constexpr int kMeasuredFrames = 400;
constexpr int kEnemies = 10;
constexpr std::size_t kBullets = 60;
constexpr std::size_t kExplosions = 6;
constexpr std::size_t kPopups = 20;
constexpr int kLeftCtrl = 29;

std::size_t liveChildren(const Sprite* layer) {
    std::size_t count = 0;
    for (Sprite* child = layer->getFirstChild(); child; child = child->getNextSibling()) {
        count += child->isRemoved() ? 0 : 1;
    }
    return count;
}

// The game scene as the root of a headless machine at one depth, from the baked data.
class BusyStage {
public:
    explicit BusyStage(int depth) : machine_("brinefall-gameplay-bench", depth) {
        scene_ = new brinefall::GameScene(false, true, true);
        setRootSprite(scene_);
        brinefall::PlayerShip* ship = scene_->getShip();
        ship->pickSpecial(2);
        // Fire held all along; the input manager is not run, so the key stays down.
        InputManager::keyStates[kLeftCtrl] = 0x80;
        addEnemies();
        for (int frame = 0; frame < kWarmUpFrames; ++frame) runFrame();
    }

    ~BusyStage() { InputManager::keyStates[kLeftCtrl] = 0; }

    // One frame of the main loop without input, then the scene topped up for the next.
    void runFrame() {
        SoundMusicManager::update();
        scene_->dispatchUpdate();
        if (scene_->hasRemovedChild()) scene_->purgeRemoved();
        GraphicManager::drawFrame();
        topUp();
    }

    std::size_t bullets() const { return liveChildren(scene_->getBulletLayer()); }
    std::size_t popups() const { return liveChildren(scene_->getTextLayer()); }

private:
    // Enemies that stand in the line of fire and never die, so the gun keeps hitting.
    void addEnemies() {
        for (int i = 0; i < kEnemies; ++i) {
            auto* enemy = new brinefall::Enemy(scene_, "enemy18.twi");
            enemy->setHitPoints(1000000000);
            enemy->setHitArea(64, 40, Sprite::ellipseShape);
            enemy->setAnimation(0, 20, 1, 5, 0, 10, 2, 5);
            scene_->getWaves()->addChild(enemy);
            enemy->setPosition(420.0f + 36.0f * static_cast<float>(i), 150.0f + 30.0f * static_cast<float>(i));
        }
    }

    void topUp() {
        int salt = 0;
        while (bullets() < kBullets) {
            auto* bullet = new brinefall::EnemyBullet(scene_);
            bullet->setVelocity(-1.0f, 0.0f);
            scene_->addBullet(bullet, 300.0f + static_cast<float>(Random::choose(480)),
                              20.0f + static_cast<float>(Random::choose(560)));
            ++salt;
        }
        while (liveChildren(scene_->getExplosionLayer()) < kExplosions) {
            scene_->addExplosion(new brinefall::EnemyExplosion(), 200.0f + static_cast<float>(Random::choose(500)),
                                 100.0f + static_cast<float>(Random::choose(400)));
        }
        while (popups() < kPopups) {
            scene_->addText(new brinefall::PopupText(1, 0, 100 + salt++),
                            200.0f + static_cast<float>(Random::choose(500)),
                            100.0f + static_cast<float>(Random::choose(400)));
        }
    }

    HeadlessGameMachine machine_;
    brinefall::GameScene* scene_ = nullptr;
};

void BusyStageFrame(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    BusyStage stage(depth);
    for (auto _ : state) {
        stage.runFrame();
        benchmark::ClobberMemory();
    }
    state.counters["bullets"] = static_cast<double>(stage.bullets());
    state.counters["popups"] = static_cast<double>(stage.popups());
    state.SetLabel(std::to_string(depth) + " bits");
}
BENCHMARK(BusyStageFrame)
    ->Arg(32)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kMeasuredFrames)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// As many bytes as the renderer benchmark's heavy frame blends, copied once.
void MemcpyOfTheHeavyFrame(benchmark::State& state) {
    const std::size_t bytes = heavyframe::heavyFrame().blendedPixels * 4;
    std::vector<std::uint8_t> from(bytes, 1), to(bytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(bytes) + " bytes");
}
BENCHMARK(MemcpyOfTheHeavyFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The usual table, then the medians against the goal and the reference.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
            medians_[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedCPUTime();
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const double floor = medians_["MemcpyOfTheHeavyFrame/"];
        std::printf("\ncpu medians: memcpy of the heavy frame %.3f ms\n", floor);
        for (const char* depth : {"32", "16"}) {
            const double frame = medians_[std::string("BusyStageFrame/") + depth];
            std::printf("%s bits: busy stage 1 frame, update + draw %.3f ms (goal < 2 ms at 32 bits) = %.2f x memcpy\n",
                        depth, frame, floor > 0 ? frame / floor : 0.0);
        }
    }

private:
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
