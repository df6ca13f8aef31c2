#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

#include "AudioLevels.h"
#include "ControlBindings.h"
#include "FrontEndTestSupport.h"
#include "GoldenFrames.h"
#include "core/SettingManager.h"
#include "display/Image.h"
#include "display/Text.h"
#include "frontend/ControlsPanel.h"
#include "frontend/OptionsPanel.h"
#include "frontend/TitleScene.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/hud/StageTitle.h"
#include "platform/headless/HeadlessPlatform.h"
#include "sound/Music.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"

namespace brinefall::testing {
namespace {

using tidewell::Button;
namespace SettingManager = tidewell::SettingManager;
namespace SoundMusicManager = tidewell::SoundMusicManager;

constexpr int kEscape = 0x01;
constexpr int kW = 0x11;
constexpr int kZ = 0x2C;
// From x -100 to 100 at 5 pixels a frame, then the gun's 6 frames: the ship is the player's.
constexpr int kShipReadyFrames = 46;

class ControlsPanelTest : public FrontEndTest {
protected:
    // The title with its options panel open and, over it, the controls panel.
    void openControls() {
        holder = new SceneHolder;
        holder->removeReporters = false;
        title = new TitleScene;
        holder->addChild(title);
        setRoot(holder);
        clickOn(title->getOptionsButton());
        clickOn(title->getOptionsPanel()->getControlsButton());
        controls = title->getOptionsPanel()->getControlsPanel();
        ASSERT_TRUE(controls->isOpen());
    }

    void clickOn(const tidewell::Sprite* sprite) {
        mouseTo(screenX(sprite), screenY(sprite));
        step(1);
        mouseClick(0);
        step(1);
    }

    void press(int key) {
        keyPress(key);
        step(1);
    }

    static std::string capWords(const Button* cap) {
        for (tidewell::Sprite* child = cap->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
            if (auto* text = dynamic_cast<tidewell::Text*>(child)) return text->getString();
        }
        return "";
    }

    // How far the ship moves while the key is held for a few frames.
    float shipRiseWith(GameScene* game, int key) {
        const float before = game->getShip()->getShipImage()->y;
        keyDown(key);
        step(4);
        keyUp(key);
        step(1);
        return before - game->getShip()->getShipImage()->y;
    }

