// The moving parts the showcases are built of: images playing their frame cycles and the
// stages' scrolling backgrounds, on the baked pictures.

#include "CyclingImage.h"
#include "GraphicManager.h"
#include "Image.h"
#include "Random.h"
#include "ResourceManager.h"
#include "ScrollingSea.h"
#include "WindowManager.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

using namespace tidewell;

namespace {

const std::filesystem::path kDataDir = BRINEFALL_DATA_DIR;

class ShowcasePartsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kDataDir / "background1_9.twi") || !std::filesystem::exists(kDataDir / "enemy18.twi")) {
            FAIL() << "the baked pictures are not in " << kDataDir << " (build the assets target)";
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-parts-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        settings = pattern;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(kDataDir);
        platform::install(std::make_unique<platform::headless::HeadlessPlatform>(platform::PlatformOptions{settings}));
        WindowManager::setFullScreen(false);
        WindowManager::createWindow();
        GraphicManager::start();
        Random::seed(11);
    }

    void TearDown() override {
        if (settings.empty()) return;
        GraphicManager::stop();
        ResourceManager::stop();
        WindowManager::destroyWindow();
        platform::install(nullptr);
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(settings);
    }

    std::filesystem::path settings;
    std::filesystem::path previous;
};

TEST_F(ShowcasePartsTest, CyclingImagePlaysItsStepsFromItsPhaseAndHoldsWhenStopped) {
    // The flying fish's cycle: 0 for 20, 1 for 5, 0 for 10, 2 for 5, then again.
    brinefall::CyclingImage fish("enemy18.twi", 2, 2, {{0, 20}, {1, 5}, {0, 10}, {2, 5}});
    const std::map<unsigned, unsigned> expected = {{0, 0}, {19, 0}, {20, 1}, {24, 1}, {25, 0},
                                                   {34, 0}, {35, 2}, {39, 2}, {40, 0}, {60, 1}};
    for (const auto& [count, frame] : expected) EXPECT_EQ(fish.frameAt(count), frame) << "at " << count;
    EXPECT_EQ(fish.getFrame(), 0u);
    for (int i = 0; i < 20; ++i) fish.update();
    EXPECT_EQ(fish.getFrame(), 1u);
    fish.setCycling(false);
    for (int i = 0; i < 15; ++i) fish.update();
    EXPECT_EQ(fish.getFrame(), 1u);
    fish.setCycling(true);
    fish.update();
    EXPECT_EQ(fish.getFrame(), 1u);  // the count went on from where it stopped: 21
    // Centred on its position, as the game's actors are.
    EXPECT_EQ(fish.getAnchorX(), 36.0f);
    EXPECT_EQ(fish.getAnchorY(), 24.0f);

    // A phase starts the cycle further in; a zero-length step still lasts one update.
    brinefall::CyclingImage late("enemy18.twi", 2, 2, {{0, 20}, {1, 5}, {0, 10}, {2, 5}}, 36);
    EXPECT_EQ(late.getFrame(), 2u);
    brinefall::CyclingImage blink("enemy18.twi", 2, 2, {{3, 0}, {1, 1}});
    EXPECT_EQ(blink.frameAt(0), 3u);
    EXPECT_EQ(blink.frameAt(1), 1u);
    EXPECT_EQ(blink.frameAt(2), 3u);
}

// The tiles of one row of a scrolling sea, left to right: where each stands and which
// picture of the row it shows.
struct Tile {
    float x;
    int picture;
};

std::vector<Tile> rowOf(brinefall::ScrollingSea& sea, float y, const std::vector<Texture*>& pictures) {
    std::vector<Tile> row;
    for (Sprite* child = sea.getFirstChild(); child; child = child->getNextSibling()) {
        auto* image = dynamic_cast<Image*>(child);
        if (!image || image->y != y || image->getAnchorX() != 0) continue;
        const auto found = std::find(pictures.begin(), pictures.end(), image->getTexture());
        row.push_back({image->x, found == pictures.end() ? -1 : static_cast<int>(found - pictures.begin())});
    }
    std::sort(row.begin(), row.end(), [](const Tile& a, const Tile& b) { return a.x < b.x; });
    return row;
}

// The right edges of the seabed decorations, left to right.
std::vector<float> decorationEdges(brinefall::ScrollingSea& sea) {
    std::vector<float> edges;
    for (Sprite* child = sea.getFirstChild(); child; child = child->getNextSibling()) {
        auto* image = dynamic_cast<Image*>(child);
        if (image && image->getAnchorX() != 0) edges.push_back(image->x);
    }
    std::sort(edges.begin(), edges.end());
    return edges;
}

std::vector<Texture*> textures(const std::vector<std::string>& names) {
    std::vector<Texture*> held;
    for (const std::string& name : names) held.push_back(GraphicManager::getTexture(name.c_str(), true));
    return held;
}

void release(const std::vector<Texture*>& held) {
    for (Texture* texture : held) GraphicManager::releaseTexture(texture);
}

// Across many wraps each row stays a gapless run of five tiles covering the screen, its
// pictures in their order, and the decorations stay 200 to 299 pixels apart.
void expectSeaScrollsSeamlessly(int stage, const std::vector<std::string>& upperNames,
                                const std::vector<std::string>& seaNames, float speed) {
    brinefall::ScrollingSea sea(stage);
    sea.speed = speed;
    const std::vector<Texture*> upper = textures(upperNames), below = textures(seaNames);
    for (int frame = 0; frame < 700; ++frame) {
        SCOPED_TRACE("stage " + std::to_string(stage) + ", frame " + std::to_string(frame));
        for (const auto& [y, pictures] : {std::pair{0.0f, upper}, std::pair{88.0f, below}}) {
            const std::vector<Tile> row = rowOf(sea, y, pictures);
            ASSERT_EQ(row.size(), 5u);
            EXPECT_GT(row.front().x, -256.0f);
            EXPECT_LE(row.front().x, 0.0f);
            for (std::size_t i = 0; i + 1 < row.size(); ++i) {
                ASSERT_EQ(row[i + 1].x - row[i].x, 256.0f);
                ASSERT_NE(row[i].picture, -1);
                ASSERT_EQ(row[i + 1].picture, (row[i].picture + 1) % static_cast<int>(pictures.size()));
            }
        }
        const std::vector<float> edges = decorationEdges(sea);
        ASSERT_EQ(edges.size(), stage == 1 ? 5u : 0u);
        for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
            EXPECT_GE(edges[i + 1] - edges[i], 200.0f);
            EXPECT_LT(edges[i + 1] - edges[i], 300.0f);
        }
        if (!edges.empty()) {
            EXPECT_GE(edges.front(), 0.0f);
        }
        sea.update();
    }
    release(upper);
    release(below);
}

TEST_F(ShowcasePartsTest, ScrollingSeaRecyclesItsTilesInOrderWithoutAGap) {
    expectSeaScrollsSeamlessly(1, {"background1_0.twi"}, {"background1_1.twi", "background1_2.twi", "background1_3.twi"},
                               2);
    expectSeaScrollsSeamlessly(2, {"background2_0.twi", "background2_1.twi", "background2_2.twi"},
                               {"background2_3.twi", "background2_4.twi", "background2_5.twi"}, 2);
    // The boss's rush, a move of 100 a frame, still wraps one tile at a time.
    expectSeaScrollsSeamlessly(1, {"background1_0.twi"}, {"background1_1.twi", "background1_2.twi", "background1_3.twi"},
                               100);
}

}  // namespace
