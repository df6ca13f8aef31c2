#include "frontend/HelpPanel.h"

#include "display/Button.h"
#include "display/Image.h"
#include "sound/SoundMusicManager.h"
#include "frontend/PanelButtons.h"
#include "frontend/TitleScene.h"

namespace brinefall {

HelpPanel::HelpPanel(TitleScene* title) : title_(title) {
    page_ = new tidewell::Image("helppanel.twi");
    page_->setAlignment(3, 3);
    addChild(page_);

    tidewell::Sound* click = tidewell::SoundMusicManager::getSound("button.tws", true);
    closeButton_ = PanelButtons::makeCloseButton(this, click, 0, 230);
    tidewell::SoundMusicManager::releaseSound(click);

    mouseEnabled = true;
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
