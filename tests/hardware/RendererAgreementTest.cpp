// One scene drawn by the software renderer and by the hardware renderer on a real
// OpenGL context (Mesa's llvmpipe through SDL's offscreen driver under CTest, or any
// display SDL_VIDEODRIVER names): the two pictures must agree pixel by pixel.
//
// Tolerance, per channel: 3 of 255. The card computes multiply, add and blend in
// floating point and rounds once; the software renderer divides by 255 and truncates
// at the multiply, at the faded alpha and at the blend, so a pixel may lie up to one
// step lower there per truncation. The scene's pictures use channel values that
// 4 bits hold exactly (multiples of 17), so the card's 4-4-4-4 textures lose nothing;
// pictures with other values differ by design by up to 15 (the top 4 bits are kept).
// Lines: the card leaves out a line's last pixel, as Direct3D's line lists did, while
// the software renderer's Bresenham line sets both ends; those pixels are not compared.
// Polygons: the software fill truncates an edge's x on each row, the card takes the
// pixels whose centres lie inside, so on a slanted edge whose x is not whole at a row
// the two may take a pixel differently; the scene's polygon edges are upright,
// level or at 45 degrees, where both rules give the same pixels.
// The test is skipped, never failed, only where no OpenGL context can be had at all.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "../resources/FormatWriters.h"
#include "DrawnPixels.h"
#include "core/Engine.h"
#include "graphics/GraphicManager.h"
#include "graphics/HardwareRenderer.h"
#include "display/Image.h"
#include "resources/ResourceManager.h"
#include "display/Shape.h"
#include "graphics/SoftwareRenderer.h"
#include "display/Sprite.h"
#include "graphics/Surface.h"
#include "graphics/Texture.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"

using namespace tidewell;

// Mesa keeps allocations until exit and unloads its drivers before the sanitizer's leak
// check runs, so their reports cannot be told apart by name; leaks of our own code are
// checked by the headless tests. Only a sanitizer build reads this.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace {

constexpr int kTolerance = 3;
constexpr std::uint32_t kBackground = 0xFF224466;

// A channel value that 4 bits hold exactly.
std::uint32_t exact(std::uint32_t level) { return (level % 16) * 17; }

std::uint32_t argb(std::uint32_t alpha, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return alpha << 24 | red << 16 | green << 8 | blue;
}

// Large and opaque, with a pattern that does not repeat at the tile size, so that a
// misplaced tile shows.
std::vector<std::uint32_t> backdrop(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint32_t> pixels(std::size_t{width} * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            pixels[std::size_t{y} * width + x] = argb(255, exact(x / 7), exact(y / 5), exact((x + y) / 11));
        }
    }
    return pixels;
}

// A sprite with transparent corners, translucent and opaque parts, and no symmetry, so
// that a wrong mirror shows.
std::vector<std::uint32_t> creature(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint32_t> pixels(std::size_t{width} * height, 0);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const int dx = static_cast<int>(x) - static_cast<int>(width) / 3;
            const int dy = static_cast<int>(y) - static_cast<int>(height) / 2;
            const int distance = dx * dx + 2 * dy * dy;
            if (distance > 500) continue;
            const std::uint32_t alpha = distance > 350 ? 0x88 : (x % 9 < 3 ? 0xCC : 0xFF);
            pixels[std::size_t{y} * width + x] = argb(alpha, exact(15 - x / 4), exact(y / 2), exact(x + y));
        }
    }
    return pixels;
}

// An image mirrored on both axes, which the game's subclasses do by setting flipY.
class UpsideDownImage : public Image {
public:
    UpsideDownImage(const std::uint32_t* colours, unsigned width, unsigned height) : Image(colours, width, height) {
        flipY = true;
        setFlipX(true);
        updateAbsolutePosition();
    }
};

Shape* shape(std::vector<float> xs, std::vector<float> ys, std::uint32_t colour, std::uint32_t add = 0xFF000000) {
    auto* made = new Shape();
    made->setPolygon(xs.data(), ys.data(), static_cast<int>(xs.size()));
    made->colour = colour;
    made->addColour = add;
    return made;
}

template <typename Made>
Made* placed(Made* sprite, float x, float y, std::uint32_t colour = 0xFFFFFFFF, std::uint32_t add = 0xFF000000) {
    sprite->colour = colour;
    sprite->addColour = add;
    sprite->setPosition(x, y);
    return sprite;
}

