// The fast blending paths against the scalar definition, on random pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "graphics/DisplayFormat.h"
#include "graphics/FlatBlend.h"
#include "graphics/PixelBlend.h"

using namespace tidewell;
namespace PB = tidewell::PixelBlend;

namespace {

std::vector<PB::Level> supportedFastLevels() {
    std::vector<PB::Level> levels;
    for (PB::Level level : {PB::Level::Sse2, PB::Level::Avx2}) {
        if (PB::isSupported(level)) levels.push_back(level);
    }
    return levels;
}

struct Rows {
    std::vector<std::uint32_t> source;
    std::vector<std::uint32_t> deep;     // 32-bit destination, unused byte 0
    std::vector<std::uint16_t> shallow;  // 16-bit destination
};

// Alphas are drawn so that 0, 255 and everything between all turn up often.
Rows randomRows(std::mt19937& random, int count) {
    std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFF);
    std::uniform_int_distribution<int> alphaKind(0, 5);
    Rows rows;
    for (int i = 0; i < count; ++i) {
        std::uint32_t pixel = any(random);
        const int kind = alphaKind(random);
        if (kind == 0) pixel &= 0x00FFFFFF;
        if (kind == 1) pixel |= 0xFF000000;
        rows.source.push_back(pixel);
        rows.deep.push_back(any(random) & 0x00FFFFFF);
        rows.shallow.push_back(static_cast<std::uint16_t>(any(random)));
    }
    return rows;
}

}  // namespace

TEST(PixelBlendTest, TheScalarKernelsFollowTheDisplayFormatsBlend) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFF);
    const DisplayFormat deep = DisplayFormat::xrgb8888();
    const DisplayFormat shallow = DisplayFormat::rgb565();
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t destination = any(random);
        const std::uint32_t source = any(random);
        const std::uint32_t alpha = any(random) & 0xFF;
        ASSERT_EQ(PB::blend8888(destination, source, alpha), deep.blendPixel(destination, source, alpha));
        ASSERT_EQ(PB::blend565(destination & 0xFFFF, source & 0xFFFF, alpha),
                  shallow.blendPixel(destination & 0xFFFF, source & 0xFFFF, alpha));
        ASSERT_EQ(PB::toRgb565(source), shallow.toDisplayColour(source));
    }
}

TEST(PixelBlendTest, EveryFastLevelGivesTheScalarPixelsForwardsAndMirrored) {
    const std::vector<PB::Level> levels = supportedFastLevels();
    if (levels.empty()) GTEST_SKIP() << "no vector unit on this processor";
    const PB::Kernels& scalar = PB::kernels(PB::Level::Scalar);
    std::mt19937 random(2024);
    std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFF);
    // Lengths around every vector width, so the tails are crossed too.
    for (int count : {0, 1, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33, 64, 255, 256, 801}) {
        for (int round = 0; round < 8; ++round) {
            const Rows rows = randomRows(random, count);
            std::uint32_t multiply = any(random);
            const std::uint32_t add = any(random);
            if (round == 0) multiply |= 0xFF000000;  // opaque tint: alpha comes from the pixels alone
            for (bool reversed : {false, true}) {
                const std::uint32_t* source =
                    reversed && count > 0 ? rows.source.data() + count - 1 : rows.source.data();
                for (PB::Level level : levels) {
                    const PB::Kernels& fast = PB::kernels(level);
                    SCOPED_TRACE(testing::Message()
                                 << PB::levelName(level) << " count " << count << " reversed " << reversed
                                 << " multiply " << std::hex << multiply << " add " << add);
                    auto expected32 = rows.deep, actual32 = rows.deep;
                    scalar.translucent32(expected32.data(), source, count, reversed);
                    fast.translucent32(actual32.data(), source, count, reversed);
                    ASSERT_EQ(actual32, expected32);

                    expected32 = actual32 = rows.deep;
                    scalar.tinted32(expected32.data(), source, count, reversed, multiply, add);
                    fast.tinted32(actual32.data(), source, count, reversed, multiply, add);
                    ASSERT_EQ(actual32, expected32);

                    auto expected16 = rows.shallow, actual16 = rows.shallow;
                    scalar.translucent16(expected16.data(), source, count, reversed);
                    fast.translucent16(actual16.data(), source, count, reversed);
                    ASSERT_EQ(actual16, expected16);

                    expected16 = actual16 = rows.shallow;
                    scalar.tinted16(expected16.data(), source, count, reversed, multiply, add);
                    fast.tinted16(actual16.data(), source, count, reversed, multiply, add);
                    ASSERT_EQ(actual16, expected16);
                }
            }
        }
    }
}

