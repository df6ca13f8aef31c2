// Image, Shape and Cursor, the built-in pointer, and frames written as PNG files.

#include <png.h>

#include <cstdio>
#include <memory>

#include "display/Cursor.h"
#include "GraphicsTestSupport.h"
#include "display/Image.h"
#include "graphics/PointerImage.h"
#include "display/Shape.h"
#include "graphics/Texture.h"
#include "platform/PngFile.h"

using namespace tidewell;

namespace {

// A strip of `width` opaque pixels whose blue is 1, 2, 3 ... from the left.
std::vector<std::uint32_t> numberedStrip(std::uint32_t width) {
    std::vector<std::uint32_t> colours(width);
    for (std::uint32_t i = 0; i < width; ++i) colours[i] = 0xFF000000 | (i + 1);
    return colours;
}

// An 8-bit RGB PNG read back as 0xRRGGBB words.
std::vector<std::uint32_t> readPng(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<std::uint32_t> pixels;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return pixels;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return pixels;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        pixels.push_back(std::uint32_t{bytes[i]} << 16 | std::uint32_t{bytes[i + 1]} << 8 | bytes[i + 2]);
    }
    return pixels;
}

}  // namespace

class SpritesTest : public GraphicsFixture {
protected:
    void SetUp() override {
        GraphicsFixture::SetUp();
        startGraphics(32);
        fill(0);
    }

    // A parent whose clip rectangle is [left, right) across the screen.
    std::unique_ptr<Sprite> clipWindow(float left, float right) {
        auto window = std::make_unique<Sprite>();
        window->clipping = true;
        window->clipLeft = left;
        window->clipRight = right;
        window->clipTop = 0;
        window->clipBottom = 600;
        window->updateClip();
        return window;
    }
};

TEST_F(SpritesTest, FramesAreReadRowByRowAndAFramePastTheEndShowsTheLast) {
    const std::vector<std::uint32_t> colours(40 * 20, 0xFFFFFFFF);
    Image sheet(colours.data(), 40, 20, 4, 2, 6);
    EXPECT_EQ(sheet.getFrameWidth(), 10u);
    EXPECT_EQ(sheet.getFrameHeight(), 10u);
    sheet.setFrame(5);
    EXPECT_EQ(sheet.getSourceLeft(), 10);
    EXPECT_EQ(sheet.getSourceTop(), 10);
    sheet.setFrame(99);
    EXPECT_EQ(sheet.getFrame(), 5u);

    Image whole(colours.data(), 40, 20, 0, 0, 0);  // 0 columns and rows count as 1, 0 frames as all
    EXPECT_EQ(whole.getFrameCount(), 1u);
    EXPECT_EQ(whole.getFrameWidth(), 40u);
    Image grid(colours.data(), 40, 20, 2, 2, 0);
    EXPECT_EQ(grid.getFrameCount(), 4u);

    // Without a picture the image is empty but usable.
    Image nothing(static_cast<const char*>(nullptr));
    EXPECT_EQ(nothing.getWidth(), 0.0f);
    EXPECT_EQ(nothing.getFrameCount(), 1u);
    nothing.setFrame(3);
    nothing.dispatchDraw();
    EXPECT_EQ(countOther(0), 0);
    // The same colours make the same shared texture.
    EXPECT_EQ(grid.getTexture(), whole.getTexture());
}

TEST_F(SpritesTest, AnAnchoredImageKeepsItsBoxWhenMirroredAndAlignmentMovesTheAnchor) {
    const std::vector<std::uint32_t> colours(30 * 20, 0xFFFFFFFF);
    Image image(colours.data(), 30, 20);
    image.setPosition(100, 100);
    image.setAlignment(3, 3);
    EXPECT_EQ(image.getAnchorX(), 15.0f);
    EXPECT_EQ(image.getAnchorY(), 10.0f);
    const float left = image.getLeft(), top = image.getTop(), right = image.getRight();
    image.setFlipX(true);
    EXPECT_EQ(image.getLeft(), left);
    EXPECT_EQ(image.getTop(), top);
    EXPECT_EQ(image.getRight(), right);
    EXPECT_EQ(image.getDestinationLeft(), 115);  // reversed: mirrored drawing
    EXPECT_EQ(image.getDestinationRight(), 85);
    image.setAlignment(2, 7);  // 7 leaves the vertical anchor alone
    EXPECT_EQ(image.getAnchorX(), 30.0f);
    EXPECT_EQ(image.getAnchorY(), 10.0f);
}

