#include <algorithm>
#include <functional>
#include <vector>

#include "GameFixture.h"
#include "display/Image.h"
#include "core/Random.h"
#include "backgrounds/Background1.h"
#include "backgrounds/Background2.h"

using namespace tidewell;
using brinefall::Background;
using brinefall::Background1;
using brinefall::Background2;
using brinefall::TileRow;

namespace {

class BackgroundScrollTest : public brinefall::testing::GameFixture {
protected:
    template <typename T>
    T* start() {
        startEngine();
        auto* root = new Sprite();
        setRoot(root);
        auto* background = new T();
        root->addChild(background);
        return background;
    }

    // The row's tiles from left to right must touch each other, the leftmost still on
    // screen, and show the row's pictures one after the other in their cycle.
    static void expectGaplessInOrder(const TileRow& row, const char* name) {
        std::vector<Image*> tiles = row.getTiles();
        std::sort(tiles.begin(), tiles.end(), [](Image* a, Image* b) { return a->x < b->x; });
        ASSERT_EQ(tiles.size(), 5u);
        EXPECT_GT(tiles.front()->x, -TileRow::kTileWidth) << name;
        EXPECT_LE(tiles.front()->x, 0) << name;
        const auto& textures = row.getTextures();
        const auto indexOf = [&](const Image* tile) {
            return std::find(textures.begin(), textures.end(), tile->getTexture()) - textures.begin();
        };
        for (std::size_t i = 1; i < tiles.size(); ++i) {
            EXPECT_FLOAT_EQ(tiles[i]->x - tiles[i - 1]->x, TileRow::kTileWidth) << name << " gap before tile " << i;
            EXPECT_EQ(indexOf(tiles[i]), (indexOf(tiles[i - 1]) + 1) % static_cast<long>(textures.size()))
                << name << " picture out of order at tile " << i;
        }
    }

    template <typename T>
    void checkEasing() {
        T* background = start<T>();
        EXPECT_FLOAT_EQ(background->getSpeed(), 2);
        // The boss's rush: one pixel more a frame, 98 frames from 2 to 100, then steady.
        background->setTargetSpeed(100);
        step(97);
        EXPECT_FLOAT_EQ(background->getSpeed(), 99);
        step(1);
        EXPECT_FLOAT_EQ(background->getSpeed(), 100);
        const float before = background->getRowA().getTiles()[0]->x;
        step(1);
        EXPECT_FLOAT_EQ(background->getSpeed(), 100);
        const float moved = before - background->getRowA().getTiles()[0]->x;
        EXPECT_TRUE(moved == 100 || moved == 100 - 5 * TileRow::kTileWidth) << moved;
        // Slowing down after the boss, and a target between whole steps is met, not passed.
        background->setTargetSpeed(2);
        step(97);
        EXPECT_FLOAT_EQ(background->getSpeed(), 3);
        step(1);
        EXPECT_FLOAT_EQ(background->getSpeed(), 2);
        background->setTargetSpeed(3.5f);
        step(1);
        EXPECT_FLOAT_EQ(background->getSpeed(), 3);
        step(1);
        EXPECT_FLOAT_EQ(background->getSpeed(), 3.5f);
        step(3);
        EXPECT_FLOAT_EQ(background->getSpeed(), 3.5f);
    }

    // Scrolls slowly, then at the boss's rush, then slowly again, checking both rows each frame.
    template <typename T>
    void checkRows() {
        T* background = start<T>();
        expectGaplessInOrder(background->getRowA(), "row A");
        expectGaplessInOrder(background->getRowB(), "row B");
        for (int frame = 1; frame <= 400; ++frame) {
            if (frame == 50) background->setTargetSpeed(100);
            if (frame == 250) background->setTargetSpeed(2);
            step(1);
            expectGaplessInOrder(background->getRowA(), "row A");
            expectGaplessInOrder(background->getRowB(), "row B");
            if (HasFailure()) FAIL() << "at frame " << frame;
        }
    }
};

}  // namespace

