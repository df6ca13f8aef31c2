#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"
#include "ResourceTestSupport.h"
#include "resources/TwiFile.h"

using tidewell::ErrorFile;
using tidewell::ErrorGeneric;
using tidewell::TwiFile;

namespace {

class TwiFileTest : public ScratchFixture {};

TEST_F(TwiFileTest, FourBitChannelsBecomeTheHighNibblesOfEachByte) {
    TwiFile image(write("pair.twi", formats::twi(2, 1, {0xF00F, 0x0FFF})).c_str());
    image.load();
    ASSERT_TRUE(image.loaded);
    EXPECT_EQ(image.width, 2u);
    EXPECT_EQ(image.height, 1u);
    EXPECT_EQ(image.pixels[0], 0xF00000F0u);
    EXPECT_EQ(image.pixels[1], 0x00F0F0F0u);

    // Most opaque alpha is 240, not 255; every channel keeps its low nibble clear.
    EXPECT_EQ(TwiFile::expandPixel(0xFFFF), 0xF0F0F0F0u);
    EXPECT_EQ(TwiFile::expandPixel(0x1234), 0x10203040u);
    EXPECT_EQ(TwiFile::expandPixel(0x0000), 0u);
}

TEST_F(TwiFileTest, RowsRunFromTheTopAndBytesAfterThePixelsAreIgnored) {
    formats::Bytes bytes = formats::twi(2, 2, {0x1000, 0x2000, 0x3000, 0x4000});
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF});
    TwiFile image(write("square.twi", bytes).c_str());
    image.load();
    EXPECT_EQ(image.pixels[0], 0x10000000u);
    EXPECT_EQ(image.pixels[1], 0x20000000u);
    EXPECT_EQ(image.pixels[2], 0x30000000u);
    EXPECT_EQ(image.pixels[3], 0x40000000u);
}

TEST_F(TwiFileTest, AFileShorterThanItsPixelsLoadsWithTheMissingOnesTransparent) {
    formats::Bytes bytes = formats::twi(3, 1, {0xFFFF, 0xFFFF});
    bytes.push_back(0xFF);  // half of the third pixel
    TwiFile image(write("short.twi", bytes).c_str());
    image.load();
    ASSERT_TRUE(image.loaded);
    EXPECT_EQ(image.pixels[1], 0xF0F0F0F0u);
    EXPECT_EQ(image.pixels[2], 0u);

    // Even an empty file is only short: it is an image of no pixels.
    TwiFile empty(write("empty.twi", {}).c_str());
    empty.load();
    EXPECT_TRUE(empty.loaded);
    EXPECT_EQ(empty.width, 0u);
    EXPECT_EQ(empty.height, 0u);
}

TEST_F(TwiFileTest, AMissingFileNamesItselfAndIsNotCalledCorrupt) {
    TwiFile image(path("nowhere.twi").c_str());
    const auto error = thrown<ErrorFile>([&] { image.load(); });
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->corrupt);
    EXPECT_EQ(error->fileName, path("nowhere.twi"));
    EXPECT_FALSE(image.loaded);
    EXPECT_EQ(image.pixels, nullptr);
}

TEST_F(TwiFileTest, AFailingReadIsCorrupt) {
    std::filesystem::create_directory(directory / "folder.twi");
    TwiFile image(path("folder.twi").c_str());
    const auto error = thrown<ErrorFile>([&] { image.load(); });
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->corrupt);
    EXPECT_FALSE(image.loaded);
}

TEST_F(TwiFileTest, LoadingALoadedImageReadsNothingButReloadReadsAgain) {
    const std::string name = write("changing.twi", formats::twi(1, 1, {0xF000}));
    TwiFile image(name.c_str());
    image.load();
    write("changing.twi", formats::twi(1, 2, {0x0F00, 0x00F0}));
    image.load();
    EXPECT_EQ(image.height, 1u);
    EXPECT_EQ(image.pixels[0], 0xF0000000u);

    image.reload();
    EXPECT_EQ(image.height, 2u);
    EXPECT_EQ(image.pixels[1], 0x0000F000u);

    image.unload();
    EXPECT_FALSE(image.loaded);
    EXPECT_EQ(image.width, 0u);
    EXPECT_EQ(image.height, 0u);
    EXPECT_EQ(image.pixels, nullptr);
}

TEST_F(TwiFileTest, NamesMatchIgnoringCaseAndBadNamesAreRefused) {
    TwiFile image("bulletMain.twi");
    EXPECT_TRUE(image.matchesName("BULLETMAIN.TWI"));
    EXPECT_FALSE(image.matchesName("bulletMain.twi2"));
    EXPECT_FALSE(image.matchesName(nullptr));

    EXPECT_EQ(thrown<ErrorGeneric>([] { TwiFile bad(nullptr); })->line, 23);
    EXPECT_EQ(thrown<ErrorGeneric>([] { TwiFile bad(""); })->line, 28);
    EXPECT_EQ(thrown<ErrorGeneric>([] { TwiFile bad(""); })->module, "TwiFile");
}

TEST_F(TwiFileTest, OversizedHeadersAreCorruptWithoutTakingMemory) {
    const long before = peakResidentKilobytes();
    const long addressSpaceBefore = peakAddressSpaceKilobytes();
    for (auto [width, height] : {std::pair{65536u, 65536u}, std::pair{16385u, 1u}, std::pair{1u, 0xFFFFFFFFu}}) {
        TwiFile image(write("huge.twi", formats::twi(width, height, {0xFFFF})).c_str());
        const auto error = thrown<ErrorFile>([&] { image.load(); });
        ASSERT_TRUE(error) << width << " x " << height;
        EXPECT_TRUE(error->corrupt);
        EXPECT_FALSE(image.loaded);
    }
    EXPECT_LT(peakResidentKilobytes() - before, kPeakSlackKilobytes);
    EXPECT_LT(peakAddressSpaceKilobytes() - addressSpaceBefore, kPeakSlackKilobytes);
}

TEST_F(TwiFileTest, TheLargestImageFromATinyFileCostsNoMemoryForItsMissingPixels) {
    const long before = peakResidentKilobytes();
    TwiFile image(write("largest.twi", formats::twi(TwiFile::maxSide, TwiFile::maxSide, {0xF00F})).c_str());
    image.load();
    ASSERT_TRUE(image.loaded);
    EXPECT_EQ(image.pixels[0], 0xF00000F0u);
    const std::size_t count = std::size_t{TwiFile::maxSide} * TwiFile::maxSide;
    EXPECT_EQ(image.pixels[count - 1], 0u);
    // Far less than the gigabyte of pixels; AddressSanitizer alone adds an eighth of it as shadow.
    const long imageKilobytes = static_cast<long>(count * sizeof(std::uint32_t) / 1024);
    EXPECT_LT(peakResidentKilobytes() - before, imageKilobytes / 4);
}

} // namespace
