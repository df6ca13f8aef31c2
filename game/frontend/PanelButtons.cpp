#include "frontend/PanelButtons.h"

#include "display/Button.h"
#include "display/Image.h"

namespace brinefall::PanelButtons {
namespace {

using tidewell::Button;

Button* makeButton(tidewell::Sprite* owner, tidewell::Image* face, tidewell::Sound* click, float x, float y) {
    auto* button = new Button;
    button->setFace(face);
    face->setAlignment(3, 3);
    button->updateHitRectangle();
    button->setSound(Button::pressedState, click);
    button->listener = owner;
    button->setPosition(x, y);
    owner->addChild(button);
    return button;
}

}  // namespace

Button* makeMenuButton(tidewell::Sprite* owner, const char* fileName, tidewell::Sound* click, float x, float y) {
    Button* button = makeButton(owner, new tidewell::Image(fileName, 1, 3), click, x, y);
    button->setFaceFrame(Button::overState, 1);
    button->setFaceFrame(Button::pressedState, 2);
    button->setFaceFrame(Button::clickedState, 1);
    return button;
}

Button* makeCloseButton(tidewell::Sprite* owner, tidewell::Sound* click, float x, float y) {
    return makeMenuButton(owner, "closebutton.twi", click, x, y);
}

Button* makeCheckBox(tidewell::Sprite* owner, tidewell::Sound* click, float x, float y) {
    Button* box = makeButton(owner, new tidewell::Image("checkbox.twi", 2, 2), click, x, y);
    showTicked(box, false);
    return box;
}

void showTicked(Button* box, bool ticked) {
    const int plain = ticked ? 2 : 0;
    box->setFaceFrame(Button::normalState, plain);
    for (int state = Button::overState; state <= Button::clickedState; ++state) box->setFaceFrame(state, plain + 1);
}

}  // namespace brinefall::PanelButtons
