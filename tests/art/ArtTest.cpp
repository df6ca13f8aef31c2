#include "Manifest.h"
#include "resources/TwiFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A baked sheet read back as the game reads it, with 4-bit levels per channel.
struct Sheet {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    static int level(std::uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF) / 16; }
    static int alpha(std::uint32_t argb) { return level(argb, 24); }
};

Sheet loadSheet(const std::string& name) {
    tidewell::TwiFile file((std::string(BRINEFALL_DATA_DIR) + "/" + name).c_str());
    file.load();
    Sheet sheet;
    sheet.width = static_cast<int>(file.width);
    sheet.height = static_cast<int>(file.height);
    sheet.pixels.assign(file.pixels, file.pixels + static_cast<std::size_t>(file.width) * file.height);
    return sheet;
}

// Two pixels that sit side by side across a join look alike when no channel
// differs by more than a dithering step or two.
bool lookAlike(std::uint32_t a, std::uint32_t b) {
    for (int shift : {0, 8, 16, 24}) {
        if (std::abs(Sheet::level(a, shift) - Sheet::level(b, shift)) > 3) return false;
    }
    return true;
}

// Share of the pixels along a join that do not match: a seam shows as a run of them.
double horizontalSeam(const Sheet& left, const Sheet& right) {
    int mismatched = 0;
    for (int y = 0; y < left.height; ++y) mismatched += !lookAlike(left.at(left.width - 1, y), right.at(0, y));
    return static_cast<double>(mismatched) / left.height;
}

double verticalSeam(const Sheet& top, const Sheet& bottom, int bottomOffsetX) {
    int mismatched = 0;
    for (int x = 0; x < top.width; ++x) mismatched += !lookAlike(top.at(x, top.height - 1), bottom.at(x + bottomOffsetX, 0));
    return static_cast<double>(mismatched) / top.width;
}

constexpr double kSeamTolerance = 0.01;

TEST(ArtTest, BackgroundTilesJoinWithoutASeamInTheOrderTheyScroll) {
    // Each row of a scrolling background repeats its tiles in this order, so every
    // neighbour pair (and the last back to the first) must meet without a seam.
    const std::vector<std::vector<std::string>> rows = {
        {"background1_0.twi"},
        {"background1_1.twi", "background1_2.twi", "background1_3.twi"},
        {"background2_0.twi", "background2_1.twi", "background2_2.twi"},
        {"background2_3.twi", "background2_4.twi", "background2_5.twi"},
    };
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string& next = row[(i + 1) % row.size()];
            SCOPED_TRACE(row[i] + " then " + next);
            EXPECT_LE(horizontalSeam(loadSheet(row[i]), loadSheet(next)), kSeamTolerance);
        }
    }
    // The upper band sits on the sea below it: stage 1's one band tile over each of
    // the three sea tiles, stage 2's band tiles over the sea tiles they travel with.
    const std::vector<std::pair<std::string, std::string>> stacked = {
        {"background1_0.twi", "background1_1.twi"}, {"background1_0.twi", "background1_2.twi"},
        {"background1_0.twi", "background1_3.twi"}, {"background2_0.twi", "background2_3.twi"},
        {"background2_1.twi", "background2_4.twi"}, {"background2_2.twi", "background2_5.twi"},
    };
    for (const auto& [top, bottom] : stacked) {
        SCOPED_TRACE(top + " over " + bottom);
        EXPECT_LE(verticalSeam(loadSheet(top), loadSheet(bottom), 0), kSeamTolerance);
    }
}

TEST(ArtTest, TheStillBackdropIsOnePictureInBothSets) {
    // Six tiles at (0, 0), (512, 0), (768, 0), (0, 88), (512, 88), (768, 88); the
    // second set (6 to 11) is the same picture, coloured.
    for (int set : {0, 6}) {
        auto tile = [set](int i) { return loadSheet("background6_" + std::to_string(set + i) + ".twi"); };
        SCOPED_TRACE("set from background6_" + std::to_string(set));
        EXPECT_LE(horizontalSeam(tile(0), tile(1)), kSeamTolerance);
        EXPECT_LE(horizontalSeam(tile(1), tile(2)), kSeamTolerance);
        EXPECT_LE(horizontalSeam(tile(3), tile(4)), kSeamTolerance);
        EXPECT_LE(horizontalSeam(tile(4), tile(5)), kSeamTolerance);
        EXPECT_LE(verticalSeam(tile(0), tile(3), 0), kSeamTolerance);
        EXPECT_LE(verticalSeam(tile(1), tile(4), 0), kSeamTolerance);
        EXPECT_LE(verticalSeam(tile(2), tile(5), 0), kSeamTolerance);
    }
}

TEST(ArtTest, BackgroundsCoverTheScreenWithoutHoles) {
    std::vector<std::string> names = {"background1_0.twi", "background1_1.twi", "background1_2.twi",
                                      "background1_3.twi"};
    for (int i = 0; i < 6; ++i) names.push_back("background2_" + std::to_string(i) + ".twi");
    for (int i = 0; i < 12; ++i) names.push_back("background6_" + std::to_string(i) + ".twi");
    for (const std::string& name : names) {
        const Sheet sheet = loadSheet(name);
        const auto holes = std::count_if(sheet.pixels.begin(), sheet.pixels.end(),
                                         [](std::uint32_t p) { return Sheet::alpha(p) < 15; });
        EXPECT_EQ(holes, 0) << name << " lets the black behind it show through";
    }
}