TEST_F(BackgroundScrollTest, Stage1SpeedClimbsAndFallsByOnePixelAFrameWithoutPassingTheTarget) {
    checkEasing<Background1>();
}

TEST_F(BackgroundScrollTest, Stage2SpeedClimbsAndFallsByOnePixelAFrameWithoutPassingTheTarget) {
    checkEasing<Background2>();
}

TEST_F(BackgroundScrollTest, Stage1RowsStayGaplessWithTheirPicturesInOrderAcrossEveryWrap) { checkRows<Background1>(); }

TEST_F(BackgroundScrollTest, Stage2RowsStayGaplessWithTheirPicturesInOrderAcrossEveryWrap) { checkRows<Background2>(); }

TEST_F(BackgroundScrollTest, TheNextRecycledTileOfEachRowShowsThePictureAfterTheLastTile) {
    Background1* stage1 = start<Background1>();
    EXPECT_EQ(stage1->getRowA().getNext(), 0u);
    EXPECT_EQ(stage1->getRowB().getNext(), 2u);
    auto* stage2 = new Background2();
    stage1->parent->addChild(stage2);
    EXPECT_EQ(stage2->getRowA().getNext(), 2u);
    EXPECT_EQ(stage2->getRowB().getNext(), 2u);
    // Row B of stage 1 starts at y 88 over the band, which is at the top.
    EXPECT_FLOAT_EQ(stage1->getRowA().getTiles()[0]->y, 0);
    EXPECT_FLOAT_EQ(stage1->getRowB().getTiles()[0]->y, 88);
    EXPECT_FLOAT_EQ(stage2->getRowB().getTiles()[4]->y, 88);
}

TEST_F(BackgroundScrollTest, DecorationsArePlacedByThreeDrawsAndComeInBeyondTheNewestOne) {
    startEngine();
    auto* root = new Sprite();
    setRoot(root);

    // Picture, gap after the previous one and depth, drawn in that order for each of the five.
    Random::seed(4242);
    struct Placement {
        int picture;
        float x;
        float y;
    };
    std::vector<Placement> expected;
    float x = 0;
    for (int i = 0; i < 5; ++i) {
        const int picture = Random::choose(6);
        x += 200 + Random::choose(100);
        expected.push_back({picture, x, 370.0f + Random::choose(200)});
    }
    Random::seed(4242);
    auto* background = new Background1();
    root->addChild(background);
    for (int i = 0; i < 5; ++i) {
        Image* decoration = background->getDecorations()[i];
        EXPECT_EQ(decoration->getTexture(), background->getDecorationTextures()[expected[i].picture]) << i;
        EXPECT_FLOAT_EQ(decoration->x, expected[i].x) << i;
        EXPECT_FLOAT_EQ(decoration->y, expected[i].y) << i;
        // Anchored at the bottom right corner.
        EXPECT_FLOAT_EQ(decoration->getAbsoluteRight(), expected[i].x) << i;
        EXPECT_FLOAT_EQ(decoration->getAbsoluteBottom(), expected[i].y) << i;
    }

    int recycled = 0;
    background->setTargetSpeed(60);
    for (int frame = 0; frame < 300; ++frame) {
        std::vector<float> before;
        for (Image* decoration : background->getDecorations()) before.push_back(decoration->x);
        const float newestBefore = background->getDecorX();
        step(1);
        const float speed = background->getSpeed();
        for (std::size_t i = 0; i < before.size(); ++i) {
            Image* decoration = background->getDecorations()[i];
            if (decoration->x <= before[i]) continue;
            ++recycled;
            const float gap = decoration->x - (newestBefore - speed);
            EXPECT_GE(gap, 200) << "frame " << frame;
            EXPECT_LE(gap, 299) << "frame " << frame;
            EXPECT_GE(decoration->y, 370) << "frame " << frame;
            EXPECT_LE(decoration->y, 569) << "frame " << frame;
            EXPECT_FLOAT_EQ(background->getDecorX(), decoration->x);
            EXPECT_FLOAT_EQ(decoration->getAbsoluteRight(), decoration->x);
        }
    }
    EXPECT_GT(recycled, 20);
}
