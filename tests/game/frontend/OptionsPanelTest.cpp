#include <gtest/gtest.h>

#include "FrontEndTestSupport.h"
#include "GoldenFrames.h"
#include "SceneSwitcher.h"
#include "core/SettingManager.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"
#include "core/WindowManager.h"
#include "display/Text.h"
#include "frontend/OptionsPanel.h"
#include "frontend/TitleScene.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinefall::testing {
namespace {

using tidewell::Button;
namespace SettingManager = tidewell::SettingManager;

constexpr int kGrey = 0x7F7F7F;

bool stored(const char* name) {
    bool value = false;  // a missing value would be created as false and show up as such
    SettingManager::readSetting(name, &value);
    return value;
}

bool isTicked(const Button* box) { return box->getFaceFrame(Button::normalState) == 2; }

class OptionsPanelTest : public FrontEndTest {
protected:
    // The title with its options panel open.
    void openOptions() {
        holder = new SceneHolder;
        holder->removeReporters = false;
        title = new TitleScene;
        holder->addChild(title);
        setRoot(holder);
        panel = title->getOptionsPanel();
        clickOn(title->getOptionsButton());
        ASSERT_EQ(alphaOf(panel), 255);
    }

    void clickOn(const tidewell::Sprite* sprite) {
        mouseTo(screenX(sprite), screenY(sprite));
        step(1);
        mouseClick(0);
        step(1);
    }

