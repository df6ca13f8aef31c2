// Converting one file in-process: the .tws produced from Vorbis streams made
// here from known samples, and what is left on disk when a conversion fails.

#include <gtest/gtest.h>
#include <ogg/ogg.h>

#include <cmath>
#include <cstdio>

#include "Conversion.h"
#include "ConversionError.h"
#include "VorbisEncoder.h"
#include "WavemeltTestSupport.h"

namespace wavemelt::testing {
namespace {

using Samples = std::vector<std::int16_t>;

Samples channelOf(const Samples& interleaved, int channels, int channel) {
    Samples samples;
    for (std::size_t index = channel; index < interleaved.size(); index += channels) {
        samples.push_back(interleaved[index]);
    }
    return samples;
}

// Root-mean-square difference relative to the reference's own level; lossy
// coding of a plain tone stays within a few percent.
double relativeError(const Samples& decoded, const Samples& reference) {
    double difference = 0.0, level = 0.0;
    for (std::size_t index = 0; index < reference.size(); ++index) {
        const double delta = static_cast<double>(decoded.at(index)) - reference[index];
        difference += delta * delta;
        level += static_cast<double>(reference[index]) * reference[index];
    }
    return std::sqrt(difference / level);
}

class ConversionTest : public ::testing::Test {
protected:
    std::string writeVorbis(const std::string& name, const Samples& samples, int channels, long rate) {
        const std::string path = directory / name;
        writeFile(path, encodeVorbis(samples, channels, rate));
        return path;
    }

