// The graphics manager with the software renderer: colours, primitives, textures,
// the registries, frames and their recovery after a loss.

#include <vector>

#include "core/Engine.h"
#include "core/ErrorFile.h"
#include "GraphicsTestSupport.h"
#include "display/Image.h"
#include "core/MainLoop.h"
#include "graphics/PixelBlend.h"
#include "display/Shape.h"
#include "graphics/Texture.h"

using namespace tidewell;

namespace {

constexpr std::uint32_t kPlain = 0xFFFFFFFF;
constexpr std::uint32_t kNoAdd = 0xFF000000;

// A texture of width × height colours made in memory.
Texture* texture(std::uint32_t width, std::uint32_t height, const std::vector<std::uint32_t>& colours) {
    return GraphicManager::createTexture(width, height, colours.data(), false);
}

}  // namespace

class RendererTest : public GraphicsFixture {};

TEST_F(RendererTest, ColourFunctionsFollowTheDisplayFormat) {
    startGraphics(16);
    EXPECT_EQ(GraphicManager::countBits(0xF800), 5);
    EXPECT_EQ(GraphicManager::toDisplayColour(0x12FF8040), 0xFC08u);  // alpha ignored
    EXPECT_EQ(GraphicManager::toDisplayColour(0xFFFFFF), 0xFFFFu);
    // Per field (128 × 31 / 255 = 15, 128 × 63 / 255 = 31): the masked form equals the field form.
    EXPECT_EQ(GraphicManager::blendPixel(0x0000, 0xFFFF, 128), 0x7BEFu);
    EXPECT_EQ(GraphicManager::blendPixel(0x1234, 0xFFFF, 0), 0x1234u);
    EXPECT_EQ(GraphicManager::blendPixel(0x1234, 0xABCD, 255), 0xABCDu);
    EXPECT_EQ(GraphicManager::getDisplayFormat().avoidKeyColour(0xFFFF), 0xF7DEu);
    EXPECT_EQ(GraphicManager::getDisplayFormat().avoidKeyColour(0x0000), 0x0821u);
    EXPECT_EQ(GraphicManager::toPixelFormat(0xF0A05030, 4, 4, 4, 4), 0xFA53u);
    EXPECT_EQ(GraphicManager::toPixelFormat(0xF0A05030, 4, 4, 4, 0), 0xA53u);
    EXPECT_EQ(GraphicManager::toPixelFormat(0x12345678, 8, 8, 8, 8), 0x12345678u);
    EXPECT_EQ(GraphicManager::multiplyAddColour(0xFF804020, 0xFF808080, 0xFF101010), 0x503020u);
    EXPECT_EQ(GraphicManager::addColours(0x80FF0010, 0x90020030), 0xFF0040u);
    GraphicManager::stop();

    startGraphics(32);
    EXPECT_EQ(GraphicManager::toDisplayColour(0x12FF8040), 0xFF8040u);
    EXPECT_EQ(GraphicManager::blendPixel(0x000000, 0xFFFFFF, 128), 0x808080u);
    EXPECT_EQ(GraphicManager::blendPixel(0xFF204060, 0x00A0C0E0, 64), 0x406080u);  // the top byte never leaks in
    EXPECT_EQ(GraphicManager::getDisplayFormat().avoidKeyColour(0xFF00FF), 0xFE01FEu);
}

TEST_F(RendererTest, ALineSetsBothEndsAndEveryPixelBetweenInEitherDirection) {
    startGraphics(16);
    for (bool backwards : {false, true}) {
        fill(0);
        if (backwards)
            GraphicManager::drawLine(20, 5, 10, 5, 0xFFFFFFFF, kNoAdd, 0, 0, 800, 600);
        else
            GraphicManager::drawLine(10, 5, 20, 5, 0xFFFFFFFF, kNoAdd, 0, 0, 800, 600);
        EXPECT_EQ(countOther(0), 11);
        for (int x = 10; x <= 20; ++x) EXPECT_EQ(pixel(x, 5), 0xFFFFu) << x;
    }
    // A steep line has one point per row, ends included; one of a single point draws nothing.
    fill(0);
    GraphicManager::drawLine(3, 0, 0, 10, 0xFFFFFFFF, kNoAdd, 0, 0, 800, 600);
    EXPECT_EQ(countOther(0), 11);
    EXPECT_EQ(pixel(3, 0), 0xFFFFu);
    EXPECT_EQ(pixel(0, 10), 0xFFFFu);
    fill(0);
    GraphicManager::drawLine(7, 7, 7, 7, 0xFFFFFFFF, kNoAdd, 0, 0, 800, 600);
    EXPECT_EQ(countOther(0), 0);
    // Clipped: only the part inside the clip rectangle is drawn.
    GraphicManager::drawLine(-50, 100, 900, 100, 0xFFFFFFFF, kNoAdd, 10, 0, 30, 600);
    EXPECT_EQ(countOther(0), 20);
}

