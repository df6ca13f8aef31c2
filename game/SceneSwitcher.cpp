#include "SceneSwitcher.h"

#include "SettingManager.h"
#include "SoundMusicManager.h"
#include "frontend/CompanyLogoScene.h"
#include "frontend/OpeningScene.h"
#include "frontend/TitleScene.h"
#include "gameplay/GameScene.h"

namespace brinefall {

using namespace tidewell;

SceneSwitcher::SceneSwitcher() {
    switchTo(kCompanyLogo);
    SettingManager::readSetting("soundOn", &soundOn_);
    SettingManager::readSetting("musicOn", &musicOn_);
    if (!soundOn_) SoundMusicManager::setSoundVolume(0.0f);
    if (!musicOn_) SoundMusicManager::setMusicVolume(0.0f);
    keyboardEnabled = mouseEnabled = joystickEnabled = true;
}

// A scene that reports twice in one frame is already forgotten the second time, so
// each frame switches once at most.
void SceneSwitcher::notify(Sprite* sender, int /*code*/) {
    if (sender == nullptr) return;
    if (sender == companyLogoScene_) {
        switchTo(kOpening);
    } else if (sender == openingScene_) {
        switchTo(kTitle);
    } else if (sender == titleScene_) {
        switchTo(kGame);
    } else if (sender == gameScene_) {
        switchTo(kTitle);
    }
}

Sprite* SceneSwitcher::getScene() const {
    switch (currentScene_) {
        case kCompanyLogo:
            return companyLogoScene_;
        case kOpening:
            return openingScene_;
        case kTitle:
            return titleScene_;
        case kGame:
            return gameScene_;
        default:
            return nullptr;
    }
}

Sprite* SceneSwitcher::makeScene(int scene) {
    switch (scene) {
        case kCompanyLogo:
            return companyLogoScene_ = new CompanyLogoScene;
        case kOpening:
            return openingScene_ = new OpeningScene;
        case kTitle:
            return titleScene_ = new TitleScene;
        case kGame: {
            // The title that is being left says how the game is played.
            const bool useJoystick = titleScene_ && titleScene_->getUseJoystick();
            const bool invincible = titleScene_ && titleScene_->isCodeAEntered();
            const bool fullPower = titleScene_ && titleScene_->isCodeBEntered();
            return gameScene_ = new GameScene(useJoystick, invincible, fullPower);
        }
        default:
            return nullptr;
    }
}

void SceneSwitcher::forgetScene(int scene) {
    switch (scene) {
        case kCompanyLogo:
            companyLogoScene_ = nullptr;
            break;
        case kOpening:
            openingScene_ = nullptr;
            break;
        case kTitle:
            titleScene_ = nullptr;
            break;
        case kGame:
            gameScene_ = nullptr;
            break;
        default:
            break;
    }
}

void SceneSwitcher::switchTo(int scene) {
    if (scene == currentScene_) return;
    Sprite* old = getScene();
    Sprite* next = makeScene(scene);
    if (next == nullptr) return;
    if (old == nullptr) {
        addChild(next);
    } else {
        // The old scene leaves now and is deleted at the end of the frame.
        old->replaceWith(next);
        forgetScene(currentScene_);
    }
    currentScene_ = scene;
}

}  // namespace brinefall
