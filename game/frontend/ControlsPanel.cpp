#include "frontend/ControlsPanel.h"

#include <string>

#include "core/MainLoop.h"
#include "core/SettingManager.h"
#include "display/Button.h"
#include "display/Image.h"
#include "display/Text.h"
#include "frontend/KeyCaps.h"
#include "frontend/OptionsPanel.h"
#include "frontend/PanelButtons.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"

namespace brinefall {
namespace {

using tidewell::Button;
using tidewell::SoundMusicManager::getSound;
using tidewell::SoundMusicManager::releaseSound;
using Kind = AudioLevels::Kind;

// Where the caps and buttons stand, from the panel's centre; the panel picture leaves room for them.
constexpr float kKeyColumn[2] = {-150, -48};
constexpr float kFirstRow = -150;
constexpr float kRowStep = 38;
constexpr float kPadColumn = 200;
constexpr float kLowerColumn = 118;
constexpr float kLevelColumn = 190;
constexpr float kRaiseColumn = 262;
constexpr float kLevelRows[2] = {-34, 4};  // music, then sound
constexpr float kSmoothBoxX = 250;
constexpr float kSmoothBoxY = 66;
constexpr float kDefaultsX = 150;
constexpr float kDefaultsY = 118;
constexpr float kHintY = 176;
constexpr float kCloseY = 228;

constexpr int kKeyEscape = 0x01;
constexpr int kKeyBackspace = 0x0E;
constexpr int kHintInk = 0xB8D8F0;
constexpr const char* kIdleHint = "Click a key or button to change it.";

std::size_t levelIndex(Kind kind) { return kind == Kind::Music ? 0 : 1; }
Kind levelKind(std::size_t index) { return index == 0 ? Kind::Music : Kind::Sound; }

std::string levelWords(int level) { return std::to_string(level) + " %"; }

}  // namespace

ControlsPanel::ControlsPanel(OptionsPanel* options) : options_(options) {
    panel_ = new tidewell::Image("controlspanel.twi");
    panel_->setAlignment(3, 3);
    addChild(panel_);

    tidewell::Sound* click = getSound("button.tws", true);
    for (int action = 0; action < ControlBindings::kActionCount; ++action) {
        for (int slot = 0; slot < 2; ++slot) {
            keyCaps_[action][slot] = KeyCaps::makeCapButton(this, click, kKeyColumn[slot],
                                                            kFirstRow + kRowStep * static_cast<float>(action));
        }
    }
    for (int action = 0; action < ControlBindings::kPadActionCount; ++action) {
        padCaps_[action] =
            KeyCaps::makeCapButton(this, click, kPadColumn, kFirstRow + kRowStep * static_cast<float>(action));
    }
    for (std::size_t kind = 0; kind < 2; ++kind) {
        lowerButtons_[kind] =
            PanelButtons::makeMenuButton(this, "minusButton.twi", click, kLowerColumn, kLevelRows[kind]);
        raiseButtons_[kind] =
            PanelButtons::makeMenuButton(this, "plusButton.twi", click, kRaiseColumn, kLevelRows[kind]);
        levelTexts_[kind] = KeyCaps::makeWords(this, KeyCaps::kLargeFont, "", 0xFFFFFF, kLevelColumn, kLevelRows[kind]);
    }
    smoothBox_ = PanelButtons::makeCheckBox(this, click, kSmoothBoxX, kSmoothBoxY);
    defaultsButton_ = PanelButtons::makeMenuButton(this, "defaultsButton.twi", click, kDefaultsX, kDefaultsY);
    closeButton_ = PanelButtons::makeCloseButton(this, click, 0, kCloseY);
    releaseSound(click);
    hint_ = KeyCaps::makeWords(this, KeyCaps::kSmallFont, kIdleHint, kHintInk, 0, kHintY);
    // The level is heard in the sound it sets, so a change plays one of the game's own effects.
    levelSound_ = getSound("shoot.tws", true);

    mouseEnabled = true;
    setAlpha(0);
}

ControlsPanel::~ControlsPanel() {
    if (levelSound_) releaseSound(levelSound_);
}

void ControlsPanel::open() {
    stopWaiting();
    showBindings();
    showLevels();
    PanelButtons::showTicked(smoothBox_, tidewell::MainLoop::isSmoothMotion());
    setAlpha(255);
}

bool ControlsPanel::isOpen() const { return (colour >> 24) != 0; }

void ControlsPanel::showBindings() {
    const ControlBindings& bindings = ControlBindings::inForce();
    for (int action = 0; action < ControlBindings::kActionCount; ++action) {
        for (int slot = 0; slot < 2; ++slot) {
            const int key = bindings.key(ControlBindings::actionAt(action), slot);
            KeyCaps::write(keyCaps_[action][slot],
                           key == ControlBindings::kNoKey ? "-" : ControlBindings::keyLabel(key));
        }
    }
    for (int action = 0; action < ControlBindings::kPadActionCount; ++action) {
        const int button = bindings.padButton(ControlBindings::padActionAt(action));
        KeyCaps::write(padCaps_[action], ControlBindings::padButtonLabel(button));
    }
}

void ControlsPanel::showLevels() {
    for (std::size_t kind = 0; kind < 2; ++kind) {
        KeyCaps::rewrite(levelTexts_[kind], levelWords(AudioLevels::stored(levelKind(kind))));
    }
}

void ControlsPanel::notify(Sprite* sender, int code) {
    if (code != Button::clickedCode) return;
    // Whatever was waiting for a key is let go: the player chose something else.
    stopWaiting();
    if (handleCap(sender) || handleLevelButton(sender)) return;
    if (sender == smoothBox_) {
        const bool on = !tidewell::MainLoop::isSmoothMotion();
        tidewell::MainLoop::setSmoothMotion(on);
        tidewell::SettingManager::writeSetting("smoothMotion", on);
        PanelButtons::showTicked(smoothBox_, on);
    } else if (sender == defaultsButton_) {
        restoreDefaults();
    } else if (sender == closeButton_) {
        close();
    }
}

bool ControlsPanel::handleCap(Sprite* sender) {
    for (int action = 0; action < ControlBindings::kActionCount; ++action) {
        for (int slot = 0; slot < 2; ++slot) {
            if (sender != keyCaps_[action][slot]) continue;
            waitForKey({ControlBindings::actionAt(action), slot});
            return true;
        }
    }
    for (int action = 0; action < ControlBindings::kPadActionCount; ++action) {
        if (sender != padCaps_[action]) continue;
        waitForPad(ControlBindings::padActionAt(action));
        return true;
    }
    return false;
}

bool ControlsPanel::handleLevelButton(Sprite* sender) {
    for (std::size_t kind = 0; kind < 2; ++kind) {
        if (sender == lowerButtons_[kind] || sender == raiseButtons_[kind]) {
            changeLevel(levelKind(kind), sender == lowerButtons_[kind] ? -AudioLevels::kStep : AudioLevels::kStep);
            return true;
        }
    }
    return false;
}

void ControlsPanel::changeLevel(Kind kind, int step) {
    const int before = AudioLevels::stored(kind);
    AudioLevels::store(kind, before + step);
    showLevels();
    if (kind == Kind::Sound && AudioLevels::stored(kind) != before && levelSound_) levelSound_->play(true);
}

void ControlsPanel::waitForKey(KeySlot slot) {
    waitingKey_ = slot;
    Button* cap = keyCaps_[static_cast<std::size_t>(slot.action)][slot.slot];
    KeyCaps::showWaiting(cap, true);
    KeyCaps::write(cap, "?");
    const std::string which = slot.slot == 0 ? "the key" : "a second key";
    std::string hint = "Press " + which + " for " + ControlBindings::row(slot.action).name + ". Esc cancels";
    KeyCaps::rewrite(hint_, hint + (slot.slot == 0 ? "." : ", Backspace clears it."));
}

void ControlsPanel::waitForPad(PadAction action) {
    waitingPad_ = action;
    Button* cap = padCaps_[static_cast<std::size_t>(action)];
    KeyCaps::showWaiting(cap, true);
    KeyCaps::write(cap, "?");
    KeyCaps::rewrite(hint_,
                     std::string("Press the pad's button for ") + ControlBindings::row(action).name + ". Esc cancels.");
}

void ControlsPanel::stopWaiting() {
    waitingKey_.reset();
    waitingPad_.reset();
    for (auto& caps : keyCaps_) {
        for (Button* cap : caps) KeyCaps::showWaiting(cap, false);
    }
    for (Button* cap : padCaps_) KeyCaps::showWaiting(cap, false);
    KeyCaps::rewrite(hint_, kIdleHint);
    showBindings();
}

void ControlsPanel::takeKey(int key) {
    if (!isWaiting()) return;
    if (waitingKey_ && key != kKeyEscape) {
        ControlBindings bindings = ControlBindings::inForce();
        if (key == kKeyBackspace && waitingKey_->slot == 1) {
            bindings.clearSecondKey(waitingKey_->action);
        } else if (!bindings.bindKey(waitingKey_->action, waitingKey_->slot, key)) {
            // A key that keeps its own work (Enter, F11 ...) or would leave an action keyless: keep waiting.
            KeyCaps::rewrite(hint_, "That key cannot be moved here. Press another, or Esc.");
            return;
        }
        bindingsChanged(bindings);
    }
    // A key while the pad is awaited does nothing but Escape's cancel; it is taken all the same.
    if (waitingPad_ && key != kKeyEscape) return;
    stopWaiting();
}

void ControlsPanel::takePadButton(int button) {
    if (!isWaiting()) return;
    // A pad button while a key is awaited lets go, so a player with only a pad is never stuck.
    if (waitingPad_) {
        ControlBindings bindings = ControlBindings::inForce();
        if (bindings.bindPadButton(*waitingPad_, button)) bindingsChanged(bindings);
    }
    stopWaiting();
}

void ControlsPanel::bindingsChanged(const ControlBindings& bindings) {
    ControlBindings::inForce() = bindings;
    bindings.store();
}

void ControlsPanel::restoreDefaults() {
    bindingsChanged(ControlBindings::defaults());
    AudioLevels::store(Kind::Music, AudioLevels::kFull);
    AudioLevels::store(Kind::Sound, AudioLevels::kFull);
    showBindings();
    showLevels();
}

void ControlsPanel::close() {
    // A hidden button no longer updates: let go of the Close button now, as the other panels do.
    closeButton_->setState(Button::normalState);
    setAlpha(0);
    if (options_) options_->controlsClosed();
}

Button* ControlsPanel::getKeyCap(Action action, int slot) const {
    return keyCaps_[static_cast<std::size_t>(action)][slot == 0 ? 0 : 1];
}

Button* ControlsPanel::getPadCap(PadAction action) const { return padCaps_[static_cast<std::size_t>(action)]; }

Button* ControlsPanel::getLowerButton(Kind kind) const { return lowerButtons_[levelIndex(kind)]; }

Button* ControlsPanel::getRaiseButton(Kind kind) const { return raiseButtons_[levelIndex(kind)]; }

}  // namespace brinefall