TEST_F(RendererTest, RectanglesFillOrBlendAndEmptyOnesDrawNothing) {
    startGraphics(32);
    fill(0x204060);
    GraphicManager::drawRectangle(0, 0, 800, 600, 0xFF102030, 0xFF010101, 0, 0, 800, 600);
    EXPECT_EQ(countOther(0x112131), 0);
    GraphicManager::drawRectangle(0, 0, 800, 600, 0x80FFFFFF, kNoAdd, 0, 0, 800, 600);
    EXPECT_EQ(countOther(GraphicManager::blendPixel(0x112131, 0xFFFFFF, 128)), 0);

    fill(0);
    GraphicManager::drawRectangle(30, 10, 20, 40, 0xFFFFFFFF, kNoAdd, 0, 0, 800, 600);   // right left of left
    GraphicManager::drawRectangle(10, 10, 20, 20, 0x00FFFFFF, kNoAdd, 0, 0, 800, 600);   // invisible
    GraphicManager::drawRectangle(10, 10, 20, 20, 0xFFFFFFFF, kNoAdd, 20, 0, 800, 600);  // clipped away
    EXPECT_EQ(countOther(0), 0);
    GraphicManager::drawRectangle(-10, -10, 5, 4, 0xFFFFFFFF, kNoAdd, -100, -100, 900, 900);
    EXPECT_EQ(countOther(0), 20);
}

TEST_F(RendererTest, APixelOnTheScreenEdgeOrPastItIsClippedAndAHalfOneBlends) {
    startGraphics(16);
    fill(0);
    GraphicManager::drawPixel(800, 10, 0xFFFFFFFF, kNoAdd, 0, 0, 800, 600);
    GraphicManager::drawPixel(10, 600, 0xFFFFFFFF, kNoAdd, 0, 0, 900, 900);
    GraphicManager::drawPixel(-1, 10, 0xFFFFFFFF, kNoAdd, -5, 0, 800, 600);
    EXPECT_EQ(countOther(0), 0);
    GraphicManager::drawPixel(799, 599, 0xFFFFFFFF, kNoAdd, 0, 0, 800, 600);
    GraphicManager::drawPixel(5, 5, 0x80FFFFFF, kNoAdd, 0, 0, 800, 600);
    EXPECT_EQ(pixel(799, 599), 0xFFFFu);
    EXPECT_EQ(pixel(5, 5), 0x7BEFu);
    EXPECT_EQ(countOther(0), 2);
}

TEST_F(RendererTest, PolygonsFillAsAFanWithoutGapsOrOverlaps) {
    startGraphics(32);
    fill(0);
    // A triangle whose top corners share a row fills from that row down.
    const int xs[] = {10, 30, 20};
    const int ys[] = {10, 10, 30};
    GraphicManager::drawPolygon(xs, ys, 3, 0xFFFFFFFF, kNoAdd, 0, 0, 800, 600);
    for (int x = 10; x < 30; ++x) EXPECT_EQ(pixel(x, 10), 0xFFFFFFu) << x;
    EXPECT_EQ(pixel(30, 10), 0u);
    EXPECT_EQ(pixel(20, 29), 0u);  // the bottom corner's row is the first left out
    EXPECT_EQ(pixel(19, 28), 0xFFFFFFu);
    EXPECT_EQ(pixel(20, 9), 0u);

    // A square as a polygon covers [left, right) × [top, bottom) once, even translucent.
    fill(0);
    const int squareX[] = {100, 110, 110, 100};
    const int squareY[] = {100, 100, 110, 110};
    GraphicManager::drawPolygon(squareX, squareY, 4, 0x80FFFFFF, kNoAdd, 0, 0, 800, 600);
    EXPECT_EQ(countOther(0), 100);
    for (int y = 100; y < 110; ++y) {
        for (int x = 100; x < 110; ++x) ASSERT_EQ(pixel(x, y), 0x808080u) << x << "," << y;
    }
    // Too few points, missing arrays or a clip outside the screen draw nothing.
    fill(0);
    GraphicManager::drawPolygon(xs, ys, 2, 0xFFFFFFFF, kNoAdd, 0, 0, 800, 600);
    GraphicManager::drawPolygon(nullptr, ys, 3, 0xFFFFFFFF, kNoAdd, 0, 0, 800, 600);
    GraphicManager::drawPolygon(xs, ys, 3, 0xFFFFFFFF, kNoAdd, 800, 0, 900, 600);
    EXPECT_EQ(countOther(0), 0);
}

