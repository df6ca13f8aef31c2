#include "SceneSwitcher.h"

#include "input/InputManager.h"
#include "AudioLevels.h"
#include "ControlBindings.h"
#include "Milestones.h"
#include "core/SettingManager.h"
#include "sound/SoundMusicManager.h"
#include "frontend/CompanyLogoScene.h"
#include "frontend/DemoScene.h"
#include "frontend/OpeningScene.h"
#include "frontend/TitleScene.h"
#include "gameplay/GameScene.h"
#include "StoredChoice.h"

namespace brinefall {

using namespace tidewell;

namespace {

// Each scene by number: its name in the milestones and the scene its end leads to.
struct SceneRow {
    const char* name;
    int next;
};
constexpr SceneRow kScenes[] = {
    {"none", SceneSwitcher::kNoScene}, {"logo", SceneSwitcher::kOpening}, {"opening", SceneSwitcher::kTitle},
    {"title", SceneSwitcher::kGame},   {"game", SceneSwitcher::kTitle},   {"demo", SceneSwitcher::kTitle},
};

}  // namespace

SceneSwitcher::SceneSwitcher(const PlayOptions& play) : play_(play) {
    switchTo(play_.startStage > 0 ? kGame : kCompanyLogo);
    SettingManager::readSetting("soundOn", &soundOn_);
    SettingManager::readSetting("musicOn", &musicOn_);
    AudioLevels::apply();
    ControlBindings::loadInForce();  // the logo and the opening already know which keys steer
    keyboardEnabled = mouseEnabled = joystickEnabled = true;
}

// A scene that reports twice in one frame is already forgotten the second time, so
// each frame switches once at most.
void SceneSwitcher::notify(Sprite* sender, int code) {
    if (sender == nullptr) return;
    for (int scene = kCompanyLogo; scene <= kDemo; ++scene) {
        if (sender == scenes_[scene]) {
            switchTo(scene == kTitle && code == TitleScene::kDemoCode ? kDemo : kScenes[scene].next);
            return;
        }
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
    return InputManager::joystickCount > 0 && StoredChoice::isOn("useJoystick");
}

Sprite* SceneSwitcher::getScene() const { return scenes_[currentScene_]; }

TitleScene* SceneSwitcher::titleScene() const { return static_cast<TitleScene*>(scenes_[kTitle]); }

Sprite* SceneSwitcher::makeScene(int scene) {
    switch (scene) {
        case kCompanyLogo:
            return new CompanyLogoScene;
        case kOpening:
            return new OpeningScene;
        case kTitle:
            return new TitleScene;
        case kGame: {
            // The title that is being left says how the game is played; without one (a
            // practice start) the stored settings do.
            const TitleScene* title = titleScene();
            const bool useJoystick = title ? title->getUseJoystick() : storedJoystickChoice();
            const bool invincible = play_.invincible || (title && title->isCodeAEntered());
            const bool fullPower = play_.fullPower || (title && title->isCodeBEntered());
            const int firstStage = title == nullptr && play_.startStage > 0 ? play_.startStage : 1;
            return new GameScene(useJoystick, invincible, fullPower, firstStage);
        }
        case kDemo: {
            const int stage = nextDemoStage_;
            nextDemoStage_ = stage == 1 ? 2 : 1;
            return new DemoScene(stage);
        }
        default:
            return nullptr;
    }
}

void SceneSwitcher::switchTo(int scene) {
    if (scene == currentScene_) return;
    // Said before the scene is built, so what the scene reports as it starts comes after.
    Milestones::report("scene", kScenes[scene].name);
    Sprite* old = getScene();
    Sprite* next = makeScene(scene);
    if (next == nullptr) return;
    scenes_[scene] = next;
    if (old == nullptr) {
        addChild(next);
    } else {
        // The old scene leaves now and is deleted at the end of the frame.
        old->replaceWith(next);
        scenes_[currentScene_] = nullptr;
    }
    currentScene_ = scene;
}

}  // namespace brinefall
