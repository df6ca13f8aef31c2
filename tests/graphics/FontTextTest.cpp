// Fonts (atlas packing, drawing, measuring) and Text's five layout modes, with fonts
// the tests write as .twf files.

#include <memory>

#include "core/ErrorFile.h"
#include "graphics/Font.h"
#include "GraphicsTestSupport.h"
#include "display/Text.h"
#include "graphics/Texture.h"

using namespace tidewell;

namespace {

// A glyph of solid coverage: it draws as a white block.
formats::Glyph block(std::uint32_t code, std::uint32_t width, std::uint32_t height, std::int32_t top = 0,
                     std::int32_t left = 0, std::int32_t right = 0) {
    return {code, width, height, top, left, right, formats::Bytes(std::size_t{width} * height, 0xFF)};
}

}  // namespace

class FontTest : public GraphicsFixture {
protected:
    void SetUp() override {
        GraphicsFixture::SetUp();
        startGraphics(32);
    }

    std::string writeFont(const std::string& name, std::int32_t lineHeight, std::int32_t defaultAdvance,
                          const std::vector<formats::Glyph>& glyphs) {
        return write(name, formats::twf(lineHeight, defaultAdvance, glyphs));
    }

    // The first column of row y, from x on, that is not black; -1 when there is none.
    int firstLit(int y, int from = 0) {
        for (int x = from; x < 800; ++x) {
            if (pixel(x, y) != 0) return x;
        }
        return -1;
    }
};

TEST_F(FontTest, GlyphsArePackedIntoRowsThatDoubleTheirLimit) {
    const std::string file =
        writeFont("three.twf", 16, 5, {block('A', 10, 16), block('B', 20, 16), block('C', 30, 16)});
    Font* font = GraphicManager::getFont(file.c_str(), true);
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->getGlyphCount(), 3u);
    EXPECT_EQ(font->findGlyph('A')->atlasX, 0u);
    EXPECT_EQ(font->findGlyph('A')->atlasY, 0u);
    EXPECT_EQ(font->findGlyph('B')->atlasY, 16u);
    EXPECT_EQ(font->findGlyph('C')->atlasX, 0u);
    EXPECT_EQ(font->findGlyph('C')->atlasY, 32u);
    ASSERT_NE(font->getAtlas(), nullptr);
    EXPECT_EQ(font->getAtlas()->getWidth(), 30u);
    EXPECT_EQ(font->getAtlas()->getHeight(), 48u);

    // Narrow glyphs share rows: the least filled row takes the next one.
    const std::string narrow =
        writeFont("narrow.twf", 4, 1, {block('a', 2, 4), block('b', 2, 4), block('c', 1, 4), block('d', 3, 2)});
    Font* small = GraphicManager::getFont(narrow.c_str(), true);
    EXPECT_EQ(small->findGlyph('b')->atlasX, 2u);  // limit 4: 2 + 2 fits row 0
    EXPECT_EQ(small->findGlyph('c')->atlasY, 4u);  // 4 + 1 does not: row 1, limit 8
    EXPECT_EQ(small->findGlyph('d')->atlasX, 1u);  // row 1 is the least filled
    EXPECT_EQ(small->findGlyph('d')->atlasY, 4u);
    // The same file asked for again is the same font.
    EXPECT_EQ(GraphicManager::getFont(narrow.c_str(), true), small);
    EXPECT_EQ(GraphicManager::referenceCount(small), 2u);
}

