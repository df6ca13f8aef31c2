#include "BakedAssetsSupport.h"

#include "resources/CharacterResource.h"
#include "FontBaker.h"
#include "resources/ResourceManager.h"
#include "resources/TwfFile.h"
#include "resources/TwiFile.h"
#include "resources/TwsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>

using assetbake::AssetKind;
using assetbake::ManifestRow;

namespace {

// Every file that the game loads by name. The manifest must list exactly these,
// so that a misspelt row cannot hide a file the game will not find.
const char* const kGameFiles[] = {
    "company.twi", "globe.twi", "title.twi", "startButton.twi", "optionsButton.twi", "helpButton.twi",
    "visitButton.twi", "exitButton.twi", "closebutton.twi", "checkbox.twi", "optionspanel.twi", "helppanel.twi",
    "controlsButton.twi", "controlspanel.twi", "defaultsButton.twi", "minusButton.twi", "plusButton.twi",
    "controlscard.twi", "keycap.twi", "padstick.twi", "padbutton.twi", "stageText1.twi", "stageText2.twi",
    "openingtext1.twi", "openingtext2.twi",
    "openingtext3.twi", "openingtext4.twi", "openingtext5.twi", "openingtext6.twi", "openingtext7.twi",
    "openingtext8.twi", "gameover.twi", "paused.twi", "weapons1.twi", "awards.twi", "pufflo.twi", "pufflosmall.twi",
    "bulletMain.twi", "bulletSpecial.twi", "bulletBomb1.twi", "bulletBomb2.twi", "bulletEnemy.twi",
    "bulletEnemy05.twi", "bulletBoss1.twi", "enemy01.twi", "enemy02.twi", "enemy05.twi", "enemy06.twi", "enemy07.twi",
    "enemy11.twi", "enemy13.twi", "enemy14.twi", "enemy18.twi", "enemy22.twi", "boss1.twi", "boss2_1.twi",
    "boss2_2.twi", "explosion.twi", "explosionBomb1.twi", "background1_0.twi", "background1_1.twi",
    "background1_2.twi", "background1_3.twi", "background1_4.twi", "background1_5.twi", "background1_6.twi",
    "background1_7.twi", "background1_8.twi", "background1_9.twi", "background2_0.twi", "background2_1.twi",
    "background2_2.twi", "background2_3.twi", "background2_4.twi", "background2_5.twi", "background6_0.twi",
    "background6_1.twi", "background6_2.twi", "background6_3.twi", "background6_4.twi", "background6_5.twi",
    "background6_6.twi", "background6_7.twi", "background6_8.twi", "background6_9.twi", "background6_10.twi",
    "background6_11.twi", "ending.twi", "icon.twi", "arial12c_1.twf", "arial20_1.twf", "title.tws", "stage1.tws",
    "stage2.tws", "boss.tws", "bossafter.tws", "company.tws", "button.tws", "shoot.tws", "hit.tws", "enemyDead.tws",
    "explode.tws", "enemyShoot.tws", "enemy05Shoot.tws", "boss1Shoot.tws", "award.tws", "puffloHit.tws", "dead.tws",
    "weapon.tws", "bossbegin.tws", "bosswin.tws",
};

// -1 dBFS as a 16-bit magnitude.
const int kLoudestSample = static_cast<int>(32767 * std::pow(10.0, -1.0 / 20));
// Anything quieter than -30 dBFS at its peak would be inaudible under the music.
const int kQuietestPeak = static_cast<int>(32767 * std::pow(10.0, -30.0 / 20));

class BakedAssetsTest : public ::testing::Test {
protected:
    void TearDown() override { tidewell::ResourceManager::stop(); }

    std::vector<ManifestRow> rowsOf(std::initializer_list<AssetKind> kinds) {
        std::vector<ManifestRow> selected;
        for (const ManifestRow& row : rows_.present) {
            if (std::find(kinds.begin(), kinds.end(), row.kind) != kinds.end()) selected.push_back(row);
        }
        return selected;
    }

