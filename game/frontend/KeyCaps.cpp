#include "frontend/KeyCaps.h"

#include "display/Button.h"
#include "display/Image.h"
#include "display/Text.h"
#include "frontend/PanelButtons.h"

namespace brinefall::KeyCaps {
namespace {

using tidewell::Button;
using tidewell::Text;

constexpr int kCapInk = 0x1A2A44;  // the dark ink printed on the light caps
constexpr int kWaitingFrame = 2;

Text* wordsOf(tidewell::Sprite* cap) {
    for (tidewell::Sprite* child = cap->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
        if (auto* text = dynamic_cast<Text*>(child)) return text;
    }
    return nullptr;
}

}  // namespace

Text* makeWords(tidewell::Sprite* owner, const char* font, const std::string& words, int rgb, float x, float y) {
    auto* text = new Text(font);
    text->setRGB(rgb);
    text->setPosition(x, y);
    owner->addChild(text);
    rewrite(text, words);
    return text;
}

void rewrite(Text* text, const std::string& words) {
    text->setText(words.c_str());
    // The anchor is taken from the block as it is now, so each new text is centred again.
    text->setAlignment(3, 3);
}

Button* makeCapButton(tidewell::Sprite* owner, tidewell::Sound* click, float x, float y) {
    Button* cap = PanelButtons::makeMenuButton(owner, "keycap.twi", click, x, y);
    // The words sit a little above the middle, on the cap's top face.
    makeWords(cap, kSmallFont, "", kCapInk, 0, -2);
    return cap;
}

tidewell::Sprite* makeCap(tidewell::Sprite* owner, const std::string& words, float x, float y) {
    auto* cap = new tidewell::Image("keycap.twi", 1, 3);
    cap->setAlignment(3, 3);
    cap->setPosition(x, y);
    owner->addChild(cap);
    makeWords(cap, kSmallFont, words, kCapInk, 0, -2);
    return cap;
}

tidewell::Sprite* makePadButton(tidewell::Sprite* owner, bool pause, int button, float x, float y) {
    auto* face = new tidewell::Image("padbutton.twi", 2, 1);
    face->setAlignment(3, 3);
    face->setFrame(pause ? 1 : 0);
    face->setPosition(x, y);
    owner->addChild(face);
    makeWords(face, kLargeFont, std::to_string(button + 1), 0xFFFFFF, 0, -3);
    return face;
}

void write(tidewell::Sprite* cap, const std::string& words) {
    if (Text* text = wordsOf(cap)) rewrite(text, words);
}

void showWaiting(Button* cap, bool waiting) {
    if (waiting) {
        for (int state = Button::normalState; state <= Button::clickedState; ++state) {
            cap->setFaceFrame(state, kWaitingFrame);
        }
        return;
    }
    cap->setFaceFrame(Button::normalState, 0);
    cap->setFaceFrame(Button::overState, 1);
    cap->setFaceFrame(Button::pressedState, 2);
    cap->setFaceFrame(Button::clickedState, 1);
}

}  // namespace brinefall::KeyCaps
