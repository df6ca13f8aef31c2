#include "display/Text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/ErrorGeneric.h"
#include "graphics/Font.h"
#include "graphics/GraphicManager.h"
#include "graphics/PixelPosition.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\Text";
constexpr int kLineConstruction = 29;
constexpr int kLineSetText = 140;
constexpr int kLineLayout = 336;
constexpr int kLineJustifiedLayout = 408;
constexpr int kLineWrapping = 504;
constexpr int kLineDrawLine = 542;
constexpr int kLineDrawJustifiedLine = 574;

constexpr std::uint32_t kSpace = ' ';
constexpr std::uint32_t kLineFeed = '\n';

}  // namespace

Text::Text(const char* fontFileName) {
    font_ = GraphicManager::getFont(fontFileName, true);
    if (!font_) throw ErrorGeneric(kModulePath, kLineConstruction, 0);
}

Text::~Text() { GraphicManager::releaseFont(font_); }

float Text::getWidth() const { return width; }
float Text::getHeight() const { return height; }
float Text::getLeft() const { return x - anchorX; }
float Text::getTop() const { return y - anchorY; }
float Text::getRight() const { return getLeft() + width; }
float Text::getBottom() const { return getTop() + height; }

std::string Text::getString() const {
    std::string text;
    for (std::uint32_t i = 0; i < length_; ++i) text.push_back(static_cast<char>(characters_[i]));
    return text;
}

void Text::setText(const char* text) {
    const std::size_t count = text ? std::strlen(text) : 0;
    if (count > 0 && !font_) throw ErrorGeneric(kModulePath, kLineSetText, 0);
    characters_.assign(count + 1, 0);
    for (std::size_t i = 0; i < count; ++i) characters_[i] = static_cast<unsigned char>(text[i]);
    length_ = static_cast<std::uint32_t>(count);
    layOut();
}

void Text::setNumber(int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", number);
    setText(digits);
}

void Text::setMode(int newMode) {
    mode = newMode;
    layOut();
}

void Text::setHorizontalAlignment(int alignment) {
    if (alignment == 1)
        anchorX = 0;
    else if (alignment == 2)
        anchorX = width;
    else if (alignment == 3)
        anchorX = width * 0.5f;
}

void Text::setVerticalAlignment(int alignment) {
    if (alignment == 1)
        anchorY = 0;
    else if (alignment == 2)
        anchorY = height;
    else if (alignment == 3)
        anchorY = height * 0.5f;
}

void Text::setAlignment(int horizontal, int vertical) {
    setHorizontalAlignment(horizontal);
    setVerticalAlignment(vertical);
}

bool Text::isLineBreakOrEnd(std::uint32_t index) const { return index >= length_ || characters_[index] == kLineFeed; }

std::uint32_t Text::wordEnd(std::uint32_t start) const {
    std::uint32_t end = start;
    while (end < length_ && characters_[end] != kSpace && characters_[end] != kLineFeed) ++end;
    return end;
}

float Text::measureWidth(std::uint32_t start, std::uint32_t count) const {
    return static_cast<float>(font_->measure(characters_.data() + start, count).width);
}

std::uint32_t Text::breakLine(std::uint32_t start, float wrapWidth) const {
    if (mode < leftMode || mode > justifiedMode) {
        std::uint32_t end = start;
        while (!isLineBreakOrEnd(end)) ++end;
        return end - start;
    }
    if (!font_) throw ErrorGeneric(kModulePath, kLineWrapping, 0);
    // Whole words while they fit; the first one always, however wide.
    float running = 0;
    std::uint32_t end = start;
    for (std::uint32_t word = start;; word = end + 1) {
        const std::uint32_t wordStop = wordEnd(word);
        const float wordWidth = measureWidth(word, wordStop - word);
        if (word != start && running + wordWidth > wrapWidth) break;
        end = wordStop;
        running += wordWidth + static_cast<float>(font_->defaultAdvance);
        if (isLineBreakOrEnd(end)) break;
    }
    return end - start;
}

