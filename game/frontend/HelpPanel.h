#pragma once

#include <optional>

#include "ControlBindings.h"
#include "display/Sprite.h"

namespace tidewell {
class Button;
class Image;
}  // namespace tidewell

namespace brinefall {

class TitleScene;

// The game's instructions, one picture with a close button under it, shown over the
// title screen. The title builds it hidden (opacity 0) and shows it on Help; closing
// hides it again and gives the title its buttons back. The controls it teaches are the keys
// and pad buttons in force, written on caps over the picture and redone when they change.
class HelpPanel : public tidewell::Sprite {
public:
    explicit HelpPanel(TitleScene* title);
    ~HelpPanel() override;

    void notify(tidewell::Sprite* sender, int code) override;
    void update() override;

    tidewell::Button* getCloseButton() const { return closeButton_; }

private:
    TitleScene* title_;
    tidewell::Image* page_ = nullptr;
    tidewell::Button* closeButton_ = nullptr;
    tidewell::Sprite* controls_ = nullptr;
    std::optional<ControlBindings> shown_;

    void showControls(const ControlBindings& bindings);
};

}  // namespace brinefall
