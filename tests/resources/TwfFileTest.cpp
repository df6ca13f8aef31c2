#include "resources/CharacterResource.h"
#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"
#include "ResourceTestSupport.h"
#include "resources/TwfFile.h"

using formats::Glyph;
using tidewell::CharacterResource;
using tidewell::ErrorFile;
using tidewell::ErrorGeneric;
using tidewell::TwfFile;
namespace ResourceManager = tidewell::ResourceManager;

namespace {

Glyph glyph(std::uint32_t code, std::uint8_t ink = 0xFF) { return Glyph{code, 2, 1, 3, -1, 1, {ink, 0x00}}; }

class TwfFileTest : public ScratchFixture {
protected:
    std::optional<ErrorFile> loadError(TwfFile& font) {
        return thrown<ErrorFile>([&] { font.load(); });
    }

    std::vector<std::uint32_t> codes(const TwfFile& font) {
        std::vector<std::uint32_t> result;
        for (const CharacterResource* character : font.characters) result.push_back(character->code);
        return result;
    }
};

TEST_F(TwfFileTest, AHeaderAloneIsAFontWithoutCharacters) {
    TwfFile font(write("plain.twf", formats::twf(18, -7, {})).c_str());
    font.load();
    EXPECT_TRUE(font.loaded);
    EXPECT_EQ(font.lineHeight, 18);
    EXPECT_EQ(font.defaultAdvance, -7);
    EXPECT_EQ(font.characterCount, 0u);
    EXPECT_EQ(font.findCharacter('A'), nullptr);
}

TEST_F(TwfFileTest, GlyphsKeepTheirMetricsAndCoverageBecomesTheAlphaOfWhite) {
    TwfFile font(
        write("glyph.twf", formats::twf(10, 4, {Glyph{'g', 3, 2, -2, 1, 5, {0, 1, 2, 128, 254, 255}}})).c_str());
    font.load();
    const CharacterResource* g = font.findCharacter('g');
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->width, 3u);
    EXPECT_EQ(g->height, 2u);
    EXPECT_EQ(g->top, -2);
    EXPECT_EQ(g->left, 1);
    EXPECT_EQ(g->right, 5);
    const std::uint32_t expected[] = {0x00FFFFFF, 0x01FFFFFF, 0x02FFFFFF, 0x80FFFFFF, 0xFEFFFFFF, 0xFFFFFFFF};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(g->pixels[i], expected[i]) << i;
}

TEST_F(TwfFileTest, RecordsInAnyOrderGiveOneSortedFontAndALaterRecordReplacesAnEarlierOne) {
    TwfFile font(
        write("order.twf", formats::twf(10, 4, {glyph('z'), glyph('a'), glyph('m', 1), glyph('m', 2)})).c_str());
    font.load();
    EXPECT_EQ(codes(font), (std::vector<std::uint32_t>{'a', 'm', 'z'}));
    EXPECT_EQ(font.characterCount, 3u);
    EXPECT_EQ(font.findCharacter('m')->pixels[0], 0x02FFFFFFu);
    EXPECT_EQ(font.findCharacter('b'), nullptr);

    // The replaced glyph is given back, not left counted for nobody.
    const std::uint32_t replacedColours[] = {0x01FFFFFF, 0x00FFFFFF};
    CharacterResource* replaced = ResourceManager::getCharacter('m', 3, -1, 1, 2, 1, replacedColours);
    EXPECT_EQ(ResourceManager::referenceCount(replaced), 1u);
    ResourceManager::releaseCharacter(replaced);

    // A record repeated exactly is one glyph held once.
    TwfFile twice(write("twice.twf", formats::twf(10, 4, {glyph('q'), glyph('q')})).c_str());
    twice.load();
    EXPECT_EQ(ResourceManager::referenceCount(twice.findCharacter('q')), 1u);
}