void Text::layOut() {
    const float wrapWidth = width;
    lineStarts_.clear();
    lineLengths_.clear();
    lineWidths_.clear();
    lineWords_.clear();
    spacePerLine_.clear();
    width = 0;
    height = 0;
    if (length_ == 0) return;
    if (!font_) throw ErrorGeneric(kModulePath, kLineLayout, 0);

    for (std::uint32_t start = 0;;) {
        const std::uint32_t count = breakLine(start, wrapWidth);
        lineStarts_.push_back(start);
        lineLengths_.push_back(count);
        // The character after the line, then spaces and line breaks, start no line.
        std::uint32_t next = start + count;
        if (next >= length_) break;
        ++next;
        while (next < length_ && (characters_[next] == kSpace || characters_[next] == kLineFeed)) ++next;
        if (next >= length_) break;
        start = next;
    }

    height = static_cast<float>(lineStarts_.size()) * static_cast<float>(font_->lineHeight);
    for (std::size_t line = 0; line < lineStarts_.size(); ++line) {
        lineWidths_.push_back(measureWidth(lineStarts_[line], lineLengths_[line]));
        width = std::max(width, lineWidths_.back());
    }
    if (mode == justifiedMode) {
        width = wrapWidth;
        lineWords_.resize(lineStarts_.size());
        spacePerLine_.resize(lineStarts_.size());
        for (std::size_t line = 0; line < lineStarts_.size(); ++line) layOutWords(line);
    }
}

// Justified: the words of a line spread to the block's width, except on the last
// line of a paragraph, which is set with ordinary spaces.
void Text::layOutWords(std::size_t line) {
    if (!font_) throw ErrorGeneric(kModulePath, kLineJustifiedLayout, 0);
    Words& words = lineWords_[line];
    const std::uint32_t lineEnd = lineStarts_[line] + lineLengths_[line];
    float wordsWidth = 0;
    for (std::uint32_t word = lineStarts_[line];; ++word) {
        const std::uint32_t stop = std::min(wordEnd(word), lineEnd);
        words.starts.push_back(word);
        words.lengths.push_back(stop - word);
        words.widths.push_back(measureWidth(word, stop - word));
        wordsWidth += words.widths.back();
        word = stop;
        if (word >= lineEnd) break;
    }
    const std::size_t count = words.starts.size();
    if (count >= 2 && !isLineBreakOrEnd(lineEnd)) {
        spacePerLine_[line] = (width - wordsWidth) / static_cast<float>(count - 1);
    } else {
        spacePerLine_[line] = static_cast<float>(font_->defaultAdvance);
    }
}

void Text::draw() {
    const float left = getDrawX() - anchorX;
    for (std::size_t line = 0; line < lineStarts_.size(); ++line) {
        const int top = truncated(getDrawY() - anchorY +
                                  static_cast<float>(line) * static_cast<float>(font_ ? font_->lineHeight : 0));
        drawLine(line, left, top);
    }
}

void Text::drawLine(std::size_t line, float left, int top) {
    const std::uint32_t colour = getEffectiveColour();
    const std::uint32_t add = getEffectiveAddColour();
    if (mode == justifiedMode) {
        if (!font_) throw ErrorGeneric(kModulePath, kLineDrawJustifiedLine, 0);
        const Words& words = lineWords_[line];
        float wordX = left;
        for (std::size_t i = 0; i < words.starts.size(); ++i) {
            font_->draw(characters_.data() + words.starts[i], words.lengths[i], truncated(wordX), top, colour, add);
            wordX += words.widths[i] + spacePerLine_[line];
        }
        return;
    }
    float lineX = left;
    if (mode == rightMode)
        lineX = left + width - lineWidths_[line];
    else if (mode == centredMode)
        lineX = left + (width - lineWidths_[line]) * 0.5f;
    else if (mode != linesMode && mode != leftMode)
        return;
    if (!font_) throw ErrorGeneric(kModulePath, kLineDrawLine, 0);
    font_->draw(characters_.data() + lineStarts_[line], lineLengths_[line], truncated(lineX), top, colour, add);
}

}  // namespace tidewell