    SceneHolder* holder = nullptr;
    TitleScene* title = nullptr;
    ControlsPanel* controls = nullptr;
};

// The whole way a player goes: choose Up's cap, try a key that keeps its own work, press W,
// cancel a second choice with Escape; then the game steers with W and no longer with the arrow.
TEST_F(ControlsPanelTest, AKeyReboundInThePanelSteersTheShipAndTheOldKeyNoLongerDoes) {
    startEngine();
    openControls();
    clickOn(controls->getKeyCap(Action::Up, 0));
    ASSERT_TRUE(controls->isWaiting());
    EXPECT_EQ(capWords(controls->getKeyCap(Action::Up, 0)), "?");
    press(kKeyEnter);  // Enter always chooses in menus: the cap goes on waiting
    EXPECT_TRUE(controls->isWaiting());
    press(kW);
    EXPECT_FALSE(controls->isWaiting());
    EXPECT_EQ(capWords(controls->getKeyCap(Action::Up, 0)), "W");
    EXPECT_EQ(ControlBindings::load().key(Action::Up), kW);  // stored at once

    clickOn(controls->getKeyCap(Action::Down, 0));
    press(kEscape);
    EXPECT_FALSE(controls->isWaiting());
    EXPECT_EQ(ControlBindings::load().key(Action::Down), kKeyDown);
    EXPECT_EQ(capWords(controls->getKeyCap(Action::Down, 0)), "Down");

    // The game the title's Start leads to, in the title's place.
    title->remove();
    auto* game = new GameScene(false, false, false);
    holder->addChild(game);
    step(kShipReadyFrames);
    EXPECT_GT(shipRiseWith(game, kW), 0.0f);
    EXPECT_EQ(shipRiseWith(game, kKeyUp), 0.0f);
}

// Every key of every other action, put into every slot of every action: each action keeps a
// first key, no key serves two, and no key is lost but the one the slot gave up when empty.
TEST_F(ControlsPanelTest, ASwapKeepsEveryActionBound) {
    ControlBindings start = ControlBindings::defaults();
    ASSERT_TRUE(start.bindKey(Action::Fire, 1, kZ));
    const auto keysOf = [](const ControlBindings& bindings) {
        std::multiset<int> keys;
        for (int index = 0; index < ControlBindings::kActionCount; ++index) {
            for (int slot = 0; slot < 2; ++slot) {
                const int key = bindings.key(ControlBindings::actionAt(index), slot);
                if (key != ControlBindings::kNoKey) keys.insert(key);
            }
        }
        return keys;
    };
    const std::multiset<int> before = keysOf(start);
    for (int target = 0; target < ControlBindings::kActionCount; ++target) {
        for (int slot = 0; slot < 2; ++slot) {
            for (const int key : before) {
                ControlBindings bindings = start;
                const Action action = ControlBindings::actionAt(target);
                const bool bound = bindings.bindKey(action, slot, key);
                for (int index = 0; index < ControlBindings::kActionCount; ++index) {
                    EXPECT_NE(bindings.key(ControlBindings::actionAt(index)), ControlBindings::kNoKey)
                        << "binding " << key << " to action " << target << " slot " << slot;
                }
                const std::multiset<int> after = keysOf(bindings);
                EXPECT_EQ(std::set<int>(after.begin(), after.end()).size(), after.size()) << "a key serves two";
                EXPECT_TRUE(bound ? bindings.isKeyOf(action, key) : bindings == start);
                // Only a key moved into an empty second slot leaves one key fewer... never: it moves.
                EXPECT_EQ(after, before);
            }
        }
    }
    ControlBindings pad = ControlBindings::defaults();
    ASSERT_TRUE(pad.bindPadButton(PadAction::Pause, 0));
    EXPECT_EQ(pad.padButton(PadAction::Fire), 1);
    EXPECT_EQ(pad.padButton(PadAction::Pause), 0);
    EXPECT_FALSE(pad.bindKey(Action::Fire, 0, kEscape));
    EXPECT_FALSE(pad.bindPadButton(PadAction::Fire, ControlBindings::kPadButtonCount));
}

// Damaged values: the wrong length, a key twice, a key that keeps its own work, a key with no
// name, a pad button out of range, levels off their steps. Each gives its default, stored back.
TEST_F(ControlsPanelTest, DamagedStoredControlsGiveTheDefaultsAndAreWrittenBack) {
    startEngine();
    const ControlBindings defaults = ControlBindings::defaults();
    const std::vector<std::vector<std::uint8_t>> damagedKeys = {
        {0xC8, 0, 0xD0},
        {0xC8, 0, 0xD0, 0, 0xCB, 0, 0xCD, 0, 0x1D, 0, 0x39, 0xC8},  // Up twice
        {0xC8, 0, 0xD0, 0, 0xCB, 0, 0xCD, 0, 0x1D, 0, 0x01, 0},     // Escape pauses
        {0xC8, 0, 0xD0, 0, 0xCB, 0, 0xCD, 0, 0x1D, 0, 0x00, 0},     // Pause without a key
        {0xC8, 0, 0xD0, 0, 0xCB, 0, 0xCD, 0, 0x1D, 0, 0x39, 0x55},  // a code no key has
    };
    for (const auto& damaged : damagedKeys) {
        SettingManager::writeSetting("controlKeys", damaged);
        EXPECT_EQ(ControlBindings::load(), defaults);
        std::vector<std::uint8_t> stored(1, 0);
        std::vector<std::uint8_t> rewritten(12, 0);
        SettingManager::readSetting("controlKeys", &rewritten);
        EXPECT_EQ(rewritten, (std::vector<std::uint8_t>{0xC8, 0, 0xD0, 0, 0xCB, 0, 0xCD, 0, 0x1D, 0, 0x39, 0}));
    }
    for (const auto& damaged : std::vector<std::vector<std::uint8_t>>{{0, 0}, {0, 32}, {1}}) {
        SettingManager::writeSetting("padButtons", damaged);
        EXPECT_EQ(ControlBindings::load(), defaults);
        std::vector<std::uint8_t> rewritten(2, 9);
        SettingManager::readSetting("padButtons", &rewritten);
        EXPECT_EQ(rewritten, (std::vector<std::uint8_t>{0, 1}));
    }
    for (const std::uint8_t damaged : {std::uint8_t{55}, std::uint8_t{110}, std::uint8_t{255}}) {
        SettingManager::writeSetting("soundLevel", std::vector<std::uint8_t>{damaged});
        EXPECT_EQ(AudioLevels::stored(AudioLevels::Kind::Sound), 100);
        std::vector<std::uint8_t> rewritten{0};
        SettingManager::readSetting("soundLevel", &rewritten);
        EXPECT_EQ(rewritten[0], 100);
    }
}

double rms(const std::vector<std::int16_t>& samples) {
    double sum = 0;
    for (const std::int16_t sample : samples) sum += static_cast<double>(sample) * sample;
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

// The same effect and the same start of a tune, mixed at full level and at 50 %: the mix is
// half as loud, 6 dB down, for effects and music alike.
TEST_F(ControlsPanelTest, AFiftyPercentLevelMixesSixDecibelsQuieter) {
    startEngine();
    machine().audio().keepMixed(true);
    const auto mixedEffect = [this] {
        tidewell::Sound* sound = SoundMusicManager::getSound("explode.tws", true);
        machine().audio().takeMixed();
        sound->play(true);
        step(10);
        SoundMusicManager::releaseSound(sound);
        return rms(machine().audio().takeMixed());
    };
    const auto mixedTune = [this] {
        tidewell::Music* music = SoundMusicManager::getMusic("title.tws", 0, true);
        machine().audio().takeMixed();
        music->play(true);
        step(10);
        music->stop();
        SoundMusicManager::releaseMusic(music);
        return rms(machine().audio().takeMixed());
    };
    const double fullEffect = mixedEffect();
    const double fullTune = mixedTune();
    AudioLevels::store(AudioLevels::Kind::Sound, 50);
    AudioLevels::store(AudioLevels::Kind::Music, 50);
    const double halfEffect = mixedEffect();
    const double halfTune = mixedTune();
    ASSERT_GT(fullEffect, 100.0);
    ASSERT_GT(fullTune, 100.0);
    EXPECT_NEAR(20 * std::log10(halfEffect / fullEffect), -6.0, 0.3);
    EXPECT_NEAR(20 * std::log10(halfTune / fullTune), -6.0, 0.3);
    // The options panel's Off still silences whatever the level.
    SettingManager::writeSetting("soundOn", false);
    AudioLevels::apply();
    EXPECT_EQ(mixedEffect(), 0.0);
}

// The panel over the title, Up rebound to W and Fire's cap waiting for its key.
TEST_F(ControlsPanelTest, DrawsItsGoldenFrame) {
    startEngine();
    openControls();
    title->getVersionLine()->setText("Brinefall Demo Version 1.2");
    clickOn(controls->getKeyCap(Action::Up, 0));
    press(kW);
    clickOn(controls->getLowerButton(AudioLevels::Kind::Music));
    clickOn(controls->getKeyCap(Action::Fire, 1));
    mouseTo(700, 560);
    step(2);
    expectGoldenFrame(lastFrame(), "controls", [this](const std::string& path) { saveFrame(path); });
}

// The first stage's card after Fire was rebound to Z in the panel and W made a second Up:
// the caps say Z, and the line below them names the second key.
TEST_F(ControlsPanelTest, TheStageCardShowsTheKeysInForce) {
    startEngine();
    openControls();
    clickOn(controls->getKeyCap(Action::Fire, 0));
    press(kZ);
    clickOn(controls->getKeyCap(Action::Up, 1));
    press(kW);
    title->remove();
    holder->addChild(new StageTitle(false));
    tidewell::InputManager::setCursorVisible(false);  // as in play
    step(2);
    expectGoldenFrame(lastFrame(), "stagecard", [this](const std::string& path) { saveFrame(path); });
}

}  // namespace
}  // namespace brinefall::testing
