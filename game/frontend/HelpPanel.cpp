#include "frontend/HelpPanel.h"

#include "display/Button.h"
#include "display/Image.h"
#include "sound/SoundMusicManager.h"
#include "frontend/PanelButtons.h"
#include "frontend/TitleScene.h"

#include <string>
#include <utility>

#include "frontend/KeyCaps.h"

namespace brinefall {
namespace {

// Where the picture leaves room for the keys and buttons in force, from its centre.
constexpr float kCapX = -180;
constexpr float kPadX = -58;
constexpr float kRowY[] = {-107, -73, -39};

}  // namespace

HelpPanel::HelpPanel(TitleScene* title) : title_(title) {
    page_ = new tidewell::Image("helppanel.twi");
    page_->setAlignment(3, 3);
    addChild(page_);

    tidewell::Sound* click = tidewell::SoundMusicManager::getSound("button.tws", true);
    closeButton_ = PanelButtons::makeCloseButton(this, click, 0, 230);
    tidewell::SoundMusicManager::releaseSound(click);

    controls_ = new tidewell::Sprite;
    addChild(controls_);
    showControls(ControlBindings::inForce());
    mouseEnabled = true;
}

void HelpPanel::update() {
    // The controls panel may have changed them since they were written.
    if (shown_ != ControlBindings::inForce()) showControls(ControlBindings::inForce());
}

void HelpPanel::showControls(const ControlBindings& bindings) {
    controls_->removeAllChildren();
    const bool arrows = bindings.key(Action::Up) == ControlBindings::row(Action::Up).key &&
                        bindings.key(Action::Down) == ControlBindings::row(Action::Down).key &&
                        bindings.key(Action::Left) == ControlBindings::row(Action::Left).key &&
                        bindings.key(Action::Right) == ControlBindings::row(Action::Right).key;
    std::string move = "Arrow keys";
    if (!arrows) {
        move.clear();
        for (const Action action : {Action::Up, Action::Left, Action::Down, Action::Right}) {
            move += (move.empty() ? "" : " ") + ControlBindings::keyLabel(bindings.key(action));
        }
    }
    KeyCaps::makeCap(controls_, move, kCapX, kRowY[0]);
    KeyCaps::makeCap(controls_, ControlBindings::keyLabel(bindings.key(Action::Fire)), kCapX, kRowY[1]);
    KeyCaps::makeCap(controls_, ControlBindings::keyLabel(bindings.key(Action::Pause)), kCapX, kRowY[2]);
    for (const auto& [action, row] : {std::pair{PadAction::Fire, 1}, std::pair{PadAction::Pause, 2}}) {
        KeyCaps::makeWords(controls_, KeyCaps::kSmallFont, ControlBindings::padButtonLabel(bindings.padButton(action)),
                           0xFFFFFF, kPadX, kRowY[row]);
    }
    shown_ = bindings;
}

HelpPanel::~HelpPanel() = default;

void HelpPanel::notify(tidewell::Sprite* sender, int code) {
    if (sender != closeButton_ || code != tidewell::Button::clickedCode) return;
    // A hidden button no longer updates: let go of the Close button now, or it keeps the
    // pointer in its over-a-button shape until the pointer crosses another button.
    closeButton_->setState(tidewell::Button::normalState);
    if (title_) title_->enableButtons();
    setAlpha(0);
}

}  // namespace brinefall
