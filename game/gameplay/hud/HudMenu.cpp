#include "gameplay/hud/HudMenu.h"
#include "Colours.h"
#include "ControlBindings.h"
#include "FirstJoystick.h"

#include "display/Image.h"
#include "input/InputManager.h"
#include "ScanCodes.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"

namespace brinefall {

namespace {

tidewell::Shape* makeCursor() {
    static constexpr float xs[] = {-10, 10, -10};
    static constexpr float ys[] = {-10, 0, 10};
    auto* cursor = new tidewell::Shape();
    cursor->setPolygon(xs, ys, 3);
    cursor->setRGB(Colours::kYellow);
    return cursor;
}

}  // namespace

HudMenu::HudMenu(GameScene* scene, bool useJoystick, const Layout& layout)
    : scene_(scene), useJoystick_(useJoystick), layout_(layout) {
    image_ = new tidewell::Image(layout.imageFile);
    image_->setAlignment(3, 3);
    addChild(image_);
    cursor_ = makeCursor();
    cursor_->setPosition(layout.cursorX, layout.cursorYFirst);
    addChild(cursor_);
    keyboardEnabled = true;
    joystickEnabled = true;
    setAlpha(0);
}

HudMenu::~HudMenu() = default;

bool HudMenu::isShown() const { return (colour >> 24) != 0; }

void HudMenu::show() {
    setAlpha(255);
    chosen_ = false;
    setStopFlags(true);
}

void HudMenu::setStopFlags(bool on) {
    // While up, the menu is the only one of the scene's children that hears keys and sticks.
    keyboardStop = on;
    joystickStop = on;
}

bool HudMenu::acceptsInput() const { return isShown() && !chosen_; }

void HudMenu::keyDown(int key) {
    if (!acceptsInput() || useJoystick_) return;
    const ControlBindings& bindings = ControlBindings::inForce();
    if (bindings.isDirectionKey(key)) {
        toggle();
    } else if (key == kKeyEnter || bindings.isKeyOf(Action::Fire, key)) {
        choose();
    }
}

void HudMenu::joystickMove(int joystick) {
    if (!acceptsInput() || !useJoystick_ || joystick != 0) return;
    const auto* stick = FirstJoystick::state();
    if (stick == nullptr) return;
    if (stick->lX * 0.001f != 0 || stick->lY * 0.001f != 0) toggle();
}

void HudMenu::joystickDown(int button, int joystick) {
    if (!acceptsInput() || !useJoystick_) return;
    if (joystick == 0 && button == ControlBindings::inForce().padButton(PadAction::Fire)) choose();
}

void HudMenu::toggle() {
    firstSelected_ = !firstSelected_;
    cursor_->setY(firstSelected_ ? layout_.cursorYFirst : layout_.cursorYSecond);
}

void HudMenu::choose() {
    // Either way the menu has done its work: a second key in the same frame must not act again.
    chosen_ = true;
    if (firstSelected_) {
        runFirstEntry();
        setAlpha(0);
        setStopFlags(false);
    } else {
        scene_->quitToTitle();
    }
}

}  // namespace brinefall