TEST_F(RendererTest, AShapeOfFourPointsThatDoNotPairUpIsDrawnAsAPolygon) {
    startGraphics(32);
    fill(0);
    auto* kite = new Shape();
    const float kiteX[] = {0, 20, 0, -20};
    const float kiteY[] = {0, 20, 40, 20};
    kite->setPolygon(kiteX, kiteY, 4);
    kite->setPosition(100, 100);
    kite->dispatchDraw();
    EXPECT_EQ(pixel(100, 120), 0xFFFFFFu);  // the middle
    EXPECT_EQ(pixel(82, 102), 0u);          // inside the bounding box, outside the kite
    EXPECT_EQ(pixel(117, 137), 0u);

    // The same four points in rectangle order fill their whole box.
    fill(0);
    auto* box = new Shape();
    box->setRectangle(10, 10, 30, 20);
    box->colour = 0xFF00FF00;
    box->updateColour();
    box->dispatchDraw();
    EXPECT_EQ(countOther(0), 200);
    EXPECT_EQ(pixel(29, 19), 0x00FF00u);
    delete kite;
    delete box;
}

TEST_F(RendererTest, SurfacesAreCutToTheScreenSizeSoAnImageOneWiderGetsTwoColumns) {
    startGraphics(32);
    std::vector<std::uint32_t> colours(801 * 600);
    for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = 0xFF000000 | static_cast<std::uint32_t>(i % 801);
    Texture* wide = texture(801, 600, colours);
    EXPECT_EQ(wide->getColumns(), 2u);
    EXPECT_EQ(wide->getRows(), 1u);
    EXPECT_EQ(wide->getSurfaceWidth(), 1u);
    EXPECT_EQ(wide->getSurfaceHeight(), 600u);
    wide->create();
    ASSERT_NE(wide->getSurface(0, 0), nullptr);
    EXPECT_EQ(wide->getSurface(0, 0)->getWidth(), 800u);
    EXPECT_EQ(wide->getSurface(1, 0)->getWidth(), 1u);
    // Drawn one pixel to the left, the last column comes from the second cell.
    fill(0);
    wide->draw(1, 0, 801, 600, 0, 0, 800, 600, kPlain, kNoAdd);
    EXPECT_EQ(pixel(0, 0), 1u);
    EXPECT_EQ(pixel(799, 0), 800u);
    EXPECT_EQ(pixel(799, 599), 800u);
    // Mirrored, the cells trade places.
    wide->draw(1, 0, 801, 600, 800, 0, 0, 600, kPlain, kNoAdd);
    EXPECT_EQ(pixel(0, 0), 800u);
    EXPECT_EQ(pixel(799, 3), 1u);

    colours.resize(800 * 600);
    Texture* screen = texture(800, 600, colours);
    EXPECT_EQ(screen->getColumns(), 1u);
    EXPECT_EQ(screen->getSurfaceWidth(), 800u);
}

TEST_F(RendererTest, APictureWithOnlyTranslucentPixelsHasNoSurfacesAndIsBlended) {
    startGraphics(16);
    // .twi pixels: 4 bits a channel, so the highest alpha is 240.
    const std::string file = writeTwi("glass.twi", 2, 2, {0xF00F, 0x8F00, 0x0FFF, 0xF0F0});
    Texture* glass = GraphicManager::getTexture(file.c_str(), true);
    ASSERT_NE(glass, nullptr);
    EXPECT_FALSE(glass->hasOpaquePixels());
    EXPECT_TRUE(glass->hasTranslucentPixels());
    EXPECT_EQ(glass->getTranslucentPixelCount(), 3u);  // the one of alpha 0 is in neither group
    EXPECT_TRUE(glass->isCreated());
    EXPECT_EQ(glass->getSurface(0, 0), nullptr);

    fill(0x1234);
    glass->draw(0, 0, 2, 2, 10, 20, 12, 22, kPlain, kNoAdd);
    EXPECT_EQ(pixel(10, 20), GraphicManager::blendPixel(0x1234, GraphicManager::toDisplayColour(0x0000F0), 240));
    EXPECT_EQ(pixel(11, 20), GraphicManager::blendPixel(0x1234, GraphicManager::toDisplayColour(0xF00000), 128));
    EXPECT_EQ(pixel(10, 21), 0x1234u);
    EXPECT_EQ(pixel(11, 21), GraphicManager::blendPixel(0x1234, GraphicManager::toDisplayColour(0x00F000), 240));
    EXPECT_EQ(countOther(0x1234), 3);
}