// Images plain, tinted, faded, brightened, mirrored and clipped, a tiled backdrop, and
// the four primitives with and without alpha and clipping.
std::unique_ptr<Sprite> makeScene() {
    static const std::vector<std::uint32_t> large = backdrop(700, 420);
    static const std::vector<std::uint32_t> small = creature(64, 40);
    auto root = std::make_unique<Sprite>();
    root->addChild(placed(new Image(large.data(), 700, 420), 30, 20));
    root->addChild(placed(new Image(small.data(), 64, 40), 10, 460));
    root->addChild(placed(new Image(small.data(), 64, 40), 90, 460, 0xFFFF8844));               // tinted
    root->addChild(placed(new Image(small.data(), 64, 40), 170, 460, 0x80FFFFFF));              // faded
    root->addChild(placed(new Image(small.data(), 64, 40), 250, 460, 0xC0FFFFFF, 0xFF331100));  // brightened
    auto* mirrored = placed(new Image(small.data(), 64, 40), 330, 460, 0xFFFFFFFF);
    mirrored->setFlipX(true);
    root->addChild(mirrored);
    root->addChild(placed(new UpsideDownImage(small.data(), 64, 40), 410, 460, 0xE0FFFFFF));
    // A group that clips its children: an image cut on both sides, mirrored, over the backdrop's edge.
    auto* window = placed(new Sprite(), 480, 450);
    window->clipping = true;
    window->clipLeft = 10;
    window->clipTop = 5;
    window->clipRight = 50;
    window->clipBottom = 35;
    window->updateClip();
    auto* cut = placed(new Image(small.data(), 64, 40), 0, 0, 0xFFFFFFFF);
    cut->setFlipX(true);
    window->addChild(cut);
    window->addChild(shape({-20, 70}, {20, 10}, 0xFFFFEEDD));          // a line clipped at both ends
    window->addChild(shape({10, 60, 10}, {-10, 40, 90}, 0x99FFFFFF));  // a triangle past the clip
    root->addChild(window);

    root->addChild(shape({600}, {500}, 0xFFFFFFFF));                                            // a pixel
    root->addChild(shape({601}, {502}, 0x80FF0000, 0xFF00FF00));                                // a half pixel with add
    root->addChild(shape({560, 640}, {520, 520}, 0xFFFFFFFF));                                  // horizontal line
    root->addChild(shape({650, 650}, {450, 590}, 0xC0FFCC00));                                  // vertical line
    root->addChild(shape({660, 720}, {450, 470}, 0xFF00FFFF));                                  // shallow line
    root->addChild(shape({730, 740}, {450, 480}, 0xFFFF00FF));                                  // steep line
    root->addChild(shape({550, 620, 620, 550}, {540, 540, 590, 590}, 0x80FFFFFF, 0xFF202020));  // rectangle
    root->addChild(shape({700, 740, 720}, {500, 500, 520}, 0xFFFF8800));                        // flat-topped triangle
    root->addChild(shape({760, 780, 760, 740}, {520, 540, 560, 540}, 0x99FFFFFF));  // diamond of two triangles
    root->addChild(shape({-30, 60, 60, -30}, {-30, -30, 10, 10}, 0x6000FF00));      // past the screen's corner
    root->updateAbsolutePosition();
    return root;
}

struct Ends {
    int x;
    int y;
    bool operator<(const Ends& other) const { return std::pair(x, y) < std::pair(other.x, other.y); }
};

// The last pixel of every line of the scene, in screen pixels.
std::set<Ends> lineEnds() { return {{70 + 480, 10 + 450}, {640, 520}, {650, 590}, {720, 470}, {740, 480}}; }

}  // namespace

class RendererAgreementTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Without a display, Mesa's software OpenGL through SDL's offscreen driver; with
        // one (xvfb-run), the display's own OpenGL. SDL_VIDEODRIVER still decides when set.
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-agreement-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        directory = pattern;
        std::string whyNot;
        auto machine = platform::createPlatform("sdl", platform::PlatformOptions{directory}, whyNot);
        if (!machine) GTEST_SKIP() << "no OpenGL context can be had: SDL cannot start (" << whyNot << ")";
        platform::install(std::move(machine));
        ResourceManager::start();
        try {
            WindowManager::createWindow();
        } catch (...) {
            GTEST_SKIP() << "no OpenGL context can be had: no window can be opened";
        }
        platform::Window& window = platform::current().window();
        if (!window.openGpu(whyNot)) GTEST_SKIP() << "no OpenGL context can be had here: " << whyNot;
        window.closeGpu();
        GraphicManager::setHardwareRendererFactory(&HardwareRenderer::create);
        // The card even when the processor draws it (Mesa's llvmpipe under Xvfb), which is
        // otherwise set aside for the software renderer.
        GraphicManager::requireHardware3D = true;
        GraphicManager::clearColour = kBackground;
    }

    void TearDown() override {
        GraphicManager::stop();
        ResourceManager::stop();
        WindowManager::destroyWindow();
        WindowManager::setFullScreen(false);
        platform::install(nullptr);
        GraphicManager::allowHardware3D = true;
        GraphicManager::requireHardware3D = false;
        GraphicManager::clearColour = 0xFFFFFFFF;
        std::filesystem::remove_all(directory);
    }

    // One frame of the scene, as 0xRRGGBB words row by row.
    std::vector<std::uint32_t> drawn(Sprite& scene) {
        return tidewell::testing::drawnPixels(scene, GraphicManager::clearColour);
    }

    static int channelDifference(std::uint32_t a, std::uint32_t b) {
        int most = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            most =
                std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
        }
        return most;
    }

    // Counts the pixels that differ by more than the tolerance, and reports the first few.
    int disagreements(const std::vector<std::uint32_t>& software, const std::vector<std::uint32_t>& hardware,
                      int& largest) {
        const std::set<Ends> skipped = lineEnds();
        int count = 0;
        largest = 0;
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                if (skipped.count({x, y})) continue;
                const std::size_t at = static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x);
                const int difference = channelDifference(software[at], hardware[at]);
                largest = std::max(largest, difference);
                if (difference <= kTolerance) continue;
                if (++count <= 10) {
                    ADD_FAILURE() << "at (" << x << ", " << y << ") software " << std::hex << software[at]
                                  << ", hardware " << hardware[at];
                }
            }
        }
        return count;
    }

    std::filesystem::path directory;
};

