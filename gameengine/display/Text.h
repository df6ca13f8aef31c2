#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "display/Sprite.h"

namespace tidewell {

class Font;

// A string shown in one of the engine's bitmap fonts. It is laid out into lines once,
// when the string or the mode changes, and drawn each frame through the font, tinted
// by the sprite's colours. Modes: 1 one line per line break; word-wrapped at `width`
// and 2 left aligned, 3 right aligned, 4 centred, 5 justified.
class Text : public Sprite {
public:
    static constexpr int linesMode = 1;
    static constexpr int leftMode = 2;
    static constexpr int rightMode = 3;
    static constexpr int centredMode = 4;
    static constexpr int justifiedMode = 5;

    // With the shared font of that file; ErrorGeneric when none results.
    explicit Text(const char* fontFileName);
    // Gives the font back.
    ~Text() override;

    float getWidth() const override;
    float getHeight() const override;
    float getLeft() const override;
    float getTop() const override;
    float getRight() const override;
    float getBottom() const override;
    void draw() override;

    // Each byte of the string becomes one character; null empties the text. Lays out again.
    void setText(const char* text);
    // The number in decimal.
    void setNumber(int number);
    void setMode(int newMode);
    // 1 left (top), 2 right (bottom), 3 centre (middle) of the block as it is now;
    // later layouts do not move the anchor.
    void setHorizontalAlignment(int alignment);
    void setVerticalAlignment(int alignment);
    void setAlignment(int horizontal, int vertical);

    std::uint32_t getLength() const { return length_; }
    // The string last set, one byte per character.
    std::string getString() const;
    std::size_t getLineCount() const { return lineStarts_.size(); }
    std::uint32_t getLineStart(std::size_t line) const { return lineStarts_[line]; }
    std::uint32_t getLineLength(std::size_t line) const { return lineLengths_[line]; }
    float getLineWidth(std::size_t line) const { return lineWidths_[line]; }
    // Justified mode: the gap between the words of a line.
    float getLineGap(std::size_t line) const { return spacePerLine_[line]; }
    Font* getFont() const { return font_; }

    // The wrap width before a layout, the block's width after it.
    float width = 0;
    // Lines × the font's line height.
    float height = 0;
    float anchorX = 0;
    float anchorY = 0;
    int mode = linesMode;

private:
    struct Words {
        std::vector<std::uint32_t> starts;
        std::vector<std::uint32_t> lengths;
        std::vector<float> widths;
    };

    void layOut();
    // The length of the line starting at `start`, by the mode's rule.
    std::uint32_t breakLine(std::uint32_t start, float wrapWidth) const;
    std::uint32_t wordEnd(std::uint32_t start) const;
    float measureWidth(std::uint32_t start, std::uint32_t count) const;
    bool isLineBreakOrEnd(std::uint32_t index) const;
    void layOutWords(std::size_t line);
    void drawLine(std::size_t line, float left, int top);

    std::vector<std::uint32_t> characters_{0};
    std::uint32_t length_ = 0;
    std::vector<std::uint32_t> lineStarts_;
    std::vector<std::uint32_t> lineLengths_;
    std::vector<float> lineWidths_;
    std::vector<Words> lineWords_;
    std::vector<float> spacePerLine_;
    Font* font_ = nullptr;
};

}  // namespace tidewell
