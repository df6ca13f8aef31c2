#include "platform/PictureFit.h"

#include <gtest/gtest.h>

namespace {

using tidewell::platform::PictureFit;
using tidewell::platform::PictureRect;

void expectRect(const PictureRect& rect, int x, int y, int width, int height) {
    EXPECT_EQ(rect.x, x);
    EXPECT_EQ(rect.y, y);
    EXPECT_EQ(rect.width, width);
    EXPECT_EQ(rect.height, height);
}

TEST(PictureFitTest, TwiceTheLogicalSizeOrMoreDrawsWholeMultiples) {
    const PictureFit exact(1600, 1200);
    EXPECT_EQ(exact.integerScale(), 2);
    EXPECT_FALSE(exact.letterboxed());
    expectRect(exact.destination(), 0, 0, 1600, 1200);

    // A wide desktop: still 2, centred between bars, never stretched to 2.4.
    const PictureFit wide(1920, 1200);
    EXPECT_EQ(wide.integerScale(), 2);
    EXPECT_TRUE(wide.letterboxed());
    expectRect(wide.destination(), 160, 0, 1600, 1200);

    const PictureFit large(2560, 1900);
    EXPECT_EQ(large.integerScale(), 3);
    expectRect(large.destination(), 80, 50, 2400, 1800);
}

TEST(PictureFitTest, SmallerWindowsAreLetterboxedWithTheAspectKept) {
    const PictureFit wide(1000, 600);
    EXPECT_EQ(wide.integerScale(), 0);
    EXPECT_TRUE(wide.letterboxed());
    expectRect(wide.destination(), 100, 0, 800, 600);
    int x = -1, y = -1;
    EXPECT_TRUE(wide.toLogical(500, 300, x, y));
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    // The bars are off the picture.
    EXPECT_FALSE(wide.toLogical(50, 300, x, y));
    EXPECT_FALSE(wide.toLogical(950, 300, x, y));

    // Just short of twice in one direction: scaled to fit, not a whole multiple.
    const PictureFit almost(1599, 1200);
    EXPECT_EQ(almost.integerScale(), 0);
    expectRect(almost.destination(), 0, 0, 1599, 1199);

    const PictureFit tall(800, 1000);
    expectRect(tall.destination(), 0, 200, 800, 600);
    EXPECT_FLOAT_EQ(PictureFit(1200, 900).scale(), 1.5f);
}

TEST(PictureFitTest, TinyAndEmptyWindowsNeitherCrashNorMapOffThePicture) {
    const PictureFit tiny(150, 100);
    expectRect(tiny.destination(), 8, 0, 133, 100);
    int x = -1, y = -1;
    EXPECT_TRUE(tiny.toLogical(75, 50, x, y));
    EXPECT_NEAR(x, 400, 6);
    EXPECT_NEAR(y, 300, 6);
    EXPECT_TRUE(tiny.toLogical(8, 0, x, y));
    EXPECT_TRUE(tiny.toLogical(140, 99, x, y));
    EXPECT_LT(x, 800);
    EXPECT_LT(y, 600);
    EXPECT_FALSE(tiny.toLogical(3, 50, x, y));

    const PictureFit dot(1, 1);
    EXPECT_EQ(dot.destination().width, 1);
    EXPECT_EQ(dot.destination().height, 1);
    EXPECT_TRUE(dot.toLogical(0, 0, x, y));

    for (const PictureFit& empty : {PictureFit(0, 0), PictureFit(0, 600), PictureFit(-5, 40)}) {
        EXPECT_EQ(empty.destination().width, 0);
        EXPECT_FALSE(empty.toLogical(0, 0, x, y));
        EXPECT_FLOAT_EQ(empty.logicalPerPoint(), 1.0f);
        empty.toWindow(400, 300, x, y);  // no division by zero
    }
}

// A HiDPI display counts the window in points and draws it in twice the pixels: the
// picture is fitted to the pixels, the pointer is read in points.
TEST(PictureFitTest, HighDensityDisplaysFitThePixelsAndMapThePoints) {
    const PictureFit retina(800, 600, 1600, 1200);
    EXPECT_EQ(retina.integerScale(), 2);
    EXPECT_FALSE(retina.letterboxed());
    int x = -1, y = -1;
    EXPECT_TRUE(retina.toLogical(400, 300, x, y));
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    EXPECT_TRUE(retina.toLogical(799, 599, x, y));
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 599);
    EXPECT_FLOAT_EQ(retina.logicalPerPoint(), 1.0f);

    const PictureFit wideRetina(1000, 600, 2000, 1200);
    expectRect(wideRetina.destination(), 200, 0, 1600, 1200);
    EXPECT_TRUE(wideRetina.toLogical(500, 300, x, y));
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
}

// Where the cursor is put is where it reads back, at every scale the window can have.
TEST(PictureFitTest, PlacingTheCursorAndReadingItBackAgree) {
    const PictureFit fits[] = {PictureFit(800, 600),  PictureFit(1000, 600),  PictureFit(1024, 768),
                               PictureFit(1366, 768), PictureFit(1600, 1200), PictureFit(1920, 1080),
                               PictureFit(2560, 1440), PictureFit(800, 600, 1600, 1200),
                               PictureFit(1280, 800, 2560, 1600)};
    for (const PictureFit& fit : fits) {
        for (int logicalX : {0, 1, 399, 400, 798, 799}) {
            for (int logicalY : {0, 1, 299, 300, 598, 599}) {
                int windowX = 0, windowY = 0, x = -1, y = -1;
                fit.toWindow(logicalX, logicalY, windowX, windowY);
                ASSERT_TRUE(fit.toLogical(windowX, windowY, x, y)) << windowX << ", " << windowY;
                EXPECT_EQ(x, logicalX);
                EXPECT_EQ(y, logicalY);
            }
        }
    }
}

} // namespace
