#pragma once

#include "DesktopKeys.h"
#include "display/Sprite.h"

namespace brinefall {

class TitleScene;

// What the command line asks of every game besides the title's choices, and where the run
// begins: startStage 0 is the company logo, 1 or 2 a game at that stage straight away.
struct PlayOptions {
    int startStage = 0;
    bool invincible = false;
    bool fullPower = false;
};

// The game's root sprite. It holds one scene at a time as its only child and moves on
// when that scene reports its end: company logo, opening, title, game, title, game ...;
// a title left alone shows a demo and comes back after it.
// A new title and a new game are built each time. At start it applies the stored sound
// and music settings and opens the tree to the keyboard, the mouse and the joysticks.
// The desktop keys (full screen, screenshot) are seen here first, in every scene, and
// kept from the scene.
class SceneSwitcher : public tidewell::Sprite {
public:
    static constexpr int kNoScene = 0;
    static constexpr int kCompanyLogo = 1;
    static constexpr int kOpening = 2;
    static constexpr int kTitle = 3;
    static constexpr int kGame = 4;
    static constexpr int kDemo = 5;

    explicit SceneSwitcher(const PlayOptions& play = {});

    void notify(tidewell::Sprite* sender, int code) override;
    void onKeyDown(int key, bool flag) override;
    void onKeyUp(int key, bool flag) override;
    void update() override;

    int getCurrentScene() const { return currentScene_; }
    tidewell::Sprite* getScene() const;
    bool isSoundOn() const { return soundOn_; }
    bool isMusicOn() const { return musicOn_; }

private:
    void switchTo(int scene);
    // The scene of that number, built; null for an unknown number.
    tidewell::Sprite* makeScene(int scene);
    // The title screen while it exists, whose choices start the game.
    TitleScene* titleScene() const;

    // A game started without the title takes the joystick choice from the stored settings.
    static bool storedJoystickChoice();

    // A key used by the desktop keys must not reach the scene: the scene is deaf to the
    // keyboard until the next key event or the end of the input step.
    void keepKeyFromScene();
    void letSceneHearKeys();

    PlayOptions play_;
    DesktopKeys desktopKeys_;
    tidewell::Sprite* deafScene_ = nullptr;
    bool soundOn_ = true;
    bool musicOn_ = true;
    int currentScene_ = kNoScene;
    // One pointer per scene number, null while that scene does not exist (always for kNoScene).
    tidewell::Sprite* scenes_[kDemo + 1] = {};
    // The title's demos play the two stages in turn.
    int nextDemoStage_ = 1;
};

}  // namespace brinefall
