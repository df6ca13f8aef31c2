// The game's own scenes at their fades, shades and flashes, drawn by the software renderer
// and by the hardware renderer on a real OpenGL context (Mesa's llvmpipe through SDL's
// offscreen driver under CTest, or any display SDL_VIDEODRIVER names): a player without a
// graphics card sees the same translucent picture as one with a card.
//
// The card is given only its 8-8-8-8 texture format here. With its usual 4-4-4-4 format the
// highest alpha of a .twi file (15 of 15) is drawn opaque, where the software renderer draws
// it at 240 of 255, as the image format asks; that difference is by design and held by the
// renderer agreement test, not here. Tolerance per channel: 3 of 255, for the card's one
// rounding against the software renderer's truncations (see RendererAgreementTest). The
// card leaves out a line's last pixel, as Direct3D's line lists did: the one corner of the
// life bar's frame where a line ends on no other line is not compared.
// The test is skipped, never failed, only where no OpenGL context can be had at all.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "DrawnPixels.h"
#include "core/Engine.h"
#include "core/MainLoop.h"
#include "core/WindowManager.h"
#include "display/Shape.h"
#include "frontend/OpeningScene.h"
#include "gameplay/GameScene.h"
#include "graphics/GraphicManager.h"
#include "graphics/HardwareRenderer.h"
#include "graphics/SoftwareRenderer.h"
#include "graphics/Surface.h"
#include "platform/Platform.h"
#include "platform/PngFile.h"
#include "platform/Window.h"

using namespace tidewell;

// See RendererAgreementTest: Mesa's own allocations are not ours to report.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace {

constexpr int kTolerance = 3;
// The bottom right corner of the life bar's frame: the end of its lower and its right line.
constexpr std::size_t kLifeBarCorner = 25 * 800 + 173;

// The window's card with only its 8-8-8-8 texture format on offer; everything else is the card's.
class EightBitCard : public platform::GpuDevice {
public:
    explicit EightBitCard(platform::GpuDevice& card) : card_(card), capabilities_(card.capabilities()) {
        std::erase_if(capabilities_.textureFormats, [](const platform::GpuTextureFormat& format) {
            return format.bitCount != 32 || format.alphaMask != 0xFF000000u;
        });
    }
    const platform::GpuCapabilities& capabilities() const override { return capabilities_; }
    bool isLost() const override { return card_.isLost(); }
    bool restore() override { return card_.restore(); }
    platform::GpuTexture createTexture(std::uint32_t width, std::uint32_t height,
                                       const platform::GpuTextureFormat& format) override {
        return card_.createTexture(width, height, format);
    }
    bool uploadTexture(platform::GpuTexture texture, std::uint32_t x, std::uint32_t y, std::uint32_t width,
                       std::uint32_t height, const void* pixels, std::size_t pitchBytes) override {
        return card_.uploadTexture(texture, x, y, width, height, pixels, pitchBytes);
    }
    void destroyTexture(platform::GpuTexture texture) override { card_.destroyTexture(texture); }
    bool beginFrame() override { return card_.beginFrame(); }
    bool clear(std::uint32_t argb) override { return card_.clear(argb); }
    void setClip(const platform::GpuRect& rect) override { card_.setClip(rect); }
    void clearClip() override { card_.clearClip(); }
    bool draw(platform::GpuPrimitive primitive, const platform::GpuVertex* vertices, int count,
              platform::GpuTexture texture) override {
        return card_.draw(primitive, vertices, count, texture);
    }
    void endFrame() override { card_.endFrame(); }
    bool present() override { return card_.present(); }
    bool readBackBuffer(std::vector<std::uint32_t>& pixels) override { return card_.readBackBuffer(pixels); }
    void finish() override { card_.finish(); }

private:
    platform::GpuDevice& card_;
    platform::GpuCapabilities capabilities_;
};

// The card, made before the renderer that draws through it and gone after it.
struct EightBitCardHolder {
    explicit EightBitCardHolder(platform::GpuDevice& card) : eightBitCard(card) {}
    EightBitCard eightBitCard;
};

class EightBitRenderer : private EightBitCardHolder, public HardwareRenderer {
public:
    EightBitRenderer(platform::Window& window, platform::GpuDevice& card)
        : EightBitCardHolder(card), HardwareRenderer(window, eightBitCard) {}

    static std::unique_ptr<Renderer> create(bool, int, bool, std::string& whyNot) {
        platform::Window* window = WindowManager::getWindow();
        platform::GpuDevice* card = window ? window->openGpu(whyNot) : nullptr;
        if (!card) return nullptr;
        return std::make_unique<EightBitRenderer>(*window, *card);
    }
};

int channelDifference(std::uint32_t a, std::uint32_t b) {
    int most = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
    return most;
}

}  // namespace

class SceneAgreementTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-scenes-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        settings_ = pattern;
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(BRINEFALL_DATA_DIR);
        std::string whyNot;
        auto machine = platform::createPlatform("sdl", platform::PlatformOptions{settings_}, whyNot);
        if (!machine) GTEST_SKIP() << "no OpenGL context can be had: SDL cannot start (" << whyNot << ")";
        platform::install(std::move(machine));
        // The game's frames are drawn in software; the card is brought in for each comparison.
        GraphicManager::allowHardware3D = false;
        GraphicManager::requireHardware3D = true;  // Mesa's llvmpipe is a card here
        setRandomSeed(1);
        MainLoop::reset();
        try {
            startEngine();
        } catch (...) {
            GTEST_SKIP() << "no OpenGL context can be had: the engine cannot start here";
        }
        engineStarted_ = true;
        // After the engine's start, which installs the usual card.
        GraphicManager::setHardwareRendererFactory(&EightBitRenderer::create);
        platform::Window& window = platform::current().window();
        if (!window.openGpu(whyNot)) GTEST_SKIP() << "no OpenGL context can be had here: " << whyNot;
        window.closeGpu();
    }

    void TearDown() override {
        if (engineStarted_) stopEngine();
        platform::install(nullptr);
        GraphicManager::allowHardware3D = true;
        GraphicManager::requireHardware3D = false;
        GraphicManager::setHardwareRendererFactory(&HardwareRenderer::create);
        setRandomSeed(std::nullopt);
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(settings_);
    }

    void run(int frames) {
        for (int i = 0; i < frames; ++i) MainLoop::runFrame();
    }

    // The tree as the renderer in use draws it now, as 0xRRGGBB words row by row.
    static std::vector<std::uint32_t> drawnNow() {
        return tidewell::testing::drawnPixels(*getRootSprite(), 0xFF000000);
    }

    // The present picture by both renderers, held together; the game goes on in software.
    // Both pictures go to the temporary folder as <name>-software.png and <name>-hardware.png.
    void expectBothAgree(const std::string& name) {
        const std::vector<std::uint32_t> software = drawnNow();
        GraphicManager::allowHardware3D = true;
        GraphicManager::resetDevice();
        ASSERT_TRUE(GraphicManager::isHardware3D());
        const std::vector<std::uint32_t> hardware = drawnNow();
        GraphicManager::allowHardware3D = false;
        GraphicManager::resetDevice();
        ASSERT_FALSE(GraphicManager::isHardware3D());
        ASSERT_EQ(hardware.size(), software.size());
        save(name + "-software", software);
        save(name + "-hardware", hardware);
        int count = 0;
        int largest = 0;
        for (std::size_t at = 0; at < software.size(); ++at) {
            if (at == kLifeBarCorner) continue;
            const int difference = channelDifference(software[at], hardware[at]);
            largest = std::max(largest, difference);
            if (difference > kTolerance && ++count <= 5) {
                ADD_FAILURE() << name << " at (" << at % 800 << ", " << at / 800 << "): software " << std::hex
                              << software[at] << ", hardware " << hardware[at];
            }
        }
        EXPECT_EQ(count, 0) << name << ": pixels beyond the tolerance; the largest difference is " << largest;
    }

    static void save(const std::string& name, const std::vector<std::uint32_t>& pixels) {
        std::string ignored;  // a picture to look at, not part of the check
        platform::writePng(std::filesystem::temp_directory_path() / ("brinefall-" + name + ".png"), pixels.data(), 800,
                           600, ignored);
    }

    static std::uint32_t overlayOf(const Shape* shape) { return shape->colour; }

    std::filesystem::path settings_;
    std::filesystem::path previous_;
    bool engineStarted_ = false;
};

TEST_F(SceneAgreementTest, TheStageFadeAndTheHitFlashAreHalfDrawnByBothRenderers) {
    auto* game = new brinefall::GameScene(false, false, false);
    setRootSprite(game);
    run(10);
    ASSERT_EQ(overlayOf(game->getFlashOverlay()), 0x7FFFFFFFu) << "half way through the stage's fade from white";
    expectBothAgree("stage-fade");

    game->onShipHit(0);
    ASSERT_EQ(overlayOf(game->getFlashOverlay()), 0x7FFF0000u);
    expectBothAgree("hit-flash");
}

TEST_F(SceneAgreementTest, TheOpeningsShadesAndFlashAreDrawnAlikeByBothRenderers) {
    auto* opening = new brinefall::OpeningScene();
    setRootSprite(opening);
    const Shape* shade = opening->getShade();
    run(11);  // the first update is frame 0
    ASSERT_EQ(overlayOf(shade), 0x7F000000u) << "half way through the fade from black";
    expectBothAgree("opening-fade");
    run(390);
    ASSERT_EQ(overlayOf(shade), 0x7FFF0000u) << "the line-up tinted red";
    expectBothAgree("opening-tint");
    run(40);
    ASSERT_EQ(overlayOf(shade), 0xFFFF0000u) << "the boss's arrival: the opening's one red flash";
    expectBothAgree("opening-flash");
    run(5);
    ASSERT_GT(overlayOf(shade) >> 24, 0x7Fu) << "the red alert flickers";
    ASSERT_LT(overlayOf(shade) >> 24, 0xFFu);
    expectBothAgree("opening-alert");
    run(265);
    ASSERT_EQ(overlayOf(shade) & 0xFFFFFF, (720u - 710u) * 255 / 20 << 16) << "the red fading to black";
    expectBothAgree("opening-march");
}