TEST_F(RendererTest, AtSixteenBitsTheLeastUsedColourIsTheKeyAndOpaquePixelsOfItAreShifted) {
    startGraphics(16);
    // Every display colour once (pixel i has display value i), the first 256 twice.
    std::vector<std::uint32_t> colours;
    for (std::uint32_t i = 0; i < 65536 + 256; ++i) {
        const std::uint32_t value = i & 0xFFFF;
        const std::uint32_t red = (value >> 11) << 3, green = ((value >> 5) & 0x3F) << 2, blue = (value & 0x1F) << 3;
        colours.push_back(0xFF000000 | red << 16 | green << 8 | blue);
    }
    Texture* every = texture(256, 257, colours);
    EXPECT_EQ(every->getColourKey(), 256u);
    fill(0);
    every->draw(0, 0, 256, 257, 0, 0, 256, 257, kPlain, kNoAdd);
    EXPECT_EQ(pixel(0, 1), 0x0921u);  // value 256, the key, one step up in every field
    EXPECT_EQ(pixel(1, 1), 257u);
    EXPECT_EQ(pixel(255, 255), 0xFFFFu);
    EXPECT_EQ(pixel(5, 256), 5u);

    // Translucent pixels count towards the key but alpha-0 ones do not.
    Texture* few = texture(3, 1, {0x80000000, 0x00000020, 0xFF000040});
    EXPECT_EQ(few->getColourKey(), 1u);
}

TEST_F(RendererTest, AtThirtyTwoBitsTheKeyIsTheFirstUnusedFourBitClass) {
    startGraphics(32);
    Texture* dark = texture(2, 1, {0xFF000000, 0xFF0F0F0F});  // both in class 0
    EXPECT_EQ(dark->getColourKey(), 0x010111u);
    // With classes 0 and 1 taken the key moves on to class 2; opaque pixels keep their colour.
    Texture* keyed = texture(3, 1, {0xFF000000, 0xFF010111, 0xFF808080});
    EXPECT_EQ(keyed->getColourKey(), 0x010121u);
    fill(0x445566);
    keyed->draw(0, 0, 3, 1, 0, 0, 3, 1, kPlain, kNoAdd);
    EXPECT_EQ(pixel(0, 0), 0x000000u);
    EXPECT_EQ(pixel(2, 0), 0x808080u);
}

TEST_F(RendererTest, AHalfAlphaWhiteDrawBlendsEveryPixelAtHalfItsAlpha) {
    startGraphics(32);
    Texture* picture = texture(2, 1, {0xFFFF0000, 0xF000FF00});
    fill(0x0000FF);
    picture->draw(0, 0, 2, 1, 0, 0, 2, 1, 0x80FFFFFF, kNoAdd);
    EXPECT_EQ(pixel(0, 0), GraphicManager::blendPixel(0x0000FF, 0xFF0000, 128));
    EXPECT_EQ(pixel(1, 0), GraphicManager::blendPixel(0x0000FF, 0x00FF00, 240 * 128 / 255));
    // Tints multiply and add; alpha 0 draws nothing at all.
    picture->draw(0, 0, 2, 1, 0, 1, 2, 2, 0xFF808080, 0xFF000010);
    EXPECT_EQ(pixel(0, 1), 0x800010u);
    picture->draw(0, 0, 2, 1, 0, 2, 2, 3, 0x00FFFFFF, kNoAdd);
    EXPECT_EQ(pixel(0, 2), 0x0000FFu);
}

