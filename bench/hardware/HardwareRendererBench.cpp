// The heaviest frame the game draws, on the graphics card and in software:
//   - three layers, each covering the 800 x 600 screen with 256 x 256 tiles;
//   - 100 sprites of 64 x 64, tinted and faded (multiply and add colours);
//   - 200 bullets of 16 x 16;
// every source pixel with an alpha of at most 240 (the same frame, from the same seed,
// as the software renderer's own benchmark).
//
//   build/release/bench/hardware/hardware_renderer_bench
//
// Without a display the card is Mesa's llvmpipe through SDL's offscreen driver
// (SDL_VIDEODRIVER chooses another). A card's frame is timed until the card has
// finished it (glFinish), with and without presenting it in the window; the software
// frame is drawn by the engine into its back buffer, as it is every frame.

#include <benchmark/benchmark.h>

#include "HeavyFrame.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/Engine.h"
#include "core/ErrorDirectX.h"
#include "graphics/GraphicManager.h"
#include "graphics/HardwareRenderer.h"
#include "display/Image.h"
#include "input/InputManager.h"
#include "graphics/PixelBlend.h"
#include "resources/ResourceManager.h"
#include "display/Sprite.h"
#include "graphics/Texture.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"

using namespace tidewell;

namespace {

using namespace heavyframe;

// The display up on the SDL backend (windowed, so the software renderer draws at 32
// bits) with the renderer asked for, and the frame as a display tree.
class EngineScene {
public:
    explicit EngineScene(bool hardware) {
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        settings_ = std::filesystem::temp_directory_path() / "brinefall-hardware-bench";
        std::string whyNot;
        auto machine = platform::createPlatform("sdl", platform::PlatformOptions{settings_}, whyNot);
        if (!machine) {
            whyNot_ = "SDL cannot start: " + whyNot;
            return;
        }
        platform::install(std::move(machine));
        WindowManager::setFullScreen(false);
        WindowManager::createWindow();
        GraphicManager::setHardwareRendererFactory(&HardwareRenderer::create);
        GraphicManager::allowHardware3D = hardware;
        GraphicManager::requireHardware3D = hardware;  // a software OpenGL is measured too
        GraphicManager::clearBackground = false;
        try {
            GraphicManager::start();
        } catch (const ErrorDirectX&) {
            whyNot_ = "no OpenGL context can be had here";
            return;
        }
        const Frame& frame = heavyFrame();
        std::vector<Texture*> textures;
        for (const Picture& picture : frame.pictures) {
            textures.push_back(GraphicManager::createTexture(static_cast<std::uint32_t>(picture.width),
                                                             static_cast<std::uint32_t>(picture.height),
                                                             picture.pixels.data(), true));
        }
        root_ = new Sprite();
        for (const Draw& draw : frame.draws) {
            auto* image = new Image(textures[static_cast<std::size_t>(draw.picture)]);
            image->colour = draw.multiply;
            image->addColour = draw.add;
            image->setPosition(static_cast<float>(draw.x), static_cast<float>(draw.y));
            root_->addChild(image);
        }
        root_->updateColour();
        root_->updateAddColour();
        for (Texture* texture : textures) GraphicManager::releaseTexture(texture);  // the images hold them
        InputManager::setCursorVisible(false);
        setRootSprite(root_);
    }

    ~EngineScene() {
        stopEngine();  // deletes the tree, then the managers
        platform::install(nullptr);
        GraphicManager::allowHardware3D = true;
        GraphicManager::requireHardware3D = false;
        std::error_code ignored;
        std::filesystem::remove_all(settings_, ignored);
    }

    const std::string& whyNot() const { return whyNot_; }

    void drawFrame(bool presented) {
        GraphicManager::drawFrame();
        if (presented) GraphicManager::present();
        if (auto* card = dynamic_cast<HardwareRenderer*>(GraphicManager::getRenderer())) card->device().finish();
    }

private:
    std::filesystem::path settings_;
    std::string whyNot_;
    Sprite* root_ = nullptr;
};

void HeavyFrame(benchmark::State& state, bool hardware, bool presented) {
    EngineScene scene(hardware);
    if (!scene.whyNot().empty()) {
        state.SkipWithError(scene.whyNot().c_str());
        return;
    }
    for (auto _ : state) scene.drawFrame(presented);
    state.SetLabel(hardware ? "graphics card"
                            : std::string("software, 32 bits, ") + PixelBlend::levelName(PixelBlend::activeLevel()));
}

void SoftwareHeavyFrame(benchmark::State& state) { HeavyFrame(state, false, false); }
void HardwareHeavyFrame(benchmark::State& state) { HeavyFrame(state, true, false); }
void HardwareHeavyFramePresented(benchmark::State& state) { HeavyFrame(state, true, true); }

// The card works in threads of its own: wall-clock time is the measure.
BENCHMARK(SoftwareHeavyFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(HardwareHeavyFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(HardwareHeavyFramePresented)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly();

// The usual table, then the medians side by side.
class SideBySideReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const double software = medians_["SoftwareHeavyFrame"];
        const double card = medians_["HardwareHeavyFrame"];
        std::printf(
            "\nheavy frame, median ms: software renderer (32 bits) %.3f; hardware renderer %.3f "
            "(%.2f x the software), %.3f with presenting\n",
            software, card, software > 0 ? card / software : 0.0, medians_["HardwareHeavyFramePresented"]);
    }

private:
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    SideBySideReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
