#include "frontend/OptionsPanel.h"

#include <initializer_list>

#include "display/Button.h"
#include "display/Image.h"
#include "input/InputManager.h"
#include "core/SettingManager.h"
#include "sound/SoundMusicManager.h"
#include "core/WindowManager.h"
#include "frontend/ControlsPanel.h"
#include "frontend/PanelButtons.h"
#include "frontend/TitleScene.h"
#include "AudioLevels.h"
#include "ControlBindings.h"
#include "StoredChoice.h"

namespace brinefall {
namespace {

using tidewell::Button;
using namespace tidewell;

constexpr int kUnavailableGrey = 0x7F;
constexpr int kAvailableWhite = 0xFF;

bool firstJoystickVibrates() {
    return InputManager::joystickCount > 0 && !InputManager::joystickForceFeedback.empty() &&
           InputManager::joystickForceFeedback[0] != 0;
}

}  // namespace

OptionsPanel::OptionsPanel(TitleScene* title) : title_(title) {
    panel_ = new Image("optionspanel.twi");
    panel_->setAlignment(3, 3);
    addChild(panel_);

    // The boxes keep their own shares of the click; the panel needs it only to build them.
    Sound* click = SoundMusicManager::getSound("button.tws", true);
    keyboardBox_ = PanelButtons::makeCheckBox(this, click, -112, -166);
    joystickBox_ = PanelButtons::makeCheckBox(this, click, -112, -84);
    vibrationBox_ = PanelButtons::makeCheckBox(this, click, 68, -19);
    soundOnBox_ = PanelButtons::makeCheckBox(this, click, -19, 51);
    soundOffBox_ = PanelButtons::makeCheckBox(this, click, 91, 51);
    musicOnBox_ = PanelButtons::makeCheckBox(this, click, -19, 94);
    musicOffBox_ = PanelButtons::makeCheckBox(this, click, 91, 94);
    fullScreenBox_ = PanelButtons::makeCheckBox(this, click, -19, 137);
    windowBox_ = PanelButtons::makeCheckBox(this, click, 91, 137);
    controlsButton_ = PanelButtons::makeMenuButton(this, "controlsButton.twi", click, -70, 190);
    closeButton_ = PanelButtons::makeCloseButton(this, click, 70, 190);
    SoundMusicManager::releaseSound(click);
    // Last, so it is drawn over the options and is the first to hear the mouse.
    controlsPanel_ = new ControlsPanel(this);
    addChild(controlsPanel_);

    loadSettings();
    mouseEnabled = true;
}

OptionsPanel::~OptionsPanel() = default;

void OptionsPanel::loadSettings() {
    ControlBindings::loadInForce();
    loadJoystickSettings();

    selectSoundOn(StoredChoice::isOn("soundOn"));
    selectMusicOn(StoredChoice::isOn("musicOn"));

    // The program has already opened the window in the stored mode, unless this run was
    // told --windowed or --fullscreen; either way the boxes show the mode the window is
    // in, and a one-run choice from the command line neither flips the window back nor
    // overwrites the stored one. A missing value is created as the mode in use.
    const bool current = WindowManager::isFullScreen();
    bool stored = current;
    SettingManager::readSetting("fullScreen", &stored);
    showFullScreen(current);
}

void OptionsPanel::loadJoystickSettings() {
    joystickAvailable_ = InputManager::joystickCount > 0;
    vibrationAvailable_ = joystickAvailable_ && firstJoystickVibrates();

    showAvailable(joystickBox_, joystickAvailable_);
    selectUseJoystick(joystickAvailable_ && StoredChoice::isOn("useJoystick"));

    showAvailable(vibrationBox_, vibrationAvailable_);
    selectEnableVibration(vibrationAvailable_ && StoredChoice::isOn("enableVibration"));
}

// A pad may have been plugged in or pulled out since the boxes were last set; only a change
// reads the stored choices again, so that an unchanged machine keeps what the player ticked.
void OptionsPanel::showJoysticksAttached() {
    const bool joystick = InputManager::joystickCount > 0;
    const bool vibration = joystick && firstJoystickVibrates();
    if (joystick != joystickAvailable_ || vibration != vibrationAvailable_) {
        loadJoystickSettings();
    }
}

void OptionsPanel::selectUseJoystick(bool on) {
    useJoystick_ = joystickAvailable_ && on;
    tickPair(joystickBox_, keyboardBox_, useJoystick_);
    SettingManager::writeSetting("useJoystick", useJoystick_);
    if (title_) title_->setUseJoystick(useJoystick_);
}

void OptionsPanel::selectEnableVibration(bool on) {
    enableVibration_ = vibrationAvailable_ && on;
    PanelButtons::showTicked(vibrationBox_, enableVibration_);
    SettingManager::writeSetting("enableVibration", enableVibration_);
}

void OptionsPanel::selectSoundOn(bool on) {
    soundOn_ = on;
    tickPair(soundOnBox_, soundOffBox_, on);
    SettingManager::writeSetting("soundOn", on);
    AudioLevels::apply();
}

void OptionsPanel::selectMusicOn(bool on) {
    musicOn_ = on;
    tickPair(musicOnBox_, musicOffBox_, on);
    SettingManager::writeSetting("musicOn", on);
    AudioLevels::apply();
}

void OptionsPanel::selectFullScreen(bool on) {
    showFullScreen(on);
    // Rebuilds the window and the devices only when the mode really changes.
    WindowManager::setFullScreen(on);
    SettingManager::writeSetting("fullScreen", on);
}

void OptionsPanel::showScreenModeInForce() { showFullScreen(WindowManager::isFullScreen()); }

void OptionsPanel::showFullScreen(bool on) {
    fullScreen_ = on;
    tickPair(fullScreenBox_, windowBox_, on);
}

void OptionsPanel::notify(Sprite* sender, int code) {
    if (code != Button::clickedCode) return;
    if (sender == keyboardBox_) {
        selectUseJoystick(false);
    } else if (sender == joystickBox_) {
        selectUseJoystick(true);
    } else if (sender == vibrationBox_) {
        selectEnableVibration(!enableVibration_);
    } else if (sender == soundOnBox_ || sender == soundOffBox_) {
        selectSoundOn(sender == soundOnBox_);
    } else if (sender == musicOnBox_ || sender == musicOffBox_) {
        selectMusicOn(sender == musicOnBox_);
    } else if (sender == fullScreenBox_ || sender == windowBox_) {
        selectFullScreen(sender == fullScreenBox_);
    } else if (sender == controlsButton_) {
        controlsButton_->setState(tidewell::Button::normalState);
        showOwnChildren(false);
        controlsPanel_->open();
    } else if (sender == closeButton_) {
        // A hidden button no longer updates: let go of the Close button now, or it keeps the
        // pointer in its over-a-button shape until the pointer crosses another button.
        closeButton_->setState(tidewell::Button::normalState);
        if (title_) title_->enableButtons();
        setAlpha(0);
    }
}

void OptionsPanel::controlsClosed() { showOwnChildren(true); }

void OptionsPanel::showOwnChildren(bool shown) {
    const std::initializer_list<Sprite*> own{panel_,         keyboardBox_, joystickBox_, vibrationBox_,
                                             soundOnBox_,    soundOffBox_, musicOnBox_,  musicOffBox_,
                                             fullScreenBox_, windowBox_,   closeButton_, controlsButton_};
    for (Sprite* child : own) {
        child->setAlpha(shown ? 255 : 0);
    }
}

bool OptionsPanel::takesKey(int key) {
    if (!controlsPanel_->isWaiting()) return false;
    controlsPanel_->takeKey(key);
    return true;
}

bool OptionsPanel::takesPadButton(int button) {
    if (!controlsPanel_->isWaiting()) return false;
    controlsPanel_->takePadButton(button);
    return true;
}

void OptionsPanel::tickPair(Button* onBox, Button* offBox, bool on) {
    PanelButtons::showTicked(on ? offBox : onBox, false);
    PanelButtons::showTicked(on ? onBox : offBox, true);
}

void OptionsPanel::showAvailable(Button* box, bool available) {
    const int shade = available ? kAvailableWhite : kUnavailableGrey;
    box->setRGB(shade, shade, shade);
    box->setEnabled(available);
}

}  // namespace brinefall