    ManifestRows rows_ = manifestRows();
};

TEST_F(BakedAssetsTest, TheManifestListsExactlyTheFilesTheGameLoads) {
    std::set<std::string> listed;
    for (const auto* rows : {&rows_.present, &rows_.missing}) {
        for (const ManifestRow& row : *rows) listed.insert(row.name);
    }
    const std::set<std::string> expected(std::begin(kGameFiles), std::end(kGameFiles));
    for (const std::string& name : expected) EXPECT_TRUE(listed.count(name)) << name << " is not in the manifest";
    for (const std::string& name : listed) EXPECT_TRUE(expected.count(name)) << name << " is not a file the game loads";
}

TEST_F(BakedAssetsTest, EveryPictureLoadsWithTheSizeOfItsGrid) {
    for (const ManifestRow& row : rowsOf({AssetKind::Image, AssetKind::Icon})) {
        SCOPED_TRACE(row.name);
        tidewell::TwiFile image(dataPath(row.name).c_str());
        ASSERT_NO_THROW(image.load());
        const int width = row.kind == AssetKind::Icon ? 32 : row.sheetWidth();
        const int height = row.kind == AssetKind::Icon ? 32 : row.sheetHeight();
        EXPECT_EQ(image.width, static_cast<std::uint32_t>(width));
        EXPECT_EQ(image.height, static_cast<std::uint32_t>(height));
        // Every frame shows something: no frame of the grid was left empty.
        for (int frame = 0; frame < row.columns * row.rows && row.kind == AssetKind::Image; ++frame) {
            const int left = frame % row.columns * row.frameWidth, top = frame / row.columns * row.frameHeight;
            bool inked = false;
            for (int y = top; y < top + row.frameHeight && !inked; ++y) {
                for (int x = left; x < left + row.frameWidth && !inked; ++x) {
                    inked = (image.pixels[static_cast<std::size_t>(y) * image.width + x] >> 24) != 0;
                }
            }
            // bulletEnemy's grid has two frames the game never shows.
            if (row.name != "bulletEnemy.twi" || frame < 6) {
                EXPECT_TRUE(inked) << "frame " << frame << " is empty";
            }
        }
    }
}

// A source that is missing or a file the bake did not write is a failure, never a skip:
// the other checks here only look at what is there.
TEST_F(BakedAssetsTest, EveryFileTheGameLoadsHasItsSourceAndIsInTheDataFolder) {
    std::string missing;
    for (const ManifestRow& row : rows_.missing) missing += " " + row.name;
    EXPECT_TRUE(rows_.missing.empty()) << rows_.missing.size() << " files have no source:" << missing;
    for (const char* name : kGameFiles) {
        EXPECT_TRUE(std::filesystem::exists(dataPath(name))) << name << " is not in " << BRINEFALL_DATA_DIR;
    }
}

TEST_F(BakedAssetsTest, FontsCarryTheLatin1CharactersWithoutASpace) {
    for (const ManifestRow& row : rowsOf({AssetKind::Font})) {
        SCOPED_TRACE(row.name);
        tidewell::TwfFile font(dataPath(row.name).c_str());
        ASSERT_NO_THROW(font.load());
        EXPECT_EQ(font.findCharacter(' '), nullptr);
        std::uint32_t expectedCount = 0;
        for (std::uint32_t code = 0; code < 256; ++code) {
            if (!assetbake::isFontCode(code)) {
                EXPECT_EQ(font.findCharacter(code), nullptr) << code;
                continue;
            }
            ++expectedCount;
            const tidewell::CharacterResource* glyph = font.findCharacter(code);
            ASSERT_NE(glyph, nullptr) << code;
            // Every glyph sits inside the line and moves the pen forward.
            EXPECT_GE(glyph->top, 0) << code;
            EXPECT_LE(glyph->top + static_cast<std::int32_t>(glyph->height), font.lineHeight + 2) << code;
            EXPECT_GT(glyph->left + static_cast<std::int32_t>(glyph->width) + glyph->right, 0) << code;
        }
        EXPECT_EQ(font.characterCount, expectedCount);
        // Line height and space come from the face at its size: about 1.16 em and 0.32 em for DejaVu.
        EXPECT_NEAR(font.lineHeight, row.pixelSize * 1.16, 1.5);
        EXPECT_NEAR(font.defaultAdvance, row.pixelSize * 0.32, 1.5);
        // Letters share a baseline: "x" and "H" end on the same row.
        const auto* x = font.findCharacter('x');
        const auto* h = font.findCharacter('H');
        EXPECT_EQ(x->top + static_cast<std::int32_t>(x->height), h->top + static_cast<std::int32_t>(h->height));
        // "©" (0xA9) is drawn: the byte means the Latin-1 character.
        EXPECT_GT(font.findCharacter(0xA9)->width, 4u);
    }
}

struct Levels {
    int peak = 0;
    int largestStep = 0;
    int wrapStep = 0;
};

Levels levelsOf(const tidewell::SoundResource& sound) {
    Levels levels;
    const auto* samples = reinterpret_cast<const std::int16_t*>(sound.data.get());
    const std::size_t channels = sound.channels;
    const std::size_t frames = sound.dataBytes / 2 / channels;
    for (std::size_t channel = 0; channel < channels; ++channel) {
        for (std::size_t frame = 0; frame < frames; ++frame) {
            const int sample = samples[frame * channels + channel];
            levels.peak = std::max(levels.peak, std::abs(sample));
            if (frame > 0) {
                levels.largestStep = std::max(levels.largestStep, std::abs(sample - samples[(frame - 1) * channels + channel]));
            }
        }
        levels.wrapStep = std::max(levels.wrapStep, std::abs(samples[channel] - samples[(frames - 1) * channels + channel]));
    }
    return levels;
}

TEST_F(BakedAssetsTest, EverySoundIsInstalledAsTwsAtTheGamesRateWithHeadroom) {
    const auto rows = rowsOf({AssetKind::Sound, AssetKind::Music});
    EXPECT_EQ(rows.size(), 20u);
    for (const ManifestRow& row : rows) {
        SCOPED_TRACE(row.name);
        // The installation replaced the Ogg Vorbis copy with the .tws file.
        EXPECT_FALSE(std::filesystem::exists(dataPath(row.bakedFileName())));
        tidewell::TwsFile sound(dataPath(row.name).c_str());
        ASSERT_NO_THROW(sound.load());
        EXPECT_EQ(sound.rate, 22050u);
        EXPECT_EQ(sound.bits, 16u);
        EXPECT_EQ(sound.channels, row.kind == AssetKind::Music ? 2u : 1u);
        EXPECT_EQ(std::filesystem::file_size(dataPath(row.name)), 16u + sound.dataBytes);
        const Levels levels = levelsOf(sound);
        EXPECT_LE(levels.peak, kLoudestSample);
        EXPECT_GE(levels.peak, kQuietestPeak);
        const double seconds = sound.dataBytes / 2.0 / sound.channels / sound.rate;
        if (row.kind == AssetKind::Music) {
            EXPECT_GE(seconds, 20.0);
            // Looping: the step from the last sample back to the first is no click.
            EXPECT_LE(levels.wrapStep, levels.largestStep);
        } else {
            EXPECT_LE(seconds, 3.5);
        }
    }
}

} // namespace