    ScratchDirectory directory;
};

TEST_F(ConversionTest, MonoFileBecomesHeaderAndDecodedSamples) {
    const Samples input = sineWave(440.0, 22050, 44100);
    const std::string source = writeVorbis("tone.ogg", input, 1, 22050);

    EXPECT_EQ(convertToTws(source), directory / "tone.tws");

    const TwsContents tws = readTws(directory / "tone.tws");
    EXPECT_EQ(tws.channels, 1u);
    EXPECT_EQ(tws.rate, 22050u);
    EXPECT_EQ(tws.bits, 16u);
    EXPECT_EQ(tws.dataBytes, 88200u);
    EXPECT_EQ(tws.fileSize, 16u + 88200u);
    EXPECT_LT(relativeError(tws.samples, input), 0.05);
}

TEST_F(ConversionTest, StereoFileInterleavesLeftThenRight) {
    const Samples left = sineWave(440.0, 44100, 30000);
    const Samples right = sineWave(1250.0, 44100, 30000, 6000.0);
    const std::string source = writeVorbis("stereo.ogg", interleave(left, right), 2, 44100);

    convertToTws(source);

    const TwsContents tws = readTws(directory / "stereo.tws");
    EXPECT_EQ(tws.channels, 2u);
    EXPECT_EQ(tws.rate, 44100u);
    EXPECT_EQ(tws.dataBytes, 30000u * 4u);
    const Samples decodedLeft = channelOf(tws.samples, 2, 0);
    const Samples decodedRight = channelOf(tws.samples, 2, 1);
    EXPECT_LT(relativeError(decodedLeft, left), 0.05);
    EXPECT_LT(relativeError(decodedRight, right), 0.05);
    EXPECT_GT(relativeError(decodedLeft, right), 0.5);
}

TEST_F(ConversionTest, StreamWithoutSamplesGivesAHeaderAlone) {
    convertToTws(writeVorbis("empty.ogg", {}, 2, 44100));

    const TwsContents tws = readTws(directory / "empty.tws");
    EXPECT_EQ(tws.channels, 2u);
    EXPECT_EQ(tws.dataBytes, 0u);
    EXPECT_EQ(tws.fileSize, 16u);
}

TEST_F(ConversionTest, ReplacesOnlyTheLastExtensionOfTheFileName) {
    const Samples input = sineWave(440.0, 22050, 2000);
    std::filesystem::create_directory(directory.path() / "music.d");

    EXPECT_EQ(convertToTws(writeVorbis("a.b.ogg", input, 1, 22050)), directory / "a.b.tws");
    EXPECT_EQ(convertToTws(writeVorbis("music.d/stage1", input, 1, 22050)), directory / "music.d/stage1.tws");
    EXPECT_TRUE(std::filesystem::exists(directory / "a.b.tws"));
    EXPECT_TRUE(std::filesystem::exists(directory / "music.d/stage1.tws"));
}

// Where each Ogg page of a stream starts.
std::vector<std::size_t> pageOffsets(const std::vector<unsigned char>& bytes) {
    std::vector<std::size_t> offsets;
    std::size_t page = 0;
    while (page + 27 <= bytes.size()) {
        const std::size_t segments = bytes[page + 26];
        std::size_t bodyLength = 0;
        for (std::size_t segment = 0; segment < segments; ++segment) {
            bodyLength += bytes[page + 27 + segment];
        }
        offsets.push_back(page);
        page += 27 + segments + bodyLength;
    }
    return offsets;
}

TEST_F(ConversionTest, LostPageLeavesSilenceAtTheEndInsteadOfFailing) {
    const Samples input = sineWave(440.0, 22050, 30 * 22050);
    std::vector<unsigned char> bytes = encodeVorbis(input, 1, 22050);
    const std::vector<std::size_t> pages = pageOffsets(bytes);
    ASSERT_GT(pages.size(), 5u);
    // Damage an audio page in the middle: its checksum no longer matches.
    const std::size_t damaged = pages[pages.size() / 2];
    for (std::size_t offset = damaged + 40; offset < damaged + 100; ++offset) {
        bytes[offset] ^= 0x5a;
    }
    writeFile(directory / "damaged.ogg", bytes);

    convertToTws(directory / "damaged.ogg");

    const TwsContents tws = readTws(directory / "damaged.tws");
    EXPECT_EQ(tws.dataBytes, input.size() * 2);
    ASSERT_EQ(tws.samples.size(), input.size());
    EXPECT_EQ(tws.samples.back(), 0);
    EXPECT_LT(relativeError(Samples(tws.samples.begin(), tws.samples.begin() + 10000),
                            Samples(input.begin(), input.begin() + 10000)),
              0.05)
        << "the stream before the damage is decoded";
}

// Rewrites the position of the last page so that the stream announces fewer
// samples than it holds, and seals the page with a fresh checksum.
void announceFewerFrames(std::vector<unsigned char>& bytes, std::int64_t frames) {
    const std::size_t lastPage = pageOffsets(bytes).back();
    for (int byte = 0; byte < 8; ++byte) {
        bytes[lastPage + 6 + byte] = static_cast<unsigned char>(frames >> (8 * byte));
    }
    ogg_page sealed{};
    sealed.header = bytes.data() + lastPage;
    sealed.header_len = 27 + bytes[lastPage + 26];
    sealed.body = sealed.header + sealed.header_len;
    sealed.body_len = static_cast<long>(bytes.size() - lastPage) - sealed.header_len;
    ogg_page_checksum_set(&sealed);
}

TEST_F(ConversionTest, StreamLongerThanAnnouncedFillsTheAnnouncedLengthAndStops) {
    const Samples input = sineWave(440.0, 22050, 44100);
    std::vector<unsigned char> bytes = encodeVorbis(input, 1, 22050);
    announceFewerFrames(bytes, 20000);
    writeFile(directory / "long.ogg", bytes);

    convertToTws(directory / "long.ogg");

    const TwsContents tws = readTws(directory / "long.tws");
    EXPECT_EQ(tws.dataBytes, 40000u);
    EXPECT_LT(relativeError(tws.samples, Samples(input.begin(), input.begin() + 20000)), 0.05);
}

TEST_F(ConversionTest, RefusedConversionsWriteNothing) {
    writeFile(directory / "x.ogg", {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't', '\n'});
    EXPECT_THROW(convertToTws(directory / "x.ogg"), ConversionError);
    EXPECT_THROW(convertToTws(directory / "missing.ogg"), ConversionError);

    const std::string tone = writeVorbis("tone.ogg", sineWave(440.0, 22050, 4000), 1, 22050);
    EXPECT_THROW(convertToTws(tone, ConversionLimits{.maxDataBytes = 7999}), ConversionError);
    EXPECT_NO_THROW(convertToTws(tone, ConversionLimits{.maxDataBytes = 8000}));

    EXPECT_EQ(directory.entries(), (std::set<std::string>{"x.ogg", "tone.ogg", "tone.tws"}));
}

TEST_F(ConversionTest, InstallDeletesTheSourceOnlyAfterSuccess) {
    const std::string good = writeVorbis("good.ogg", sineWave(440.0, 22050, 4000), 1, 22050);
    writeFile(directory / "bad.ogg", {'O', 'g', 'g', 'S', 0, 0});
    std::FILE* errors = std::tmpfile();

    EXPECT_TRUE(installSound(good, errors));
    EXPECT_FALSE(installSound(directory / "bad.ogg", errors));

    EXPECT_EQ(directory.entries(), (std::set<std::string>{"good.tws", "bad.ogg"}));
    std::rewind(errors);
    char line[512] = {};
    ASSERT_NE(std::fgets(line, sizeof line, errors), nullptr);
    EXPECT_NE(std::string(line).find("bad.ogg"), std::string::npos);
    EXPECT_EQ(std::fgets(line, sizeof line, errors), nullptr) << "one line per failed file";
    std::fclose(errors);
}

TEST_F(ConversionTest, SourceAlreadyNamedTwsIsReplacedNotDeleted) {
    const std::string source = writeVorbis("odd.tws", sineWave(440.0, 22050, 4000), 1, 22050);
    std::FILE* errors = std::tmpfile();

    EXPECT_TRUE(installSound(source, errors));

    EXPECT_EQ(readTws(source).dataBytes, 8000u);
    std::fclose(errors);
}

TEST_F(ConversionTest, OverlongPathsAreRefusedAndKept) {
    const std::string longName(255 - directory.path().string().size() - 1 - 2, 'n');
    const std::string source = writeVorbis(longName + ".o", sineWave(440.0, 22050, 100), 1, 22050);
    ASSERT_EQ(source.size(), 255u);
    std::FILE* errors = std::tmpfile();

    EXPECT_FALSE(installSound(source, errors)) << "the .tws name would be 257 characters";
    EXPECT_TRUE(std::filesystem::exists(source));
    EXPECT_EQ(directory.entries().size(), 1u);
    std::fclose(errors);
}

}  // namespace
}  // namespace wavemelt::testing
