#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"
#include "ResourceTestSupport.h"
#include "resources/TwsFile.h"

using tidewell::ErrorFile;
using tidewell::ErrorGeneric;
using tidewell::TwsFile;

namespace {

class TwsFileTest : public ScratchFixture {
protected:
    std::optional<ErrorFile> loadError(TwsFile& sound) {
        return thrown<ErrorFile>([&] { sound.load(); });
    }
};

TEST_F(TwsFileTest, HeaderFieldsAndSamplesAreReadAsWritten) {
    const formats::Bytes samples = {0x01, 0x80, 0xFF, 0x7F, 0x00, 0x00};
    TwsFile sound(write("shot.tws", formats::tws(2, 22050, samples)).c_str());
    sound.load();
    ASSERT_TRUE(sound.loaded);
    EXPECT_EQ(sound.channels, 2u);
    EXPECT_EQ(sound.rate, 22050u);
    EXPECT_EQ(sound.bits, 16u);
    EXPECT_EQ(sound.dataBytes, samples.size());
    EXPECT_EQ(formats::Bytes(sound.data.get(), sound.data.get() + sound.dataBytes), samples);
}

TEST_F(TwsFileTest, AHeaderWithNoDataIsASoundWithoutSamples) {
    TwsFile sound(write("silence.tws", formats::tws(1, 22050, {})).c_str());
    sound.load();
    EXPECT_TRUE(sound.loaded);
    EXPECT_EQ(sound.dataBytes, 0u);
    EXPECT_EQ(sound.channels, 1u);
}

TEST_F(TwsFileTest, AMissingFileReportsItsNameAsTheGameAskedForIt) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(directory);
    TwsFile sound("company.tws");
    const auto error = loadError(sound);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->corrupt);
    EXPECT_EQ(error->detail(), "The following file is not found or cannot be opened:\ncompany.tws");
    EXPECT_FALSE(sound.loaded);
}

TEST_F(TwsFileTest, FilesShorterThanTheirHeaderOrTheirDataAreCorrupt) {
    formats::Bytes header = formats::tws(1, 22050, {});
    header.pop_back();
    TwsFile shortHeader(write("header.tws", header).c_str());
    EXPECT_TRUE(loadError(shortHeader)->corrupt);

    TwsFile shortData(write("data.tws", formats::tws(1, 22050, 16, 5, {1, 2, 3, 4})).c_str());
    const auto error = loadError(shortData);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->corrupt);
    // The fields stay as far as they were read; the sound is not loaded.
    EXPECT_EQ(shortData.dataBytes, 5u);
    EXPECT_FALSE(shortData.loaded);
    EXPECT_EQ(shortData.data, nullptr);

    // Bytes after the data are not the sound's, but they do no harm.
    TwsFile longer(write("longer.tws", formats::tws(1, 22050, 16, 2, {1, 2, 3, 4})).c_str());
    longer.load();
    EXPECT_EQ(longer.dataBytes, 2u);
}

TEST_F(TwsFileTest, AFailingReadIsCorrupt) {
    std::filesystem::create_directory(directory / "folder.tws");
    TwsFile sound(path("folder.tws").c_str());
    EXPECT_TRUE(loadError(sound)->corrupt);
}

TEST_F(TwsFileTest, FourGigabytesClaimedByATinyFileAreRefusedBeforeAllocating) {
    const long before = peakResidentKilobytes();
    const long addressSpaceBefore = peakAddressSpaceKilobytes();
    TwsFile sound(write("huge.tws", formats::tws(2, 44100, 16, 0xFFFFFFFF, {1, 2, 3, 4})).c_str());
    const auto error = loadError(sound);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->corrupt);
    EXPECT_EQ(sound.data, nullptr);
    EXPECT_LT(peakResidentKilobytes() - before, kPeakSlackKilobytes);
    EXPECT_LT(peakAddressSpaceKilobytes() - addressSpaceBefore, kPeakSlackKilobytes);
}

TEST_F(TwsFileTest, LoadingALoadedSoundReadsNothingButReloadReadsAgain) {
    const std::string name = write("changing.tws", formats::tws(1, 11025, {1, 2}));
    TwsFile sound(name.c_str());
    sound.load();
    write("changing.tws", formats::tws(2, 44100, {3, 4, 5, 6}));
    sound.load();
    EXPECT_EQ(sound.rate, 11025u);
    EXPECT_EQ(sound.data[0], 1u);

    sound.reload();
    EXPECT_EQ(sound.rate, 44100u);
    EXPECT_EQ(sound.data[3], 6u);

    sound.unload();
    EXPECT_FALSE(sound.loaded);
    EXPECT_EQ(sound.channels + sound.rate + sound.bits + sound.dataBytes, 0u);
    EXPECT_EQ(sound.data, nullptr);
}

TEST_F(TwsFileTest, NamesMatchIgnoringCaseAndBadNamesAreRefused) {
    TwsFile sound("enemy05Shoot.tws");
    EXPECT_TRUE(sound.matchesName("enemy05shoot.TWS"));
    EXPECT_FALSE(sound.matchesName("enemy05Shoot"));
    EXPECT_EQ(thrown<ErrorGeneric>([] { TwsFile bad(nullptr); })->line, 23);
    EXPECT_EQ(thrown<ErrorGeneric>([] { TwsFile bad(""); })->line, 28);
}

} // namespace
