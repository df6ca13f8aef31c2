#pragma once

#include <cstdint>
#include <set>
#include <string>

namespace tidewell {
class Image;
class Shape;
class Sprite;
class Text;
}  // namespace tidewell

namespace brinefall {

// Small helpers the showcase scenes build themselves with, so that each scene reads
// as a list of what stands where. Every picture goes through picture(), which notes
// its file name: a run can then tell which of the game's pictures it has shown.
namespace ShowcaseKit {

constexpr const char* kSmallFont = "arial12c_1.twf";
constexpr const char* kLargeFont = "arial20_1.twf";

// An image of the file with that grid, centred on (x, y) of its parent, showing `frame`.
tidewell::Image* picture(tidewell::Sprite* parent, const char* fileName, unsigned columns, unsigned rows, float x,
                         float y, unsigned frame = 0);
// The same image anchored at its top-left corner, as backgrounds are.
tidewell::Image* tile(tidewell::Sprite* parent, const char* fileName, float x, float y);
// Notes a file name as shown, for pictures that are set on an image later (setFile).
void notePicture(const char* fileName);
// Every picture file name asked for since the program started.
const std::set<std::string>& picturesShown();

// A filled rectangle in one ARGB colour.
tidewell::Shape* rectangle(tidewell::Sprite* parent, float left, float top, float right, float bottom,
                           std::uint32_t argb);
// A text in a font, laid out in `mode` (wrapped at `wrapWidth` where the mode wraps),
// placed with its top-left corner at (x, y).
tidewell::Text* text(tidewell::Sprite* parent, const char* fontFile, const char* string, float x, float y,
                     int mode = 1, float wrapWidth = 0);

}  // namespace ShowcaseKit
}  // namespace brinefall
