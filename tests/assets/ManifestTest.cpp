#include "BakeError.h"
#include "Baker.h"
#include "Manifest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using assetbake::AssetKind;
using assetbake::parseManifestRow;

namespace {

std::string errorOf(const std::vector<std::string>& words) {
    try {
        parseManifestRow(words, "manifest", 7);
    } catch (const assetbake::BakeError& error) {
        return error.what();
    }
    return "";
}

TEST(ManifestTest, RowsReadTheirKindGridFrameAndSize) {
    const auto sheet = parseManifestRow({"enemy18.twi", "image", "art/enemy18.svg", "2x2", "72x48"}, "m", 3);
    EXPECT_EQ(sheet.kind, AssetKind::Image);
    EXPECT_EQ(sheet.sheetWidth(), 144);
    EXPECT_EQ(sheet.sheetHeight(), 96);
    EXPECT_EQ(sheet.bakedFileName(), "enemy18.twi");
    const auto font = parseManifestRow({"arial20_1.twf", "font", "/fonts/Bold.ttf", "-", "20px"}, "m", 4);
    EXPECT_EQ(font.pixelSize, 20);
    EXPECT_EQ(assetbake::sourcePath(font, "/assets"), "/fonts/Bold.ttf");
    const auto sound = parseManifestRow({"enemyDead.tws", "sound", "sounds/enemyDead.sfx", "-", "-"}, "m", 5);
    EXPECT_EQ(sound.bakedFileName(), "enemyDead.ogg");
    EXPECT_EQ(assetbake::sourcePath(sound, "/assets"), "/assets/sounds/enemyDead.sfx");
}

TEST(ManifestTest, BadRowsAreRefusedWithTheirLineAndReason) {
    EXPECT_EQ(errorOf({"a.twi", "image", "a.svg", "2x2"}), "manifest:7: a row has five words: name kind source grid frame");
    EXPECT_NE(errorOf({"a.twi", "picture", "a.svg", "1x1", "8x8"}).find("unknown kind 'picture'"), std::string::npos);
    EXPECT_NE(errorOf({"a.png", "image", "a.svg", "1x1", "8x8"}).find("ending in .twi"), std::string::npos);
    EXPECT_NE(errorOf({"a.twi", "image", "a.svg", "2by2", "8x8"}).find("grid must be"), std::string::npos);
    EXPECT_NE(errorOf({"a.twi", "image", "a.svg", "1x1", "0x8"}).find("frame must be"), std::string::npos);
    EXPECT_NE(errorOf({"a.twi", "image", "a.svg", "200x1", "100x8"}).find("larger than the game can load"),
              std::string::npos);
    EXPECT_NE(errorOf({"a.twf", "font", "f.ttf", "-", "12"}).find("like 12px"), std::string::npos);
    EXPECT_NE(errorOf({"a.tws", "sound", "a.sfx", "1x1", "-"}).find("no grid"), std::string::npos);
}

TEST(ManifestTest, ANameListedTwiceEvenInAnotherCaseIsRefused) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "assetbake-manifest-test";
    std::ofstream(path) << "# sounds\nshoot.tws sound sounds/shoot.sfx - -\n\nShoot.tws sound sounds/other.sfx - -\n";
    try {
        assetbake::readManifest(path.string());
        ADD_FAILURE() << "a name differing only in case was accepted";
    } catch (const assetbake::BakeError& error) {
        EXPECT_EQ(std::string(error.what()), path.string() + ":4: Shoot.tws is listed twice");
    }
    std::filesystem::remove(path);
}

TEST(ManifestTest, AMissingSourceFailsClearlyAndLeavesNoFileBehind) {
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "assetbake-missing-test";
    std::filesystem::remove_all(out);
    const auto row = parseManifestRow({"boss1.twi", "image", "art/boss1.svg", "1x1", "256x200"}, "m", 9);
    try {
        assetbake::bakeRowInto(row, "/nonexistent-assets", out.string());
        ADD_FAILURE() << "a missing source was baked";
    } catch (const assetbake::BakeError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "/nonexistent-assets/art/boss1.svg: missing; it is the source of boss1.twi (manifest line 9)");
    }
    EXPECT_FALSE(std::filesystem::exists(out / "boss1.twi"));
}

} // namespace