TEST_F(SpritesTest, ClippingCutsTheColumnsFromTheRightSideOfTheFrameFlippedOrNot) {
    const std::vector<std::uint32_t> strip = numberedStrip(10);
    for (bool flipped : {false, true}) {
        // Past the left edge of a window starting at x 5.
        auto window = clipWindow(5, 12);
        auto* image = new Image(strip.data(), 10, 1);
        image->setFlipX(flipped);
        window->addChild(image);
        fill(0);
        window->dispatchDraw();
        EXPECT_EQ(countOther(0), 5);
        EXPECT_EQ(pixel(4, 0), 0u);
        EXPECT_EQ(pixel(5, 0), flipped ? 5u : 6u);
        EXPECT_EQ(pixel(9, 0), flipped ? 1u : 10u);

        // Past the right edge, at x 12.
        image->setX(8);
        fill(0);
        window->dispatchDraw();
        EXPECT_EQ(countOther(0), 4);
        EXPECT_EQ(pixel(8, 0), flipped ? 10u : 1u);
        EXPECT_EQ(pixel(11, 0), flipped ? 7u : 4u);
        EXPECT_EQ(pixel(12, 0), 0u);
    }
}

TEST_F(SpritesTest, AnImageWithAlphaZeroDrawsNothingButStillHitTests) {
    const std::vector<std::uint32_t> colours(10 * 10, 0xFFFFFFFF);
    Image image(colours.data(), 10, 10);
    image.setPosition(50, 50);
    image.setAlpha(0);
    image.dispatchDraw();
    EXPECT_EQ(countOther(0), 0);
    EXPECT_TRUE(image.hitTestScreen(55, 55));
    image.setAlpha(255);
    image.dispatchDraw();
    EXPECT_EQ(countOther(0), 100);
}

TEST_F(SpritesTest, ShapesKeepTheirPointsAndMoveTheirScreenPoints) {
    Shape line;
    line.setLine(0, 0, 100, 0, 1);
    ASSERT_EQ(line.getPointCount(), 2);
    line.setLine(5, 5, 5, 5, 3);   // a single point: unchanged
    line.setLine(0, 0, 10, 0, 0);  // no thickness: unchanged
    EXPECT_EQ(line.getPointX(1), 100.0f);

    Shape band;
    band.setLine(0, 0, 10, 0, 4);
    ASSERT_EQ(band.getPointCount(), 4);
    EXPECT_EQ(band.getPointY(0), -2.0f);  // left to right: the offset points up
    EXPECT_EQ(band.getPointY(2), 2.0f);
    band.setLine(0, 0, 0, 10, 4);
    EXPECT_EQ(band.getPointX(0), 2.0f);
    band.setLine(0, 0, 3, 4, 10);
    EXPECT_FLOAT_EQ(band.getPointX(0), 4.0f);
    EXPECT_FLOAT_EQ(band.getPointY(0), -3.0f);

    Shape box;
    box.setRectangle(0, 0, 20, 10);
    box.setRectangle(5, 0, 5, 10);  // right = left: the previous points stay
    EXPECT_EQ(box.getPointX(1), 20.0f);
    EXPECT_EQ(box.getRight(), 20.0f);
    box.setPosition(100.7f, 50);
    EXPECT_EQ(box.getScreenX(0), 100);
    EXPECT_EQ(box.getScreenX(1), 120);
    EXPECT_EQ(box.getPointX(1), 20.0f);
    EXPECT_EQ(box.getLeft(), 100.7f);

    // A point, a line and a rectangle each draw their primitive.
    Shape dot;
    const float origin = 0;
    dot.setPolygon(&origin, &origin, 1);
    dot.setPosition(3, 4);
    dot.dispatchDraw();
    EXPECT_EQ(pixel(3, 4), 0xFFFFFFu);
    EXPECT_EQ(countOther(0), 1);
    box.dispatchDraw();
    EXPECT_EQ(countOther(0), 1 + 200);
}

