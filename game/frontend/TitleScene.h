#pragma once

#include <array>

#include "display/Sprite.h"
#include "frontend/IdleWatch.h"

namespace tidewell {
class Button;
class Image;
class Music;
class Shape;
class Sound;
class Text;
}  // namespace tidewell

namespace brinefall {

class Background6;
class HelpPanel;
class OptionsPanel;

// The menu screen: the title artwork over the still background, the Start, Options,
// Help, Visit and Exit buttons, the version line, the copyright notice and two
// animated enemies. It owns the options and help panels and shows them on top of
// itself. The pointer follows the mouse, the arrow keys or the first joystick, and
// Enter, Left Ctrl, Space or any joystick button click where it is, so the whole menu
// works without a mouse. Start fades to white and reports to the parent, which reads
// the three flags below to start the game.
class TitleScene : public tidewell::Sprite {
public:
    static constexpr int kHistoryLength = 20;
    static constexpr int kCodeLength = 8;
    // The two codes' letters in typing order, as scan codes: Q U I X O T I C makes the
    // ship invincible, Z E P H Y R U S gives it full power.
    static constexpr std::array<int, kCodeLength> kCodeA{0x10, 0x16, 0x17, 0x2D, 0x18, 0x14, 0x17, 0x2E};
    static constexpr std::array<int, kCodeLength> kCodeB{0x2C, 0x12, 0x19, 0x23, 0x15, 0x13, 0x16, 0x1F};
    // Frames of the fade to white after Start; the scene reports one frame later.
    static constexpr int kFadeFrames = 20;
    // Left alone this long (30 seconds), the title fades the same way to a demo and reports
    // with kDemoCode; any input during that fade calls it off.
    static constexpr int kIdleFramesToDemo = 600;
    static constexpr int kDemoCode = 1;

    TitleScene();
    ~TitleScene() override;

    void keyDown(int key) override;
    void joystickDown(int button, int joystick) override;
    void notify(tidewell::Sprite* sender, int code) override;
    void update() override;

    // The panels give the buttons back when they close.
    void enableButtons();
    void disableButtons();

    // What the game is started with: the joystick choice of the options panel and the
    // two hidden modes typed as key codes (invincibility, full power).
    bool getUseJoystick() const { return useJoystick_; }
    bool isCodeAEntered() const { return codeAEntered_; }
    bool isCodeBEntered() const { return codeBEntered_; }
    bool isStarting() const { return starting_; }
    bool isFadingToDemo() const { return toDemo_; }

    // The options panel keeps the joystick choice in step with its joystick boxes.
    void setUseJoystick(bool on) { useJoystick_ = on; }

    tidewell::Button* getStartButton() const { return startButton_; }
    // "Brinefall Demo Version " and the project's version number.
    tidewell::Text* getVersionLine() const { return versionLine_; }
    tidewell::Button* getOptionsButton() const { return optionsButton_; }
    tidewell::Button* getHelpButton() const { return helpButton_; }
    tidewell::Button* getVisitButton() const { return visitButton_; }
    tidewell::Button* getExitButton() const { return exitButton_; }
    OptionsPanel* getOptionsPanel() const { return optionsPanel_; }
    HelpPanel* getHelpPanel() const { return helpPanel_; }
    tidewell::Image* getGlobe() const { return globe_; }
    tidewell::Image* getLeftEnemy() const { return leftEnemy_; }
    tidewell::Image* getRightEnemy() const { return rightEnemy_; }
    tidewell::Shape* getFadeOverlay() const { return fadeOverlay_; }

private:
    void rememberKey(int key);
    bool historyEndsWith(const std::array<int, kCodeLength>& code) const;
    void checkCodes();
    void animateEnemies();
    void stepStartFade();
    // The demo after a long enough wait, and no demo once a hand is back.
    void watchIdleness();
    void callOffDemo();
    void forEachButton(void (*apply)(tidewell::Button*));

    bool useJoystick_ = false;
    bool codeAEntered_ = false;
    bool codeBEntered_ = false;

    tidewell::Music* music_ = nullptr;
    tidewell::Sound* buttonSound_ = nullptr;
    tidewell::Sound* enemyDeadSound_ = nullptr;

    Background6* backdrop_ = nullptr;
    tidewell::Image* globe_ = nullptr;
    tidewell::Image* title_ = nullptr;
    tidewell::Button* startButton_ = nullptr;
    tidewell::Button* optionsButton_ = nullptr;
    tidewell::Button* helpButton_ = nullptr;
    tidewell::Button* visitButton_ = nullptr;
    tidewell::Button* exitButton_ = nullptr;
    tidewell::Text* versionLine_ = nullptr;
    tidewell::Text* copyright_ = nullptr;
    tidewell::Image* leftEnemy_ = nullptr;
    tidewell::Image* rightEnemy_ = nullptr;
    OptionsPanel* optionsPanel_ = nullptr;
    HelpPanel* helpPanel_ = nullptr;
    tidewell::Shape* fadeOverlay_ = nullptr;

    std::array<int, kHistoryLength> keyHistory_{};
    int fadeCount_ = 0;
    bool starting_ = false;
    bool toDemo_ = false;
    IdleWatch idle_;
    // One count ahead of the frames shown: the first update shows the frame of count 1.
    int leftEnemyCounter_ = 1;
    int rightEnemyCounter_ = 1;
};

}  // namespace brinefall