TEST_F(TwfFileTest, AFileEndingInsideARecordHeaderKeepsTheCharactersBeforeIt) {
    formats::Bytes bytes = formats::twf(10, 4, {glyph('a'), glyph('b')});
    bytes.insert(bytes.end(), {'c', 0, 0, 0, 2, 0, 0});
    TwfFile font(write("cut.twf", bytes).c_str());
    font.load();
    EXPECT_TRUE(font.loaded);
    EXPECT_EQ(codes(font), (std::vector<std::uint32_t>{'a', 'b'}));
}

TEST_F(TwfFileTest, EmptyOrCutShortBitmapsMakeTheFileCorruptButKeepWhatCameBefore) {
    for (const Glyph& bad :
         {Glyph{'x', 0, 1, 0, 0, 0, {}}, Glyph{'x', 1, 0, 0, 0, 0, {}}, Glyph{'x', 4, 4, 0, 0, 0, {1, 2, 3}}}) {
        TwfFile font(write("bad.twf", formats::twf(10, 4, {glyph('a'), bad})).c_str());
        const auto error = loadError(font);
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->corrupt);
        EXPECT_FALSE(font.loaded);
        EXPECT_EQ(codes(font), (std::vector<std::uint32_t>{'a'}));
    }
}

TEST_F(TwfFileTest, LoadingAgainAfterDamageReplacesTheGlyphsWithoutCountingThemTwice) {
    const std::string name = write("mended.twf", formats::twf(10, 4, {glyph('a'), Glyph{'x', 0, 0, 0, 0, 0, {}}}));
    TwfFile font(name.c_str());
    EXPECT_TRUE(loadError(font));
    write("mended.twf", formats::twf(10, 4, {glyph('a'), glyph('b')}));
    font.load();
    EXPECT_EQ(codes(font), (std::vector<std::uint32_t>{'a', 'b'}));
    EXPECT_EQ(ResourceManager::referenceCount(font.findCharacter('a')), 1u);

    CharacterResource* a = font.findCharacter('a');
    font.unload();
    EXPECT_EQ(font.characterCount, 0u);
    EXPECT_EQ(ResourceManager::referenceCount(a), 0u);
}

TEST_F(TwfFileTest, AHugeGlyphClaimedByATinyFileIsCorruptWithoutTakingMemory) {
    const long before = peakResidentKilobytes();
    const long addressSpaceBefore = peakAddressSpaceKilobytes();
    for (auto [width, height] : {std::pair{60000u, 60000u}, std::pair{16385u, 1u}, std::pair{100u, 100u}}) {
        TwfFile font(
            write("huge.twf", formats::twf(10, 4, {Glyph{'H', width, height, 0, 0, 0, {1, 2, 3, 4}}})).c_str());
        const auto error = loadError(font);
        ASSERT_TRUE(error) << width << " x " << height;
        EXPECT_TRUE(error->corrupt);
    }
    EXPECT_LT(peakResidentKilobytes() - before, kPeakSlackKilobytes);
    EXPECT_LT(peakAddressSpaceKilobytes() - addressSpaceBefore, kPeakSlackKilobytes);
}

TEST_F(TwfFileTest, MissingAndUnreadableFilesAreToldApart) {
    TwfFile missing(path("missing.twf").c_str());
    EXPECT_FALSE(loadError(missing)->corrupt);
    std::filesystem::create_directory(directory / "folder.twf");
    TwfFile folder(path("folder.twf").c_str());
    EXPECT_TRUE(loadError(folder)->corrupt);
}

TEST_F(TwfFileTest, NamesMatchIgnoringCaseAndBadNamesAreRefused) {
    TwfFile font("hudFont.twf");
    EXPECT_TRUE(font.matchesName("HUDFONT.twf"));
    EXPECT_FALSE(font.matchesName("hudFont"));
    EXPECT_EQ(thrown<ErrorGeneric>([] { TwfFile bad(nullptr); })->line, 24);
    EXPECT_EQ(thrown<ErrorGeneric>([] { TwfFile bad(""); })->line, 29);
}

} // namespace