TEST_F(FontTest, DrawingFollowsThePenAcrossLinesAndGaps) {
    const std::string file = writeFont("pen.twf", 20, 6, {block('A', 10, 16, 2, 1, 3), block('B', 20, 16)});
    Font* font = GraphicManager::getFont(file.c_str(), true);
    fill(0);
    const std::uint32_t twoLines[] = {'A', '\n', 'B'};
    font->draw(twoLines, 3, 100, 100, 0xFFFFFFFF, 0xFF000000);
    EXPECT_EQ(firstLit(102), 101);  // left 1, top 2
    EXPECT_EQ(pixel(110, 117), 0xFFFFFFu);
    EXPECT_EQ(pixel(110, 118), 0u);
    EXPECT_EQ(firstLit(125), 100);  // B at the start x, one line lower
    EXPECT_EQ(pixel(119, 135), 0xFFFFFFu);

    // A code the font lacks moves the pen by defaultAdvance and draws nothing.
    fill(0);
    const std::uint32_t codes[] = {'A', 'Z', 'A'};
    font->draw(codes, 3, 0, 0, 0xFFFFFFFF, 0xFF000000);
    EXPECT_EQ(firstLit(5), 1);
    EXPECT_EQ(firstLit(5, 11), 14 + 6 + 1);  // A's advance 14, the gap of 6, A's left 1

    // The multiply colour colours the text; with alpha 0 nothing is drawn.
    fill(0);
    const std::uint32_t b[] = {'B'};
    font->draw(b, 1, 0, 0, 0xFFFF0000, 0xFF000000);
    EXPECT_EQ(pixel(5, 5), 0xFF0000u);
    fill(0);
    font->draw(b, 1, 0, 0, 0x00FF0000, 0xFF000000);
    EXPECT_EQ(countOther(0), 0);
    font->draw(nullptr, 4, 0, 0, 0xFFFFFFFF, 0xFF000000);
    font->draw(codes, 0, 0, 0, 0xFFFFFFFF, 0xFF000000);
    EXPECT_EQ(countOther(0), 0);
}

TEST_F(FontTest, MeasuringGivesTheWidestLineAndALineHeightPerLine) {
    const std::string file = writeFont("measure.twf", 20, 6, {block('A', 10, 16, 0, 1, 3), block('B', 20, 16)});
    Font* font = GraphicManager::getFont(file.c_str(), true);
    const std::uint32_t codes[] = {'A', '\n', 'B', 'B', '?'};
    const Font::Size size = font->measure(codes, 5);
    EXPECT_EQ(size.width, 46);
    EXPECT_EQ(size.height, 40);
    EXPECT_EQ(font->measure(codes, 1).width, 14);
    EXPECT_EQ(font->measure(nullptr, 3).height, 0);
    EXPECT_EQ(font->measure(codes, 0).width, 0);
}

TEST_F(FontTest, AFontWithoutGlyphsDrawsNothingAndAMissingFileIsAFileError) {
    const std::string empty = writeFont("empty.twf", 10, 4, {});
    Font* font = GraphicManager::getFont(empty.c_str(), true);
    EXPECT_EQ(font->getAtlas(), nullptr);
    fill(0);
    font->draw(std::vector<std::uint32_t>{'a', 'b', 'c'}.data(), 3, 0, 0, 0xFFFFFFFF, 0xFF000000);
    EXPECT_EQ(countOther(0), 0);
    EXPECT_EQ(font->measure(std::vector<std::uint32_t>{'a', 'b'}.data(), 2).width, 8);
    EXPECT_THROW(GraphicManager::getFont((directory / "none.twf").string().c_str(), true), ErrorFile);
    EXPECT_THROW(Text((directory / "none.twf").string().c_str()), ErrorFile);
}

// Lower-case letters 7 pixels apart (6 wide, 1 after), a space of 4, lines 10 high.
class TextTest : public FontTest {
protected:
    void SetUp() override {
        FontTest::SetUp();
        std::vector<formats::Glyph> glyphs;
        for (std::uint32_t code = 'a'; code <= 'z'; ++code) glyphs.push_back(block(code, 6, 8, 1, 0, 1));
        fontFile = writeFont("letters.twf", 10, 4, glyphs);
    }

    std::unique_ptr<Text> makeText(int mode, float wrapWidth, const char* string) {
        auto text = std::make_unique<Text>(fontFile.c_str());
        text->setMode(mode);
        text->width = wrapWidth;
        text->setText(string);
        return text;
    }

    std::string line(const Text& text, std::size_t index, const char* string) {
        return std::string(string + text.getLineStart(index), text.getLineLength(index));
    }

    std::string fontFile;
};

TEST_F(TextTest, LinesModeBreaksOnlyAtLineBreaksAndNeverMakesEmptyLines) {
    const char* string = "ab cd\n\nef";
    auto text = makeText(Text::linesMode, 0, string);
    ASSERT_EQ(text->getLineCount(), 2u);
    EXPECT_EQ(line(*text, 0, string), "ab cd");
    EXPECT_EQ(line(*text, 1, string), "ef");
    EXPECT_EQ(text->width, 32.0f);
    EXPECT_EQ(text->height, 20.0f);
    text->setText(nullptr);
    EXPECT_EQ(text->getLineCount(), 0u);
    EXPECT_EQ(text->width, 0.0f);
    text->setNumber(-42);
    EXPECT_EQ(text->getLength(), 3u);
    EXPECT_EQ(text->width, 12.0f);  // no digits in this font: three gaps of 4
}

