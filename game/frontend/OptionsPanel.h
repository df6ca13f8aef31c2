#pragma once

#include "display/Sprite.h"

namespace tidewell {
class Button;
class Image;
}  // namespace tidewell

namespace brinefall {

class ControlsPanel;
class TitleScene;

// The settings dialog of the title screen: nine check boxes and a close button over
// the panel picture. It owns the five user settings ("useJoystick", "enableVibration",
// "soundOn", "musicOn", "fullScreen"); every change takes effect and is stored at once.
// Keyboard/joystick, sound on/off, music on/off and full screen/window are radio
// pairs: exactly one box of each is ticked. Boxes for a joystick or for vibration that
// this machine does not have are grey and cannot be clicked; a pad plugged in or pulled
// out is taken into account when the panel next opens. Its Controls button opens the
// controls panel over it (keys, pad buttons, levels, smooth motion).
class OptionsPanel : public tidewell::Sprite {
public:
    explicit OptionsPanel(TitleScene* title);
    ~OptionsPanel() override;

    void notify(tidewell::Sprite* sender, int code) override;

    // Reads the stored settings, as far as this machine can honour them, and applies them.
    void loadSettings();
    // Greys or un-greys the joystick and vibration boxes for the joysticks attached now.
    void showJoysticksAttached();
    // Ticks the screen mode in force, which the desktop keys may have changed since.
    void showScreenModeInForce();
    void selectUseJoystick(bool on);
    void selectEnableVibration(bool on);
    void selectSoundOn(bool on);
    void selectMusicOn(bool on);
    void selectFullScreen(bool on);
    // The controls panel closed: the options are shown again.
    void controlsClosed();
    // While the controls panel waits for a key or pad button, it takes them before the title
    // acts on them; true when it did.
    bool takesKey(int key);
    bool takesPadButton(int button);

    bool getUseJoystick() const { return useJoystick_; }
    bool isJoystickAvailable() const { return joystickAvailable_; }
    bool getEnableVibration() const { return enableVibration_; }
    bool isVibrationAvailable() const { return vibrationAvailable_; }
    bool isSoundOn() const { return soundOn_; }
    bool isMusicOn() const { return musicOn_; }
    bool isFullScreen() const { return fullScreen_; }

    tidewell::Button* getKeyboardBox() const { return keyboardBox_; }
    tidewell::Button* getJoystickBox() const { return joystickBox_; }
    tidewell::Button* getVibrationBox() const { return vibrationBox_; }
    tidewell::Button* getSoundOnBox() const { return soundOnBox_; }
    tidewell::Button* getSoundOffBox() const { return soundOffBox_; }
    tidewell::Button* getMusicOnBox() const { return musicOnBox_; }
    tidewell::Button* getMusicOffBox() const { return musicOffBox_; }
    tidewell::Button* getFullScreenBox() const { return fullScreenBox_; }
    tidewell::Button* getWindowBox() const { return windowBox_; }
    tidewell::Button* getCloseButton() const { return closeButton_; }
    tidewell::Button* getControlsButton() const { return controlsButton_; }
    ControlsPanel* getControlsPanel() const { return controlsPanel_; }

private:
    // Ticks the pair's on box when `on`, its off box otherwise, and unticks the other one;
    // the ticked one is shown last, so the box just clicked is the one whose pointer stays.
    static void tickPair(tidewell::Button* onBox, tidewell::Button* offBox, bool on);
    // Grey and deaf when this machine cannot offer the option (now), white and clickable when it can.
    static void showAvailable(tidewell::Button* box, bool available);
    // The joystick and vibration boxes, as far as the joysticks attached now allow.
    void loadJoystickSettings();
    void showFullScreen(bool on);
    // The options' own picture and buttons, hidden while the controls panel is over them.
    void showOwnChildren(bool shown);

    TitleScene* title_;
    tidewell::Image* panel_ = nullptr;
    tidewell::Button* keyboardBox_ = nullptr;
    tidewell::Button* joystickBox_ = nullptr;
    tidewell::Button* vibrationBox_ = nullptr;
    tidewell::Button* soundOnBox_ = nullptr;
    tidewell::Button* soundOffBox_ = nullptr;
    tidewell::Button* musicOnBox_ = nullptr;
    tidewell::Button* musicOffBox_ = nullptr;
    tidewell::Button* fullScreenBox_ = nullptr;
    tidewell::Button* windowBox_ = nullptr;
    tidewell::Button* closeButton_ = nullptr;
    tidewell::Button* controlsButton_ = nullptr;
    ControlsPanel* controlsPanel_ = nullptr;

    bool useJoystick_ = true;
    bool joystickAvailable_ = true;
    bool enableVibration_ = true;
    bool vibrationAvailable_ = true;
    bool soundOn_ = true;
    bool musicOn_ = true;
    bool fullScreen_ = true;
};

}  // namespace brinefall