TEST_F(RendererTest, MirroredDrawsReverseTheirAxisOnEveryPath) {
    for (int depth : {16, 32}) {
        startGraphics(depth);
        const DisplayFormat& format = GraphicManager::getDisplayFormat();
        // Opaque (copied), translucent (blended) and a mix, left to right A B C D, then a second row.
        const std::vector<std::uint32_t> colours = {0xFF100000, 0x80200000, 0xFF300000, 0x80400000,
                                                    0xFF000010, 0x80000020, 0xFF000030, 0x80000040};
        Texture* strip = texture(4, 2, colours);
        auto expected = [&](std::uint32_t colour) {
            return (colour >> 24) == 255 ? format.toDisplayColour(colour)
                                         : format.blendPixel(0, format.toDisplayColour(colour), colour >> 24);
        };
        for (bool tinted : {false, true}) {
            const std::uint32_t multiply = tinted ? 0xFFFFFFFE : kPlain;  // forces the software path
            auto colourOf = [&](std::uint32_t colour) {
                if (!tinted) return expected(colour);
                const std::uint32_t alpha = (colour >> 24) * 255 / 255;
                const std::uint32_t rgb = GraphicManager::multiplyAddColour(colour, multiply, kNoAdd);
                return format.blendPixel(0, format.toDisplayColour(rgb), alpha);
            };
            fill(0);
            strip->draw(0, 0, 4, 2, 4, 0, 0, 2, multiply, kNoAdd);  // left to right
            for (int x = 0; x < 4; ++x) EXPECT_EQ(pixel(x, 0), colourOf(colours[3 - x])) << depth << tinted << x;
            strip->draw(0, 0, 4, 2, 10, 2, 14, 0, multiply, kNoAdd);  // upside down
            for (int x = 0; x < 4; ++x) EXPECT_EQ(pixel(10 + x, 0), colourOf(colours[4 + x])) << depth << tinted;
            strip->draw(0, 0, 4, 2, 24, 2, 20, 0, multiply, kNoAdd);  // both
            EXPECT_EQ(pixel(20, 0), colourOf(colours[7]));
            EXPECT_EQ(pixel(23, 1), colourOf(colours[0]));
        }
        GraphicManager::stop();
        WindowManager::destroyWindow();
    }
}

TEST_F(RendererTest, DrawsAreCutAtTheScreenEdgesFromTheRightSideOfThePicture) {
    startGraphics(32);
    std::vector<std::uint32_t> colours(10);
    for (std::uint32_t i = 0; i < 10; ++i) colours[i] = 0xFF000000 | (i + 1);
    Texture* strip = texture(10, 1, colours);
    fill(0);
    strip->draw(0, 0, 10, 1, -3, 0, 7, 1, kPlain, kNoAdd);
    EXPECT_EQ(pixel(0, 0), 4u);
    EXPECT_EQ(pixel(6, 0), 10u);
    strip->draw(0, 0, 10, 1, 7, 1, -3, 2, kPlain, kNoAdd);  // mirrored: the cut is the picture's right end
    EXPECT_EQ(pixel(0, 1), 7u);
    EXPECT_EQ(pixel(6, 1), 1u);
    strip->draw(0, 0, 10, 1, 795, 2, 805, 3, kPlain, 0);  // an add of 0 that is not the plain one: drawn in software
    EXPECT_EQ(pixel(799, 2), 5u);
    // A source reaching outside the picture is kept inside it.
    strip->draw(-5, 0, 20, 1, 100, 3, 125, 4, kPlain, kNoAdd);
    EXPECT_EQ(pixel(104, 3), 0u);
    EXPECT_EQ(pixel(105, 3), 1u);
    EXPECT_EQ(pixel(114, 3), 10u);
    EXPECT_EQ(pixel(115, 3), 0u);
    // Entirely off the screen: nothing, and no complaint.
    strip->draw(0, 0, 10, 1, -20, 5, -10, 6, kPlain, kNoAdd);
    strip->draw(0, 0, 10, 1, 0, 700, 10, 701, kPlain, kNoAdd);
}

TEST_F(RendererTest, TexturesAreSharedByImageAndCountedByTheirHolders) {
    startGraphics(16);
    EXPECT_EQ(GraphicManager::getTexture("picture.png", true), nullptr);
    EXPECT_EQ(GraphicManager::textureCount(), 0u);
    const std::string file = writeTwi("shared.twi", 1, 1, {0xFFFF});
    Texture* first = GraphicManager::getTexture(file.c_str(), false);
    const std::string upper = (directory / "SHARED.TWI").string();
    Texture* second = GraphicManager::getTexture(upper.c_str(), true);
    EXPECT_EQ(first, second);
    EXPECT_EQ(GraphicManager::referenceCount(first), 2u);
    EXPECT_EQ(ResourceManager::referenceCount(first->getImage()), 1u);  // the texture's own, no more
    GraphicManager::releaseTexture(second);
    EXPECT_EQ(GraphicManager::textureCount(), 1u);
    GraphicManager::releaseTexture(first);
    EXPECT_EQ(GraphicManager::textureCount(), 0u);
    EXPECT_THROW(GraphicManager::getTexture((directory / "missing.twi").string().c_str(), true), ErrorFile);
    GraphicManager::releaseTexture(nullptr);
}