TEST_F(TextTest, AWordWiderThanTheWrapWidthStandsAloneAndWidensTheBlock) {
    const char* string = "aaaaaaaa bb";
    for (int mode : {Text::leftMode, Text::rightMode, Text::centredMode, Text::justifiedMode}) {
        auto text = makeText(mode, 20, string);
        ASSERT_EQ(text->getLineCount(), 2u) << mode;
        EXPECT_EQ(line(*text, 0, string), "aaaaaaaa");
        EXPECT_EQ(line(*text, 1, string), "bb");
        EXPECT_EQ(text->width, mode == Text::justifiedMode ? 20.0f : 56.0f);
    }
}

TEST_F(TextTest, WrappingTakesWholeWordsAndDropsTheSpacesBetweenLines) {
    const char* string = "aa bb cc   dd\n  ee";
    auto text = makeText(Text::leftMode, 40, string);
    ASSERT_EQ(text->getLineCount(), 3u);
    EXPECT_EQ(line(*text, 0, string), "aa bb");  // 14 + 4 + 14 = 32; with cc it would be 50
    EXPECT_EQ(line(*text, 1, string), "cc   dd");
    EXPECT_EQ(line(*text, 2, string), "ee");
    EXPECT_EQ(text->getLineWidth(1), 14.0f + 12.0f + 14.0f);

    // Without a new width the next text wraps at the block's width, 40 here.
    text->setText("aa bb cc");
    EXPECT_EQ(text->getLineCount(), 2u);
    text->width = 0;
    text->setText("aa bb");
    EXPECT_EQ(text->getLineCount(), 2u);  // one word a line
}

TEST_F(TextTest, JustifiedLinesSpreadTheirWordsButTheLastLineOfAParagraphDoesNot) {
    const char* string = "aa bb cc dd\naa bb cc";
    auto text = makeText(Text::justifiedMode, 40, string);
    ASSERT_EQ(text->getLineCount(), 4u);
    EXPECT_EQ(line(*text, 0, string), "aa bb");
    EXPECT_EQ(line(*text, 1, string), "cc dd");
    EXPECT_EQ(text->getLineGap(0), 12.0f);  // (40 − 28) / 1
    EXPECT_EQ(text->getLineGap(1), 4.0f);   // ends at a line break
    EXPECT_EQ(text->getLineGap(2), 12.0f);
    EXPECT_EQ(text->getLineGap(3), 4.0f);  // ends the text
    EXPECT_EQ(text->width, 40.0f);

    fill(0);
    text->setPosition(100, 50);
    text->dispatchDraw();
    EXPECT_EQ(firstLit(52, 100), 100);
    EXPECT_EQ(firstLit(52, 114), 126);  // bb after aa (14) and the gap (12)
    EXPECT_EQ(firstLit(62, 114), 118);  // dd after cc and an ordinary space
}

TEST_F(TextTest, EachModePlacesItsLinesAndTheAnchorMovesTheBlock) {
    const char* string = "aaaa b";
    const int expected[] = {0, 100, 100, 100 + 28 - 7,
                            100 + 10};  // by mode, the x of the short line's b; 10.5 truncated
    for (int mode = Text::leftMode; mode <= Text::centredMode; ++mode) {
        auto text = makeText(mode, 30, string);
        ASSERT_EQ(text->getLineCount(), 2u);
        EXPECT_EQ(text->width, 28.0f);
        fill(0);
        text->setPosition(100, 50);
        text->dispatchDraw();
        EXPECT_EQ(firstLit(62, 90), expected[mode]) << mode;
    }
    // Lines mode draws each line at the left; the anchor is placed on the position.
    auto text = makeText(Text::linesMode, 0, "aa\nbbbb");
    text->setAlignment(3, 2);
    EXPECT_EQ(text->anchorX, 14.0f);
    EXPECT_EQ(text->anchorY, 20.0f);
    EXPECT_EQ(text->getLeft(), -14.0f);
    fill(0);
    text->setPosition(200, 200);
    text->dispatchDraw();
    EXPECT_EQ(firstLit(182, 150), 186);
    EXPECT_EQ(firstLit(192, 150), 186);
    // A mode outside 1 to 5 draws nothing.
    fill(0);
    text->setMode(9);
    text->dispatchDraw();
    EXPECT_EQ(countOther(0), 0);
}