TEST(ArtTest, TheTintedBackdropIsLightGreyAndTheColouredOneIsBlue) {
    // The hardware renderer multiplies the first set by 0x00007F: only its brightness
    // counts, so it must be grey and light enough to survive the halving.
    for (int i = 0; i < 6; ++i) {
        const std::string name = "background6_" + std::to_string(i) + ".twi";
        const Sheet sheet = loadSheet(name);
        long sum = 0;
        int coloured = 0;
        for (std::uint32_t p : sheet.pixels) {
            const int r = Sheet::level(p, 16), g = Sheet::level(p, 8), b = Sheet::level(p, 0);
            coloured += std::max({r, g, b}) - std::min({r, g, b}) > 1;
            sum += b;
        }
        EXPECT_EQ(coloured, 0) << name << " has coloured pixels";
        EXPECT_GE(sum / static_cast<long>(sheet.pixels.size()), 7) << name << " is too dark to tint";
    }
    for (int i = 6; i < 12; ++i) {
        const std::string name = "background6_" + std::to_string(i) + ".twi";
        const Sheet sheet = loadSheet(name);
        long red = 0, blue = 0;
        for (std::uint32_t p : sheet.pixels) {
            red += Sheet::level(p, 16);
            blue += Sheet::level(p, 0);
        }
        EXPECT_GT(blue, 3 * red) << name << " is not the blue of the tinted set";
    }
}

TEST(ArtTest, AnimationFramesStayInsideTheirCells) {
    // Ink on a frame's outermost pixels would show as a sliver of the neighbouring
    // frame when the game draws one cell of the grid.
    const std::vector<std::string> sprites = {
        "pufflo.twi",       "pufflosmall.twi", "bulletMain.twi", "bulletSpecial.twi", "bulletBomb1.twi",
        "bulletBomb2.twi",  "bulletEnemy.twi", "bulletEnemy05.twi", "enemy01.twi",    "enemy02.twi",
        "enemy05.twi",      "enemy06.twi",     "enemy07.twi",    "enemy11.twi",       "enemy13.twi",
        "enemy14.twi",      "enemy18.twi",     "enemy22.twi",    "explosion.twi",     "awards.twi",
        "weapons1.twi"};
    std::map<std::string, assetbake::ManifestRow> manifest;
    for (auto& row : assetbake::readManifest(std::string(BRINEFALL_ASSETS_DIR) + "/manifest")) manifest[row.name] = row;
    for (const std::string& name : sprites) {
        const assetbake::ManifestRow& row = manifest.at(name);
        const Sheet sheet = loadSheet(name);
        for (int frame = 0; frame < row.columns * row.rows; ++frame) {
            const int left = frame % row.columns * row.frameWidth, top = frame / row.columns * row.frameHeight;
            const int right = left + row.frameWidth - 1, bottom = top + row.frameHeight - 1;
            int inked = 0;
            for (int x = left; x <= right; ++x) {
                inked += Sheet::alpha(sheet.at(x, top)) > 2;
                inked += Sheet::alpha(sheet.at(x, bottom)) > 2;
            }
            for (int y = top; y <= bottom; ++y) {
                inked += Sheet::alpha(sheet.at(left, y)) > 2;
                inked += Sheet::alpha(sheet.at(right, y)) > 2;
            }
            EXPECT_EQ(inked, 0) << name << " frame " << frame << " touches the edge of its cell";
        }
    }
}

TEST(ArtTest, TheSizeTableAgreesWithTheManifest) {
    // art/SIZES.md is what an artist reads; the manifest is what the bake uses.
    std::map<std::string, assetbake::ManifestRow> manifest;
    for (auto& row : assetbake::readManifest(std::string(BRINEFALL_ASSETS_DIR) + "/manifest")) {
        if (row.kind == assetbake::AssetKind::Image) manifest[row.name] = row;
    }
    std::ifstream table(std::string(BRINEFALL_ASSETS_DIR) + "/art/SIZES.md");
    ASSERT_TRUE(table.good());
    int listed = 0;
    for (std::string line; std::getline(table, line);) {
        // | name.twi | 2 × 2 | 100 × 64 | 200 × 128 | notes |
        std::vector<std::string> cells;
        std::stringstream stream(line);
        for (std::string cell; std::getline(stream, cell, '|');) {
            cell.erase(0, cell.find_first_not_of(' '));
            cell.erase(cell.find_last_not_of(' ') + 1);
            cells.push_back(cell);
        }
        if (cells.size() < 5 || cells[1].size() < 4 || cells[1].substr(cells[1].size() - 4) != ".twi") continue;
        ++listed;
        const auto found = manifest.find(cells[1]);
        ASSERT_NE(found, manifest.end()) << cells[1] << " is in SIZES.md but not an image of the manifest";
        const assetbake::ManifestRow& row = found->second;
        EXPECT_EQ(cells[2], std::to_string(row.columns) + " × " + std::to_string(row.rows)) << cells[1];
        EXPECT_EQ(cells[3], std::to_string(row.frameWidth) + " × " + std::to_string(row.frameHeight)) << cells[1];
        EXPECT_EQ(cells[4], std::to_string(row.sheetWidth()) + " × " + std::to_string(row.sheetHeight())) << cells[1];
    }
    EXPECT_EQ(listed, static_cast<int>(manifest.size())) << "every image of the manifest has a row in SIZES.md";
}

} // namespace
