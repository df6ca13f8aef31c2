#pragma once

#include <array>
#include <optional>

#include "AudioLevels.h"
#include "ControlBindings.h"
#include "display/Sprite.h"

namespace tidewell {
class Button;
class Image;
class Sound;
class Text;
}  // namespace tidewell

namespace brinefall {

class OptionsPanel;

// The player's controls, over the options panel: a key and a second key for each action,
// the pad's Fire and Pause buttons, the music and sound levels, smooth motion on or off,
// and Defaults. A cap clicked waits for the next key (or pad button): the key is bound,
// swapped with the action that had it; Escape cancels, Backspace clears a second key.
// Every change is stored at once and is in force at once.
class ControlsPanel : public tidewell::Sprite {
public:
    explicit ControlsPanel(OptionsPanel* options);
    ~ControlsPanel() override;

    void notify(tidewell::Sprite* sender, int code) override;

    // Shows the panel with what is in force now.
    void open();
    bool isOpen() const;
    // Whether a cap waits for its key or button; the title then hands them here first.
    bool isWaiting() const { return waitingKey_.has_value() || waitingPad_.has_value(); }
    void takeKey(int key);
    void takePadButton(int button);

    tidewell::Button* getKeyCap(Action action, int slot) const;
    tidewell::Button* getPadCap(PadAction action) const;
    tidewell::Button* getLowerButton(AudioLevels::Kind kind) const;
    tidewell::Button* getRaiseButton(AudioLevels::Kind kind) const;
    tidewell::Button* getSmoothMotionBox() const { return smoothBox_; }
    tidewell::Button* getDefaultsButton() const { return defaultsButton_; }
    tidewell::Button* getCloseButton() const { return closeButton_; }
    tidewell::Text* getHint() const { return hint_; }

private:
    struct KeySlot {
        Action action;
        int slot;
    };

    void showBindings();
    void showLevels();
    void changeLevel(AudioLevels::Kind kind, int step);
    void waitForKey(KeySlot slot);
    void waitForPad(PadAction action);
    void stopWaiting();
    void bindingsChanged(const ControlBindings& bindings);
    void restoreDefaults();
    void close();
    bool handleLevelButton(tidewell::Sprite* sender);
    bool handleCap(tidewell::Sprite* sender);

    OptionsPanel* options_;
    tidewell::Image* panel_ = nullptr;
    std::array<std::array<tidewell::Button*, 2>, ControlBindings::kActionCount> keyCaps_{};
    std::array<tidewell::Button*, ControlBindings::kPadActionCount> padCaps_{};
    std::array<tidewell::Button*, 2> lowerButtons_{};
    std::array<tidewell::Button*, 2> raiseButtons_{};
    std::array<tidewell::Text*, 2> levelTexts_{};
    tidewell::Button* smoothBox_ = nullptr;
    tidewell::Button* defaultsButton_ = nullptr;
    tidewell::Button* closeButton_ = nullptr;
    tidewell::Text* hint_ = nullptr;
    tidewell::Sound* levelSound_ = nullptr;

    std::optional<KeySlot> waitingKey_;
    std::optional<PadAction> waitingPad_;
};

}  // namespace brinefall