TEST(PixelBlendTest, EveryAlphaAndChannelPairIsExactInTheFastPaths) {
    // All 256 alphas against all 256 source values, with a destination that walks too.
    const std::vector<PB::Level> levels = supportedFastLevels();
    if (levels.empty()) GTEST_SKIP() << "no vector unit on this processor";
    std::vector<std::uint32_t> source;
    std::vector<std::uint32_t> destination;
    for (std::uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (std::uint32_t value = 0; value < 256; ++value) {
            source.push_back(alpha << 24 | value << 16 | (255 - value) << 8 | (value * 7 & 0xFF));
            destination.push_back(((value + alpha) & 0xFF) << 16 | (alpha ^ value) << 8 | (255 - alpha));
        }
    }
    const int count = static_cast<int>(source.size());
    for (PB::Level level : levels) {
        auto expected = destination, actual = destination;
        PB::kernels(PB::Level::Scalar).translucent32(expected.data(), source.data(), count, false);
        PB::kernels(level).translucent32(actual.data(), source.data(), count, false);
        EXPECT_EQ(actual, expected) << PB::levelName(level);
        expected = actual = destination;
        PB::kernels(PB::Level::Scalar).tinted32(expected.data(), source.data(), count, false, 0xFFFFFFFF, 0xFF000000);
        PB::kernels(level).tinted32(actual.data(), source.data(), count, false, 0xFFFFFFFF, 0xFF000000);
        EXPECT_EQ(actual, expected) << PB::levelName(level);
    }
}

TEST(PixelBlendTest, TheChosenLevelIsOneThisProcessorRuns) {
    EXPECT_TRUE(PB::isSupported(PB::activeLevel()));
    EXPECT_TRUE(PB::isSupported(PB::Level::Scalar));
    // An unsupported level falls back to the definition rather than crashing.
    for (PB::Level level : {PB::Level::Sse2, PB::Level::Avx2}) {
        if (!PB::isSupported(level)) {
            EXPECT_EQ(&PB::kernels(level), &PB::kernels(PB::Level::Scalar));
        }
    }
}

TEST(PixelBlendTest, MultiplyAddColourClampsEachChannelAndDropsAlpha) {
    EXPECT_EQ(PB::multiplyAddColour(0xFF808080, 0xFFFFFFFF, 0xFF000000), 0x808080u);
    EXPECT_EQ(PB::multiplyAddColour(0x12FF8040, 0xFF800000, 0x00000000), 0x800000u);  // 255 × 128 / 255 = 128
    EXPECT_EQ(PB::multiplyAddColour(0xFFF0F0F0, 0xFFFFFFFF, 0x00202020), 0xFFFFFFu);  // 240 + 32 clamps
    EXPECT_EQ(PB::multiplyAddColour(0xFF010203, 0x7F7F7F7F, 0x00010101), 0x010102u);
}

// A translucent rectangle's look-up blend gives the display format's own blend for every
// 16-bit pixel and for every value of each 32-bit channel, at the alphas of a fade.
TEST(PixelBlendTest, TheFlatBlendOfARectangleGivesThePixelsOfTheFormatsBlend) {
    const tidewell::DisplayFormat rgb565 = tidewell::DisplayFormat::rgb565();
    const tidewell::DisplayFormat xrgb8888 = tidewell::DisplayFormat::xrgb8888();
    std::vector<std::uint16_t> every16(65536);
    std::vector<std::uint32_t> every32(256 * 256);
    for (std::uint32_t colour : {0xFFFFFFu, 0xFF0000u, 0x000000u, 0x7F3A19u}) {
        for (std::uint32_t alpha : {1u, 12u, 127u, 128u, 191u, 254u}) {
            for (std::uint32_t i = 0; i < every16.size(); ++i) every16[i] = static_cast<std::uint16_t>(i);
            const std::uint32_t colour16 = rgb565.toDisplayColour(colour);
            tidewell::FlatBlend(rgb565, colour16, alpha).apply(every16.data(), static_cast<int>(every16.size()));
            for (std::uint32_t i = 0; i < every16.size(); ++i) {
                ASSERT_EQ(every16[i], rgb565.blendPixel(i, colour16, alpha)) << std::hex << i << " " << colour;
            }
            // Each channel takes every value, beside changing others, so a mixed-up channel shows.
            for (std::uint32_t i = 0; i < every32.size(); ++i)
                every32[i] = (i & 0xFF) << 16 | (i >> 8) << 8 | (i * 7 & 0xFF);
            tidewell::FlatBlend(xrgb8888, colour, alpha).apply(every32.data(), static_cast<int>(every32.size()));
            for (std::uint32_t i = 0; i < every32.size(); ++i) {
                const std::uint32_t under = (i & 0xFF) << 16 | (i >> 8) << 8 | (i * 7 & 0xFF);
                ASSERT_EQ(every32[i], xrgb8888.blendPixel(under, colour, alpha)) << std::hex << under << " " << colour;
            }
        }
    }
}
