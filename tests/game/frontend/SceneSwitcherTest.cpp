#include <gtest/gtest.h>

#include "FrontEndTestSupport.h"
#include "display/Image.h"
#include "SceneSwitcher.h"
#include "core/SettingManager.h"
#include "sound/SoundMusicManager.h"
#include "frontend/CompanyLogoScene.h"
#include "frontend/OpeningScene.h"
#include "frontend/TitleScene.h"
#include "gameplay/GameScene.h"

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
