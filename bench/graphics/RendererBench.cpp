// The heaviest frame the game draws, in software. Every picture of the game is a .twi
// file, whose pixels are never opaque, so nearly every pixel is blended:
//   - three layers, each covering the 800 × 600 screen with 256 × 256 tiles;
//   - 100 sprites of 64 × 64, tinted and faded (multiply and add colours);
//   - 200 bullets of 16 × 16;
// every source pixel with an alpha of at most 240: about four screens of blended pixels.
//
//   build/release/bench/graphics/renderer_bench
//   BRINEFALL_BLEND=sse2 build/release/bench/graphics/renderer_bench   (the SSE2 kernels)
//
// Measured in the same run: the engine drawing that frame through its display tree at
// 32 and 16 bits; the same draw list through SDL 2's software renderer (a renderer on
// a surface, blend mode BLEND, colour and alpha modulation for the tinted sprites; SDL
// has no add colour); and a memcpy of as many bytes as the frame's source pixels hold,
// the least any renderer must move. Goal: the engine within 3.5 × the memcpy.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include "HeavyFrame.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/Engine.h"
#include "graphics/GraphicManager.h"
#include "display/Image.h"
#include "input/InputManager.h"
#include "graphics/PixelBlend.h"
#include "resources/ResourceManager.h"
#include "display/Sprite.h"
#include "graphics/Texture.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace tidewell;

namespace {

using namespace heavyframe;

// ---- The engine ------------------------------------------------------------------

// A headless machine with the display up at one depth and the frame as a display tree.
class EngineScene {
public:
    explicit EngineScene(int depth) {
        platform::install(std::make_unique<platform::headless::HeadlessPlatform>(platform::PlatformOptions{}));
        WindowManager::setFullScreen(depth == 16);
        WindowManager::createWindow();
        GraphicManager::clearBackground = false;
        GraphicManager::allowHardware3D = false;  // the software renderer is what is measured
        GraphicManager::start();
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
    }

    void drawFrame() { GraphicManager::drawFrame(); }

private:
    Sprite* root_;
};

void EngineHeavyFrame(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    EngineScene scene(depth);
    for (auto _ : state) {
        scene.drawFrame();
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::string(PixelBlend::levelName(PixelBlend::activeLevel())) + ", " + std::to_string(depth) +
                   " bits");
}
BENCHMARK(EngineHeavyFrame)->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();

// ---- SDL 2's software renderer --------------------------------------------------------

void SdlHeavyFrame(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(
        0, kScreenWidth, kScreenHeight, depth, depth == 32 ? SDL_PIXELFORMAT_RGB888 : SDL_PIXELFORMAT_RGB565);
    SDL_Renderer* renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (!renderer) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    const Frame& frame = heavyFrame();
    std::vector<SDL_Texture*> textures;
    for (const Picture& picture : frame.pictures) {
        SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                                 picture.width, picture.height);
        SDL_UpdateTexture(texture, nullptr, picture.pixels.data(), picture.width * 4);
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        textures.push_back(texture);
    }
    for (auto _ : state) {
        for (const Draw& draw : frame.draws) {
            const Picture& picture = frame.pictures[static_cast<std::size_t>(draw.picture)];
            SDL_Texture* texture = textures[static_cast<std::size_t>(draw.picture)];
            SDL_SetTextureColorMod(texture, (draw.multiply >> 16) & 0xFF, (draw.multiply >> 8) & 0xFF,
                                   draw.multiply & 0xFF);
            SDL_SetTextureAlphaMod(texture, draw.multiply >> 24);
            const SDL_Rect target{draw.x, draw.y, picture.width, picture.height};
            SDL_RenderCopy(renderer, texture, nullptr, &target);
        }
        SDL_RenderFlush(renderer);
        benchmark::ClobberMemory();
    }
    for (SDL_Texture* texture : textures) SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
    state.SetLabel(std::to_string(depth) + " bits");
}
BENCHMARK(SdlHeavyFrame)->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();

// ---- The floor -----------------------------------------------------------------------

// As many bytes as the frame's blended source pixels hold, copied once.
void MemcpyOfTheFrame(benchmark::State& state) {
    const std::size_t bytes = heavyFrame().blendedPixels * 4;
    std::vector<std::uint8_t> from(bytes, 1), to(bytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(heavyFrame().blendedPixels) + " pixels, " + std::to_string(bytes) + " bytes");
}
BENCHMARK(MemcpyOfTheFrame)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();

// The usual table, then the medians against each other.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            medians_[name] = run.GetAdjustedRealTime();
            cpuMedians_[name] = run.GetAdjustedCPUTime();
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nheavy frame: %llu blended pixels; median ms per frame; kernels: %s\n",
                    static_cast<unsigned long long>(heavyFrame().blendedPixels),
                    PixelBlend::levelName(PixelBlend::activeLevel()));
        // Wall-clock time, and processor time, which a machine shared with other work disturbs less.
        print("wall", medians_);
        print("cpu", cpuMedians_);
    }

private:
    static void print(const char* clock, std::map<std::string, double>& medians) {
        const double floor = medians["MemcpyOfTheFrame/"];
        std::printf("%s: memcpy of the frame's bytes %.3f ms\n", clock, floor);
        for (const char* depth : {"32", "16"}) {
            const double engine = medians[std::string("EngineHeavyFrame/") + depth];
            const double sdl = medians[std::string("SdlHeavyFrame/") + depth];
            std::printf(
                "%s: %s bits: engine %.3f ms = %.2f x memcpy (goal <= 3.5); SDL software %.3f ms = %.2f x "
                "memcpy; SDL / engine = %.1f (goal >= 4)\n",
                clock, depth, engine, engine / floor, sdl, sdl / floor, sdl / engine);
        }
    }

    std::map<std::string, double> medians_;
    std::map<std::string, double> cpuMedians_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
