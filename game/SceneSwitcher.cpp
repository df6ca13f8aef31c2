#include "SceneSwitcher.h"

#include "input/InputManager.h"
#include "Milestones.h"
#include "core/SettingManager.h"
#include "sound/SoundMusicManager.h"
#include "frontend/CompanyLogoScene.h"
#include "frontend/OpeningScene.h"
#include "frontend/TitleScene.h"
#include "gameplay/GameScene.h"

namespace brinefall {

using namespace tidewell;

namespace {

const char* sceneName(int scene) {
    switch (scene) {
        case SceneSwitcher::kCompanyLogo:
            return "logo";
        case SceneSwitcher::kOpening:
            return "opening";
        case SceneSwitcher::kTitle:
            return "title";
        case SceneSwitcher::kGame:
            return "game";
        default:
            return "none";
    }
}

}  // namespace

SceneSwitcher::SceneSwitcher(const PlayOptions& play) : play_(play) {
    switchTo(play_.startStage > 0 ? kGame : kCompanyLogo);
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

void SceneSwitcher::onKeyDown(int key, bool /*flag*/) {
    letSceneHearKeys();
    if (desktopKeys_.keyDown(key)) keepKeyFromScene();
}

void SceneSwitcher::onKeyUp(int key, bool /*flag*/) {
    letSceneHearKeys();
    if (desktopKeys_.keyUp(key)) keepKeyFromScene();
}

// Input is delivered before the update, so every scene hears the keys again by the time
// it updates, and the scene left in this frame is not deleted before then.
void SceneSwitcher::update() { letSceneHearKeys(); }

void SceneSwitcher::keepKeyFromScene() {
    deafScene_ = getScene();
    if (deafScene_ != nullptr) deafScene_->keyboardEnabled = false;
}

void SceneSwitcher::letSceneHearKeys() {
    if (deafScene_ != nullptr) deafScene_->keyboardEnabled = true;
    deafScene_ = nullptr;
}

bool SceneSwitcher::storedJoystickChoice() {
    if (InputManager::joystickCount == 0) return false;
    bool stored = true;
    SettingManager::readSetting("useJoystick", &stored);
    return stored;
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
            // The title that is being left says how the game is played; without one (a
            // practice start) the stored settings do.
            const bool useJoystick = titleScene_ ? titleScene_->getUseJoystick() : storedJoystickChoice();
            const bool invincible = play_.invincible || (titleScene_ && titleScene_->isCodeAEntered());
            const bool fullPower = play_.fullPower || (titleScene_ && titleScene_->isCodeBEntered());
            const int firstStage = titleScene_ == nullptr && play_.startStage > 0 ? play_.startStage : 1;
            return gameScene_ = new GameScene(useJoystick, invincible, fullPower, firstStage);
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
    // Said before the scene is built, so what the scene reports as it starts comes after.
    Milestones::report("scene", sceneName(scene));
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
