#pragma once

#include <string>

#include "display/Sprite.h"

namespace tidewell {
class Text;
}

namespace brinefall {

// A floating text over the play: damage taken, an award's experience, a level reached,
// a weapon picked. Its text rises 3 pixels a frame from where it was placed, and the
// popup removes itself once the text has risen more than 60 pixels (21 frames), wherever
// on the screen it started. Types: 1 a number; 2 a life award; 3 to 5 life, speed and gun
// experience; 6 to 10 the experience of a special weapon of set (type - 5); 11 to 13 the
// life, speed and gun level; 14 to 18 the level of a special weapon of set (type - 13);
// 19 a special weapon of set (value) picked. Kinds 1 to 3 name the special weapon of a
// set; a level value above 4 reads "MAX", else "UP".
class PopupText : public tidewell::Sprite {
public:
    PopupText(int type, int kind, int value);
    ~PopupText() override;

    void update() override;

    // What the popup says for a type, kind and value; empty for a special weapon kind
    // outside 1 to 3 or a type that has no text.
    static std::string textFor(int type, int kind, int value);

    // A damage number placed near this one while this one is still young: their amounts
    // add up in this one, so hits that come every frame (a fire burning) read as one
    // growing total instead of a smear of numbers.
    bool canAbsorb(const PopupText& fresh) const;
    void absorb(const PopupText& fresh);

    tidewell::Text* getText() const { return text_; }
    // What it says, as built.
    const std::string& getString() const { return string_; }

private:
    tidewell::Text* text_ = nullptr;
    std::string string_;
    int type_ = 0;
    int value_ = 0;
};

}  // namespace brinefall
