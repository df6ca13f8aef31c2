#pragma once

#include <string>

namespace tidewell {
class Button;
class Image;
class Sound;
class Sprite;
class Text;
}  // namespace tidewell

// Key caps with a key's name written on them in the game's small font, for the controls
// panel (as buttons) and the cards that teach the controls (as pictures).
namespace brinefall::KeyCaps {

// A cap that reports to `owner` when clicked: normal, highlighted, pressed frames; centred on
// its position and added to the owner. Its words are its only Text child.
tidewell::Button* makeCapButton(tidewell::Sprite* owner, tidewell::Sound* click, float x, float y);
// A still cap with `words` on it, centred on its position, added to `owner`.
tidewell::Sprite* makeCap(tidewell::Sprite* owner, const std::string& words, float x, float y);
// A pad button (red for Fire, blue for Pause) with the button's number on it.
tidewell::Sprite* makePadButton(tidewell::Sprite* owner, bool pause, int button, float x, float y);
// Writes `words` centred on a cap made above, replacing what it said.
void write(tidewell::Sprite* cap, const std::string& words);
// A cap button waiting for its key shows its gold frame in every state.
void showWaiting(tidewell::Button* cap, bool waiting);
// A line of words in one of the game's fonts, centred on (x, y), tinted, added to `owner`.
tidewell::Text* makeWords(tidewell::Sprite* owner, const char* font, const std::string& words, int rgb, float x,
                          float y);
// Replaces a centred line's words, keeping it centred where it was.
void rewrite(tidewell::Text* text, const std::string& words);

inline constexpr const char* kSmallFont = "arial12c_1.twf";
inline constexpr const char* kLargeFont = "arial20_1.twf";

}  // namespace brinefall::KeyCaps
