#include <gtest/gtest.h>

#include "FrontEndTestSupport.h"
#include "display/Image.h"
#include "SceneSwitcher.h"
#include "core/SettingManager.h"
#include "sound/SoundMusicManager.h"
#include "core/Random.h"
#include "frontend/CompanyLogoScene.h"
#include "frontend/DemoScene.h"
#include "frontend/OpeningScene.h"
#include "frontend/TitleScene.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "input/InputManager.h"

namespace brinefall::testing {
namespace {

namespace SettingManager = tidewell::SettingManager;

constexpr int kCodeA[] = {0x10, 0x16, 0x17, 0x2D, 0x18, 0x14, 0x17, 0x2E};  // Q U I X O T I C

class SceneSwitcherTest : public FrontEndTest {
protected:
    void startSwitcher() {
        switcher = new SceneSwitcher;
        setRoot(switcher);
    }

    template <typename Scene>
    Scene* scene() const {
        return dynamic_cast<Scene*>(switcher->getScene());
    }

    // Steps until the switcher shows the scene, at most `limit` frames; how many it took.
    template <typename Scene>
    int stepUntil(int limit) {
        for (int frames = 1; frames <= limit; ++frames) {
            step(1);
            if (scene<Scene>() != nullptr) return frames;
        }
        return -1;
    }

    void pressAndStep(int key) {
        keyPress(key);
        step(1);
    }