    SceneHolder* holder = nullptr;
    TitleScene* title = nullptr;
    OptionsPanel* panel = nullptr;
};

TEST_F(OptionsPanelTest, WithoutAJoystickItsBoxIsGreyAndDeafAndTheKeyboardIsStored) {
    startEngine();
    SettingManager::writeSetting("useJoystick", true);
    SettingManager::writeSetting("enableVibration", true);
    openOptions();
    EXPECT_EQ(rgbOf(panel->getJoystickBox()), kGrey);
    EXPECT_FALSE(panel->getJoystickBox()->isEnabled());
    EXPECT_EQ(rgbOf(panel->getVibrationBox()), kGrey);
    EXPECT_TRUE(isTicked(panel->getKeyboardBox()));
    EXPECT_FALSE(isTicked(panel->getJoystickBox()));
    EXPECT_FALSE(isTicked(panel->getVibrationBox()));
    EXPECT_FALSE(stored("useJoystick"));
    EXPECT_FALSE(stored("enableVibration"));
    EXPECT_FALSE(title->getUseJoystick());

    clickOn(panel->getJoystickBox());
    EXPECT_FALSE(isTicked(panel->getJoystickBox()));
    EXPECT_FALSE(title->getUseJoystick());
    EXPECT_EQ(rgbOf(panel->getKeyboardBox()), 0xFFFFFF);
}

TEST_F(OptionsPanelTest, AJoystickWithoutForceFeedbackGreysOnlyTheVibrationBox) {
    attachJoystick(false);
    startEngine();
    openOptions();
    EXPECT_TRUE(panel->getJoystickBox()->isEnabled());
    EXPECT_EQ(rgbOf(panel->getJoystickBox()), 0xFFFFFF);
    EXPECT_TRUE(isTicked(panel->getJoystickBox())) << "a missing choice reads as the joystick";
    EXPECT_TRUE(title->getUseJoystick());
    EXPECT_EQ(rgbOf(panel->getVibrationBox()), kGrey);
    EXPECT_FALSE(panel->getVibrationBox()->isEnabled());
    EXPECT_FALSE(stored("enableVibration"));

    // The pair is a radio pair: the keyboard box ticks itself and unticks the other.
    clickOn(panel->getKeyboardBox());
    EXPECT_TRUE(isTicked(panel->getKeyboardBox()));
    EXPECT_FALSE(isTicked(panel->getJoystickBox()));
    EXPECT_FALSE(stored("useJoystick"));
    EXPECT_FALSE(title->getUseJoystick());
    clickOn(panel->getJoystickBox());
    EXPECT_TRUE(stored("useJoystick"));
    EXPECT_TRUE(title->getUseJoystick());
}

TEST_F(OptionsPanelTest, APadPluggedInOrPulledOutShowsInTheBoxesWhenThePanelNextOpens) {
    startEngine();
    openOptions();
    clickOn(panel->getCloseButton());
    attachJoystick(true);
    step(1);
    EXPECT_EQ(rgbOf(panel->getJoystickBox()), kGrey) << "the closed panel waits until it opens";

    clickOn(title->getOptionsButton());
    EXPECT_EQ(rgbOf(panel->getJoystickBox()), 0xFFFFFF);
    EXPECT_TRUE(panel->getJoystickBox()->isEnabled());
    EXPECT_EQ(rgbOf(panel->getVibrationBox()), 0xFFFFFF);
    EXPECT_TRUE(panel->getVibrationBox()->isEnabled());
    // Without a pad the keyboard was stored: that is the choice the boxes show now.
    EXPECT_TRUE(isTicked(panel->getKeyboardBox()));
    EXPECT_FALSE(isTicked(panel->getVibrationBox()));
    clickOn(panel->getJoystickBox());
    clickOn(panel->getVibrationBox());
    EXPECT_TRUE(title->getUseJoystick());
    EXPECT_TRUE(stored("enableVibration"));
    clickOn(panel->getCloseButton());

    // Reopened with the same pad, the player's choices stay as ticked.
    clickOn(title->getOptionsButton());
    EXPECT_TRUE(isTicked(panel->getJoystickBox()));
    EXPECT_TRUE(isTicked(panel->getVibrationBox()));
    clickOn(panel->getCloseButton());

    // The pad pulled out before Start: the game starts in keyboard play, as the panel would show.
    detachJoystick(0);
    step(1);
    clickOn(title->getStartButton());
    EXPECT_FALSE(title->getUseJoystick());
    EXPECT_FALSE(stored("useJoystick"));
    EXPECT_EQ(rgbOf(panel->getJoystickBox()), kGrey);
    EXPECT_FALSE(panel->getJoystickBox()->isEnabled());
    EXPECT_FALSE(panel->getVibrationBox()->isEnabled());
}

TEST_F(OptionsPanelTest, VibrationTogglesAndIsStoredWhenTheJoystickCanVibrate) {
    attachJoystick(true);
    startEngine();
    openOptions();
    EXPECT_TRUE(panel->getVibrationBox()->isEnabled());
    EXPECT_TRUE(isTicked(panel->getVibrationBox()));
    EXPECT_TRUE(stored("enableVibration"));
    clickOn(panel->getVibrationBox());
    EXPECT_FALSE(isTicked(panel->getVibrationBox()));
    EXPECT_FALSE(stored("enableVibration"));
    EXPECT_FALSE(panel->getEnableVibration());
    clickOn(panel->getVibrationBox());
    EXPECT_TRUE(stored("enableVibration"));
}

TEST_F(OptionsPanelTest, SoundOffSilencesWhatIsSoundingAndTheNextStartBeginsSilent) {
    startEngine();
    openOptions();
    tidewell::Sound* effect = tidewell::SoundMusicManager::getSound("bossbegin.tws", true);
    effect->play(true);
    step(1);
    ASSERT_TRUE(effect->isPlaying());
    ASSERT_GT(effect->getEffectiveVolume(), 0.0f);

    clickOn(panel->getSoundOffBox());
    EXPECT_EQ(effect->getEffectiveVolume(), 0.0f);
    EXPECT_EQ(tidewell::SoundMusicManager::soundVolume, 0.0f);
    EXPECT_TRUE(isTicked(panel->getSoundOffBox()));
    EXPECT_FALSE(isTicked(panel->getSoundOnBox()));
    EXPECT_FALSE(stored("soundOn"));
    tidewell::SoundMusicManager::releaseSound(effect);

    // What a new start of the program does with the stored value.
    tidewell::SoundMusicManager::setSoundVolume(1.0f);
    delete new SceneSwitcher;
    EXPECT_EQ(tidewell::SoundMusicManager::soundVolume, 0.0f);

    clickOn(panel->getSoundOnBox());
    EXPECT_EQ(tidewell::SoundMusicManager::soundVolume, 1.0f);
    EXPECT_TRUE(stored("soundOn"));
}

TEST_F(OptionsPanelTest, MusicOffQuietensTheTitleThemeAndIsStored) {
    startEngine();
    openOptions();
    clickOn(panel->getMusicOffBox());
    EXPECT_EQ(tidewell::SoundMusicManager::musicVolume, 0.0f);
    EXPECT_FALSE(stored("musicOn"));
    EXPECT_TRUE(isTicked(panel->getMusicOffBox()));
    EXPECT_FALSE(isTicked(panel->getMusicOnBox()));
    // Clicking the ticked box again stores the same and changes nothing.
    clickOn(panel->getMusicOffBox());
    EXPECT_TRUE(isTicked(panel->getMusicOffBox()));
    EXPECT_FALSE(stored("musicOn"));
    clickOn(panel->getMusicOnBox());
    EXPECT_EQ(tidewell::SoundMusicManager::musicVolume, 1.0f);
    EXPECT_TRUE(stored("musicOn"));
}

TEST_F(OptionsPanelTest, WindowWhileWindowedRebuildsNothingAndFullScreenSwitchesAndIsStored) {
    startEngine();
    openOptions();
    ASSERT_FALSE(tidewell::WindowManager::isFullScreen());
    EXPECT_TRUE(isTicked(panel->getWindowBox()));
    const int creations = machine().window().creations();
    const int opens = machine().audio().opens();
    clickOn(panel->getWindowBox());
    EXPECT_EQ(machine().window().creations(), creations);
    EXPECT_EQ(machine().audio().opens(), opens);
    EXPECT_FALSE(stored("fullScreen"));

    clickOn(panel->getFullScreenBox());
    EXPECT_TRUE(tidewell::WindowManager::isFullScreen());
    EXPECT_EQ(machine().window().creations(), creations + 1);
    EXPECT_TRUE(stored("fullScreen"));
    EXPECT_TRUE(isTicked(panel->getFullScreenBox()));
    EXPECT_FALSE(isTicked(panel->getWindowBox()));
    step(2);
    EXPECT_FALSE(stepFailed());
}

TEST_F(OptionsPanelTest, ANewTitleReadsTheStoredChoicesAgain) {
    startEngine();
    SettingManager::writeSetting("soundOn", false);
    SettingManager::writeSetting("musicOn", false);
    openOptions();
    EXPECT_TRUE(isTicked(panel->getSoundOffBox()));
    EXPECT_TRUE(isTicked(panel->getMusicOffBox()));
    EXPECT_EQ(tidewell::SoundMusicManager::soundVolume, 0.0f);
    EXPECT_EQ(tidewell::SoundMusicManager::musicVolume, 0.0f);
    // The close button hides the panel and gives the title its buttons back.
    clickOn(panel->getCloseButton());
    EXPECT_EQ(alphaOf(panel), 0);
    EXPECT_TRUE(title->getOptionsButton()->isEnabled());
}

// The panel's boxes over the title, as a first start without a joystick shows them,
// with the pointer on the music-off box.
TEST_F(OptionsPanelTest, DrawsItsGoldenFrame) {
    startEngine();
    openOptions();
    // The golden frame keeps the version line it was drawn with (see the title's golden frame).
    title->getVersionLine()->setText("Brinefall Demo Version 1.2");
    // Off the close button first: a button left in the same frame as another is entered
    // may set the pointer after it.
    mouseTo(700, 300);
    step(1);
    mouseTo(screenX(panel->getMusicOffBox()), screenY(panel->getMusicOffBox()));
    step(3);
    expectGoldenFrame(lastFrame(), "options", [this](const std::string& path) { saveFrame(path); });
}

// --windowed overrules a stored full-screen choice for one run: the panel shows the
// window as it is and neither switches it nor forgets the stored choice.
TEST_F(OptionsPanelTest, AStoredFullScreenOverruledForThisRunIsShownAsTheWindowIsAndKept) {
    startEngine();
    SettingManager::writeSetting("fullScreen", true);
    const int creations = machine().window().creations();
    openOptions();
    EXPECT_FALSE(tidewell::WindowManager::isFullScreen());
    EXPECT_TRUE(isTicked(panel->getWindowBox()));
    EXPECT_FALSE(isTicked(panel->getFullScreenBox()));
    EXPECT_EQ(machine().window().creations(), creations);
    EXPECT_TRUE(stored("fullScreen"));
}

}  // namespace
}  // namespace brinefall::testing