class FrameTest : public GraphicsFixture {
protected:
    void TearDown() override {
        delete root;
        MainLoop::reset();
        GraphicsFixture::TearDown();
    }

    // A root that is not the engine's: the frame draws through the engine's root pointer.
    void drawTree(Sprite* tree) {
        root = tree;
        setRootSprite(tree);
        GraphicManager::drawFrame();
    }

    Sprite* root = nullptr;
};

TEST_F(FrameTest, WithoutClearingTheBackBufferKeepsWhatWasDrawnBefore) {
    startGraphics(32);
    GraphicManager::clearBackground = false;
    fill(0x123456);
    GraphicManager::drawFrame();
    EXPECT_EQ(pixel(10, 10), 0x123456u);
    GraphicManager::clearBackground = true;
    GraphicManager::clearColour = 0xFF00FF00;
    GraphicManager::drawFrame();
    EXPECT_EQ(pixel(10, 10), 0x00FF00u);
    // Nothing is drawn while the program is in the background.
    fill(0x123456);
    MainLoop::setActive(false);
    GraphicManager::drawFrame();
    EXPECT_EQ(pixel(10, 10), 0x123456u);
}

TEST_F(FrameTest, ALossDuringAFrameIsRecoveredAndTheFrameDrawnAgain) {
    startGraphics(16);
    GraphicManager::clearBackground = false;
    auto* scene = new Sprite();
    auto* solid = new Image(std::vector<std::uint32_t>(16 * 16, 0xFFFF0000).data(), 16, 16);
    const std::string file = writeTwi("soft.twi", 1, 1, {0xF0F0});
    auto* soft = new Image(file.c_str());
    soft->setPosition(40, 40);
    scene->addChild(solid);
    scene->addChild(soft);
    drawTree(scene);
    EXPECT_EQ(pixel(5, 5), 0xF800u);

    // Another program takes the display: every surface loses its pixels.
    software().loseSurfaces();
    EXPECT_TRUE(solid->getTexture()->getSurface(0, 0)->isLost());
    GraphicManager::drawFrame();
    EXPECT_FALSE(backBuffer().isLost());
    EXPECT_EQ(pixel(5, 5), 0xF800u);  // the copy failed once, the picture was filled again
    EXPECT_EQ(pixel(40, 40), GraphicManager::blendPixel(0xA5A5, GraphicManager::toDisplayColour(0x00F000), 240));
}

TEST_F(FrameTest, ATextureFromBeforeAFullScreenSwitchDrawsWithoutBeingFetchedAgain) {
    startGraphics(16);
    Texture* red = texture(1, 1, {0xFFFF0000});
    red->draw(0, 0, 1, 1, 0, 0, 1, 1, kPlain, kNoAdd);
    EXPECT_EQ(pixel(0, 0), 0xF800u);
    WindowManager::setFullScreen(false);  // the window is re-created, the display reset
    EXPECT_EQ(GraphicManager::getDisplayDepth(), 32);
    EXPECT_FALSE(red->isCreated());
    fill(0);
    red->draw(0, 0, 1, 1, 0, 0, 1, 1, kPlain, kNoAdd);
    EXPECT_EQ(pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(GraphicManager::textureCount(), 1u);
}

TEST_F(FrameTest, PresentingShowsTheBackBufferOnTheWindow) {
    startGraphics(16);
    fill(0xF800);
    GraphicManager::present();
    ASSERT_EQ(machine->window().framesPresented(), 1);
    EXPECT_EQ(machine->window().lastFrame()[0], 0xFF0000u);
    GraphicManager::stop();
    WindowManager::destroyWindow();
    startGraphics(32);
    fill(0x123456);
    GraphicManager::copyToWindow();
    EXPECT_EQ(machine->window().lastFrame()[799 * 600 - 1 + 600], 0x123456u);
}

TEST_F(FrameTest, TheDesktopIsGivenBackForADialog) {
    EXPECT_ANY_THROW(GraphicManager::flipToGdiSurface());
    startGraphics(16);
    ASSERT_TRUE(machine->window().isFullScreen());
    GraphicManager::flipToGdiSurface();
    GraphicManager::restoreDisplayMode();
    EXPECT_FALSE(machine->window().isFullScreen());
}