TEST_F(SpritesTest, CursorHotSpotsSitOnThePosition) {
    const std::vector<std::uint32_t> colours(30 * 10, 0xFFFFFFFF);
    Cursor cursor(colours.data(), 30, 10, 3, 1, 3);
    cursor.setAnchor(1, 1);
    cursor.setPointerFrame(1);
    EXPECT_EQ(cursor.getAnchorX(), 1.0f);  // no hot spots: the anchor stays
    const float xs[] = {4};
    const float ys[] = {6};
    cursor.setHotSpots(xs, ys, 1);  // fewer than frames: the rest are (0, 0)
    EXPECT_EQ(cursor.getAnchorX(), 0.0f);
    cursor.setPointerFrame(0);
    EXPECT_EQ(cursor.getAnchorX(), 4.0f);
    EXPECT_EQ(cursor.getAnchorY(), 6.0f);
    cursor.setPointerFrame(9);
    EXPECT_EQ(cursor.getPointerFrame(), 2u);
    EXPECT_EQ(cursor.getFrame(), 2u);
    EXPECT_EQ(cursor.getAnchorX(), 0.0f);
    cursor.setHotSpots(nullptr, ys, 1);
    cursor.setPointerFrame(0);
    EXPECT_EQ(cursor.getAnchorX(), 0.0f);
}

TEST_F(SpritesTest, ThePointerIsDrawnWithItsTipOnTheMouse) {
    const std::vector<std::uint32_t> pointer = makePointerImage();
    EXPECT_EQ(pointer[0], 0xFF666666u);        // arrow tip: the outline, opaque
    EXPECT_EQ(pointer[20 + 10], 0xFF666666u);  // frame 1 starts at column 20
    EXPECT_EQ(pointer[31 * 40 + 39], 0u);      // the corners are transparent

    InputManager::mouseX = 400;
    InputManager::mouseY = 300;
    InputManager::drawPointer();
    EXPECT_EQ(pixel(400, 300), 0x666666u);
    EXPECT_EQ(pixel(399, 300), 0u);
    InputManager::setCursorFrame(1);
    fill(0);
    InputManager::drawPointer();
    EXPECT_EQ(pixel(400, 300), 0x666666u);
    EXPECT_NE(pixel(400, 320), 0u);  // the shaft below the tip
    InputManager::setCursorVisible(false);
    fill(0);
    InputManager::drawPointer();
    EXPECT_EQ(countOther(0), 0);
    InputManager::setCursorVisible(true);
    InputManager::setCursorFrame(0);
}

TEST_F(SpritesTest, TheHeadlessWindowWritesEveryKthFrameAsAPng) {
    auto& window = machine->window();
    const std::filesystem::path frames = directory / "frames";
    std::filesystem::create_directories(frames);
    window.setFrameDump(frames, 2);
    for (std::uint32_t colour : {0x102030u, 0x405060u, 0x708090u, 0xA0B0C0u}) {
        fill(colour);
        GraphicManager::present();
    }
    EXPECT_EQ(window.framesDumped(), 2);
    EXPECT_FALSE(std::filesystem::exists(frames / "frame-000001.png"));
    int width = 0, height = 0;
    const std::vector<std::uint32_t> second = readPng((frames / "frame-000002.png").string(), width, height);
    ASSERT_EQ(second.size(), 800u * 600u);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(second[12345], 0x405060u);
    const std::vector<std::uint32_t> fourth = readPng((frames / "frame-000004.png").string(), width, height);
    ASSERT_FALSE(fourth.empty());
    EXPECT_EQ(fourth.back(), 0xA0B0C0u);

    // A folder that cannot be written to is reported once and the run goes on.
    window.setFrameDump(directory / "missing" / "deeper", 1);
    testing::internal::CaptureStderr();
    GraphicManager::present();
    GraphicManager::present();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot write"), std::string::npos);
    EXPECT_EQ(said.find("cannot write", said.find("cannot write") + 1), std::string::npos);
    EXPECT_EQ(window.framesPresented(), 6);

    std::string whyNot;
    EXPECT_FALSE(platform::writePng(directory / "empty.png", nullptr, 0, 0, whyNot));
    EXPECT_FALSE(std::filesystem::exists(directory / "empty.png"));
}