    SceneSwitcher* switcher = nullptr;
};

TEST_F(SceneSwitcherTest, WithoutInputTheLogoTheOpeningAndTheTitleFollowWithTheMusicCarriedOver) {
    startEngine();
    startSwitcher();
    ASSERT_NE(scene<CompanyLogoScene>(), nullptr);
    EXPECT_EQ(switcher->getCurrentScene(), SceneSwitcher::kCompanyLogo);
    EXPECT_EQ(stepUntil<OpeningScene>(100), 90);
    ASSERT_EQ(childrenOf(switcher).size(), 1u) << "the logo left at the end of the frame";

    // The opening runs its whole script and hands over to the title, which shows the
    // globe where the opening left it.
    EXPECT_EQ(scene<OpeningScene>()->getFrameNumber(), 0) << "the new scene already runs in the frame of the switch";
    EXPECT_EQ(stepUntil<TitleScene>(1500), 1460);
    ASSERT_NE(scene<TitleScene>(), nullptr);
    EXPECT_EQ(switcher->getCurrentScene(), SceneSwitcher::kTitle);
    EXPECT_EQ(scene<TitleScene>()->getGlobe()->x, 400);
    EXPECT_EQ(scene<TitleScene>()->getGlobe()->y, 180);
    EXPECT_EQ(countEvents(Event::MusicPlay, "title.tws"), 1);
    EXPECT_EQ(countEvents(Event::MusicStop, "title.tws"), 0);
}

TEST_F(SceneSwitcherTest, ArrowKeysNeverSkipTheLogoOrTheOpeningButEnterDoes) {
    startEngine();
    startSwitcher();
    step(2);
    pressAndStep(keys::kDown);
    pressAndStep(keys::kRight);
    EXPECT_NE(scene<CompanyLogoScene>(), nullptr);
    pressAndStep(keys::kEnter);
    ASSERT_NE(scene<OpeningScene>(), nullptr);
    step(3);
    pressAndStep(keys::kUp);
    pressAndStep(keys::kLeft);
    EXPECT_NE(scene<OpeningScene>(), nullptr);
    pressAndStep(keys::kEnter);
    EXPECT_NE(scene<TitleScene>(), nullptr);
    EXPECT_TRUE(played("title.tws"));
}

TEST_F(SceneSwitcherTest, CodeAReachesTheGameAndTheGamesEndBringsANewTitle) {
    startEngine();
    startSwitcher();
    pressAndStep(keys::kEnter);
    pressAndStep(keys::kEnter);
    TitleScene* title = scene<TitleScene>();
    ASSERT_NE(title, nullptr);
    for (int code : kCodeA) pressAndStep(code);
    ASSERT_TRUE(title->isCodeAEntered());

    tidewell::InputManager::setMousePosition(400, 380);
    step(1);
    pressAndStep(keys::kLeftCtrl);
    ASSERT_TRUE(title->isStarting());
    EXPECT_EQ(stepUntil<GameScene>(30), 20);
    GameScene* game = scene<GameScene>();
    EXPECT_EQ(switcher->getCurrentScene(), SceneSwitcher::kGame);
    EXPECT_TRUE(game->isInvincible());
    EXPECT_FALSE(game->isFullPower());
    EXPECT_FALSE(game->isUseJoystick()) << "no joystick: keyboard play";
    step(1);
    ASSERT_EQ(childrenOf(switcher).size(), 1u);

    game->quitToTitle();
    step(1);
    TitleScene* second = scene<TitleScene>();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->isCodeAEntered()) << "a new title, its codes untyped";
    EXPECT_EQ(switcher->getCurrentScene(), SceneSwitcher::kTitle);
}

// A title left alone plays stage 1, then stage 2, each by itself. Whatever ends a demo (a
// touch of the mouse, or its 60 seconds), the title comes back with the pointer, the keys and
// the random sequence as the demo found them, so the next game is the one it would have been.
TEST_F(SceneSwitcherTest, IdleTitlesShowDemosOfBothStagesThatLeaveNoTrace) {
    startEngine(7);
    startSwitcher();
    pressAndStep(keys::kEnter);
    pressAndStep(keys::kEnter);
    ASSERT_NE(scene<TitleScene>(), nullptr);
    mouseTo(400, 380);
    step(1);
    const std::uint32_t randomState = tidewell::Random::currentState();

    // 600 quiet frames, the last of which starts the fade, then the fade's 20.
    EXPECT_EQ(stepUntil<DemoScene>(700), TitleScene::kIdleFramesToDemo + TitleScene::kFadeFrames);
    EXPECT_EQ(switcher->getCurrentScene(), SceneSwitcher::kDemo);
    GameScene* game = scene<DemoScene>()->getGame();
    EXPECT_EQ(game->getStage(), 1);
    EXPECT_FALSE(game->isInvincible());
    EXPECT_FALSE(game->isUseJoystick()) << "no pad to shake";
    step(60);
    EXPECT_TRUE(tidewell::InputManager::keyStates[keys::kLeftCtrl] & 0x80) << "the autopilot fires";
    EXPECT_NE(tidewell::Random::currentState(), randomState) << "the demo draws from its own seed";

    mouseMove(2, 0);
    step(1);
    TitleScene* title = scene<TitleScene>();
    ASSERT_NE(title, nullptr) << "a touch of the mouse ends the demo in its frame";
    EXPECT_EQ(tidewell::Random::currentState(), randomState);
    EXPECT_EQ(pointerX(), 400);
    EXPECT_EQ(pointerY(), 380);
    step(1);
    EXPECT_FALSE(title->isStarting());
    for (int key : {keys::kLeftCtrl, keys::kUp, keys::kDown, keys::kLeft, keys::kRight}) {
        EXPECT_EQ(tidewell::InputManager::keyStates[key], 0) << "key " << key << " still held";
    }

    ASSERT_GT(stepUntil<DemoScene>(700), 0);
    EXPECT_EQ(scene<DemoScene>()->getGame()->getStage(), 2) << "the stages take turns";
    EXPECT_EQ(stepUntil<TitleScene>(DemoScene::kLengthFrames + 1), DemoScene::kLengthFrames)
        << "60 seconds, unless the ship is lost first";
    EXPECT_EQ(tidewell::Random::currentState(), randomState);
}

TEST_F(SceneSwitcherTest, TwoReportsInOneFrameSwitchOnce) {
    startEngine();
    startSwitcher();
    CompanyLogoScene* logo = scene<CompanyLogoScene>();
    switcher->notify(logo, 0);
    switcher->notify(logo, 0);
    EXPECT_EQ(switcher->getCurrentScene(), SceneSwitcher::kOpening);
    // Nor does a stranger's report move anything.
    tidewell::Sprite stranger;
    switcher->notify(&stranger, 0);
    switcher->notify(nullptr, 0);
    EXPECT_EQ(switcher->getCurrentScene(), SceneSwitcher::kOpening);
    step(1);
    EXPECT_EQ(childrenOf(switcher).size(), 1u);
}

TEST_F(SceneSwitcherTest, MissingSettingsAreCreatedOnAndStoredOffOnesSilenceTheStart) {
    startEngine();
    startSwitcher();
    bool sound = false;
    bool music = false;
    SettingManager::readSetting("soundOn", &sound);
    SettingManager::readSetting("musicOn", &music);
    EXPECT_TRUE(sound);
    EXPECT_TRUE(music);
    EXPECT_EQ(tidewell::SoundMusicManager::soundVolume, 1.0f);
    step(10);
    EXPECT_TRUE(played("company.tws"));

    SettingManager::writeSetting("soundOn", false);
    SettingManager::writeSetting("musicOn", false);
    delete new SceneSwitcher;
    EXPECT_EQ(tidewell::SoundMusicManager::soundVolume, 0.0f);
    EXPECT_EQ(tidewell::SoundMusicManager::musicVolume, 0.0f);
}

}  // namespace
}  // namespace brinefall::testing
