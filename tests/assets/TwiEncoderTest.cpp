#include "BakeError.h"
#include "Picture.h"
#include "TwiEncoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using assetbake::Picture;

namespace {

Picture flat(int width, int height, std::uint32_t premultiplied) {
    return Picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, premultiplied)};
}

std::uint16_t pixelOf(const std::vector<std::uint8_t>& twi, std::size_t index) {
    return static_cast<std::uint16_t>(twi[24 + 2 * index] | twi[25 + 2 * index] << 8);
}

TEST(TwiEncoderTest, TheHeaderHoldsTheSizeAndSixteenZeroBytes) {
    const std::vector<std::uint8_t> twi = assetbake::encodeTwi(flat(3, 2, 0));
    ASSERT_EQ(twi.size(), 24u + 3 * 2 * 2);
    EXPECT_EQ(twi[0], 3);
    EXPECT_EQ(twi[4], 2);
    for (std::size_t at = 8; at < 24; ++at) EXPECT_EQ(twi[at], 0) << at;
}

TEST(TwiEncoderTest, OpaqueAndTransparentPixelsAndHalfAlphaUnpremultiplied) {
    // Opaque white is the most opaque the format holds: every channel 15.
    EXPECT_EQ(pixelOf(assetbake::encodeTwi(flat(4, 4, 0xFFFFFFFF)), 5), 0xFFFF);
    // A clear pixel is stored as 0, whatever colour cairo left in it.
    EXPECT_EQ(pixelOf(assetbake::encodeTwi(flat(4, 4, 0x00000000)), 5), 0x0000);
    // Red 0x80 at alpha 0x60, premultiplied to 0x30, is straight red 0x80 again.
    const assetbake::StraightColour colour = assetbake::unpremultiply(0x60300000);
    EXPECT_EQ(colour.alpha, 0x60);
    EXPECT_EQ(colour.red, 0x80);
    EXPECT_EQ(colour.green, 0);
    EXPECT_EQ(pixelOf(assetbake::encodeTwi(flat(4, 4, 0x60300000)), 5), 0x6800);
}

TEST(TwiEncoderTest, AFlatColourOnALevelHasNoPatternButOneBetweenLevelsAveragesToIt) {
    const std::vector<std::uint8_t> onLevel = assetbake::encodeTwi(flat(4, 4, 0xFF608030));
    for (std::size_t index = 0; index < 16; ++index) EXPECT_EQ(pixelOf(onLevel, index), 0xF683) << index;

    // 0x68 lies half way between levels 6 and 7: a 4 × 4 block holds both, half each.
    const std::vector<std::uint8_t> between = assetbake::encodeTwi(flat(4, 4, 0xFF686868));
    double sum = 0;
    for (std::size_t index = 0; index < 16; ++index) sum += (pixelOf(between, index) >> 8 & 0xF) * 16;
    EXPECT_DOUBLE_EQ(sum / 16, 0x68);
}

TEST(TwiEncoderTest, AGentleGradientKeepsItsAverageInsteadOfBanding) {
    // A ramp from 0x40 to 0x7F over 64 pixels: rounding alone would give four flat
    // bands; the dithered rows keep each column's brightness within a level.
    Picture ramp{64, 4, {}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 64; ++x) ramp.premultiplied.push_back(0xFF000000u | static_cast<std::uint32_t>(0x40 + x) << 8);
    }
    const std::vector<std::uint8_t> twi = assetbake::encodeTwi(ramp);
    for (int x = 0; x < 64; x += 4) {
        double sum = 0;
        for (int y = 0; y < 4; ++y) {
            for (int dx = 0; dx < 4; ++dx) sum += (pixelOf(twi, static_cast<std::size_t>(y * 64 + x + dx)) >> 4 & 0xF) * 16;
        }
        EXPECT_NEAR(sum / 16, 0x40 + x + 1.5, 4.0) << x;
    }
}

TEST(TwiEncoderTest, SvgSheetsMustHaveTheManifestsSize) {
    const std::filesystem::path svg = std::filesystem::temp_directory_path() / "assetbake-size-test.svg";
    std::ofstream(svg) << R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 40 20">)"
                       << R"(<rect x="0" y="0" width="20" height="20" fill="#ff0000"/></svg>)";
    try {
        assetbake::renderSvgSheet(svg.string(), 64, 64);
        ADD_FAILURE() << "a 40 x 20 sheet was accepted as 64 x 64";
    } catch (const assetbake::BakeError& error) {
        EXPECT_NE(std::string(error.what()).find("is 40 x 20 but the manifest's grid and frame make 64 x 64"),
                  std::string::npos)
            << error.what();
    }
    const Picture picture = assetbake::renderSvgSheet(svg.string(), 40, 20);
    EXPECT_EQ(picture.at(5, 5), 0xFFFF0000u);
    EXPECT_EQ(picture.at(30, 5), 0u);
    // The icon takes only frame 0 (the red left half), fitted and centred in 32 × 32.
    const Picture icon = assetbake::renderSvgFrameFitted(svg.string(), 20, 20, 32);
    EXPECT_EQ(icon.at(1, 1), 0xFFFF0000u);
    EXPECT_EQ(icon.at(30, 30), 0xFFFF0000u);
    std::filesystem::remove(svg);
}

} // namespace