TEST_F(RendererAgreementTest, BothRenderersDrawTheSameSceneAndTexturesFollowTheSwitch) {
    GraphicManager::allowHardware3D = false;
    GraphicManager::start();
    ASSERT_FALSE(GraphicManager::isHardware3D());
    std::unique_ptr<Sprite> scene = makeScene();
    const std::vector<std::uint32_t> software = drawn(*scene);

    // The same textures, prepared again for the card.
    GraphicManager::allowHardware3D = true;
    GraphicManager::resetDevice();
    ASSERT_TRUE(GraphicManager::isHardware3D());
    const std::vector<std::uint32_t> hardware = drawn(*scene);
    ASSERT_EQ(hardware.size(), software.size());
    int largest = 0;
    EXPECT_EQ(disagreements(software, hardware, largest), 0);
    RecordProperty("largest_channel_difference", largest);
    GraphicManager::present();  // shown in the window without complaint

    // A full-screen switch re-creates the window and its context: textures obtained
    // before it draw the same picture again.
    WindowManager::setFullScreen(true);
    ASSERT_TRUE(GraphicManager::isHardware3D());
    EXPECT_EQ(drawn(*scene), hardware);
    GraphicManager::present();
    scene.reset();
}

TEST_F(RendererAgreementTest, EitherRendererReadsBackTheFrameItShowedForAScreenshot) {
    std::unique_ptr<Sprite> scene = makeScene();
    for (bool hardware : {false, true}) {
        GraphicManager::allowHardware3D = hardware;
        if (GraphicManager::isStarted()) {
            GraphicManager::resetDevice();
        } else {
            GraphicManager::start();
        }
        ASSERT_EQ(GraphicManager::isHardware3D(), hardware);
        const std::vector<std::uint32_t> shown = drawn(*scene);
        GraphicManager::present();
        std::vector<std::uint32_t> read;
        int width = 0;
        int height = 0;
        std::string whyNot;
        ASSERT_TRUE(GraphicManager::readFrame(read, width, height, whyNot)) << whyNot;
        EXPECT_EQ(width, 800);
        EXPECT_EQ(height, 600);
        EXPECT_TRUE(read == shown) << (hardware ? "hardware" : "software") << " renderer";
    }
    scene.reset();
}

TEST_F(RendererAgreementTest, FileAlphaFifteenIsDrawnOpaqueByTheCard) {
    const std::string file = (directory / "dot.twi").string();
    ASSERT_TRUE(formats::writeFile(file, formats::twi(2, 1, {0xF123, 0x8ABC})));
    GraphicManager::clearColour = 0xFFFFFFFF;
    GraphicManager::start();
    ASSERT_TRUE(GraphicManager::isHardware3D());
    Sprite scene;
    scene.addChild(placed(new Image(file.c_str()), 5, 5));
    const std::vector<std::uint32_t> pixels = drawn(scene);
    // Nothing of the white background shows through alpha 15 of 15; each 4-bit channel n reads n x 17.
    EXPECT_EQ(pixels[5 * 800 + 5], 0x112233u);
    // Alpha 8 of 15 over white: half of 0xAA, 0xBB, 0xCC and half of white, give or take a step.
    const std::uint32_t half = pixels[5 * 800 + 6];
    EXPECT_NEAR(static_cast<int>(half >> 16), (0xAA * 8 + 255 * 7) / 15, 1);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), (0xCC * 8 + 255 * 7) / 15, 1);
}
