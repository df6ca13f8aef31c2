#include <gtest/gtest.h>

#include <cstdint>

#include "GameFixture.h"
#include "display/Shape.h"
#include "display/Text.h"
#include "gameplay/hud/LifeBar.h"

namespace brinefall::testing {
namespace {

int alphaOf(const tidewell::Sprite* sprite) { return static_cast<int>(sprite->colour >> 24); }
int rgbOf(const tidewell::Sprite* sprite) { return static_cast<int>(sprite->colour & 0xFFFFFF); }

class HudLifeBarTest : public GameFixture {
protected:
    void startBar(int max, int life) {
        startEngine();
        bar = new LifeBar;
        bar->setLifeMax(max);
        bar->setLifeShown(life);
        setRoot(bar);
    }

    float fillLength() const { return bar->getFill()->getRight() - bar->getFill()->getLeft(); }

    // A pixel in the middle of the bar's height, `along` pixels right of its start.
    std::uint32_t barPixel(float along) const {
        const std::vector<std::uint32_t> frame = lastFrame();
        const int x = static_cast<int>(bar->getFill()->x + along);
        const int y = static_cast<int>(bar->getFill()->y + 5);
        return frame[static_cast<std::size_t>(y * 800 + x)];
    }

    LifeBar* bar = nullptr;
};

bool isYellow(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) > 200 && ((pixel >> 8) & 0xFF) > 200 && (pixel & 0xFF) < 60;
}

TEST_F(HudLifeBarTest, TheFramedBarStandsRightOfTheLabelOnePixelForTenPointsOfLife) {
    startBar(1000, 1000);
    const tidewell::Text* label = bar->getLabel();
    EXPECT_FLOAT_EQ(label->x, 10);
    EXPECT_FLOAT_EQ(label->y, 10);
    const float left = label->getRight() + 20;
    const float top = label->getTop() + 5;
    for (const tidewell::Shape* part : {bar->getFill(), bar->getTopLine(), bar->getLeftLine()}) {
        EXPECT_FLOAT_EQ(part->x, left);
        EXPECT_FLOAT_EQ(part->y, top);
    }
    EXPECT_FLOAT_EQ(bar->getBottomLine()->y, top + 10);
    EXPECT_FLOAT_EQ(bar->getRightLine()->x, left + 100);
    EXPECT_FLOAT_EQ(bar->getTopLine()->getRight() - bar->getTopLine()->x, 100);
    EXPECT_FLOAT_EQ(fillLength(), 100);
    EXPECT_EQ(rgbOf(bar->getFill()), 0xFFFF00);
    step(1);
    EXPECT_TRUE(isYellow(barPixel(50)));
}

TEST_F(HudLifeBarTest, BelowHalfTheBarFadesFromYellowTowardsRed) {
    startBar(1000, 500);
    EXPECT_EQ(rgbOf(bar->getFill()), 0xFFFF00);
    bar->setLifeShown(499);
    EXPECT_EQ(rgbOf(bar->getFill()), 0xFFFE00);
    bar->setLifeShown(300);
    EXPECT_EQ(rgbOf(bar->getFill()), 0xFF9900);  // green 300 * 255 / 500 = 153
    EXPECT_FLOAT_EQ(fillLength(), 30);
    bar->setLifeShown(1);
    EXPECT_EQ(rgbOf(bar->getFill()), 0xFF0000);
    EXPECT_EQ(alphaOf(bar->getFill()), 255);
}

TEST_F(HudLifeBarTest, NoLifeLeftShowsTheFrameOnly) {
    startBar(1000, 1000);
    bar->setLifeShown(0);
    EXPECT_EQ(alphaOf(bar->getFill()), 0);
    EXPECT_EQ(bar->getLifeShown(), 0);
    step(1);
    EXPECT_FALSE(isYellow(barPixel(50)));
    EXPECT_EQ(barPixel(50) & 0xFFFFFF, 0u);
    // The frame's top line is still drawn.
    const std::vector<std::uint32_t> frame = lastFrame();
    const int x = static_cast<int>(bar->getTopLine()->x + 50);
    const int y = static_cast<int>(bar->getTopLine()->y);
    EXPECT_NE(frame[static_cast<std::size_t>(y * 800 + x)] & 0xFFFFFF, 0u);

    // A later, negative report keeps it empty; a revived ship fills it again.
    bar->setLifeShown(-40);
    EXPECT_EQ(alphaOf(bar->getFill()), 0);
    bar->setLifeShown(1000);
    EXPECT_EQ(alphaOf(bar->getFill()), 255);
    EXPECT_FLOAT_EQ(fillLength(), 100);
}

TEST_F(HudLifeBarTest, TheFillNeverOutgrowsTheFrame) {
    startBar(1000, 1500);
    EXPECT_EQ(bar->getLifeShown(), 1000);
    EXPECT_FLOAT_EQ(fillLength(), 100);

    // A smaller maximum shortens the frame and cuts the shown life down with it.
    bar->setLifeMax(600);
    EXPECT_EQ(bar->getLifeShown(), 600);
    EXPECT_FLOAT_EQ(fillLength(), 60);
    EXPECT_FLOAT_EQ(bar->getTopLine()->getRight() - bar->getTopLine()->x, 60);
    EXPECT_FLOAT_EQ(bar->getRightLine()->x, bar->getLabel()->getRight() + 60 + 20);

    // A larger one lengthens the frame and leaves the life where it was.
    bar->setLifeMax(2000);
    EXPECT_EQ(bar->getLifeShown(), 600);
    EXPECT_FLOAT_EQ(bar->getBottomLine()->getRight() - bar->getBottomLine()->x, 200);
}

}  // namespace
}  // namespace brinefall::testing
