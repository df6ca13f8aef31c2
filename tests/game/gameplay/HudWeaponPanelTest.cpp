#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "GameFixture.h"
#include "graphics/GraphicManager.h"
#include "display/Image.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/hud/PopupText.h"
#include "gameplay/hud/WeaponPanel.h"

namespace brinefall::testing {
namespace {

int alphaOf(const tidewell::Sprite* sprite) { return static_cast<int>(sprite->colour >> 24); }

// The game scene under a parent that takes its input, as the scene switcher would.
class GameHolder : public tidewell::Sprite {
public:
    GameHolder() { keyboardEnabled = mouseEnabled = joystickEnabled = true; }
};

class HudWeaponPanelTest : public GameFixture {
protected:
    void startGame() {
        startEngine();
        auto* holder = new GameHolder;
        // Invincible, so that the stage's enemies cannot end the game during the test.
        scene = new GameScene(false, true, false);
        holder->addChild(scene);
        setRoot(holder);
        // Let the ship finish flying in.
        step(60);
        panel = scene->getWeaponPanel();
        ship = scene->getShip();
    }

    // Puts the ship right over the icon, then runs a frame.
    void stepWithShipOn(int icon) {
        tidewell::Image* image = ship->getShipImage();
        const tidewell::Image* target = panel->getIcon(icon);
        image->move(target->getAbsoluteX() - image->getAbsoluteX(), target->getAbsoluteY() - image->getAbsoluteY());
        step(1);
    }

    std::size_t popupCount() const { return childrenOfType<PopupText>(scene->getTextLayer()).size(); }

    GameScene* scene = nullptr;
    WeaponPanel* panel = nullptr;
    PlayerShip* ship = nullptr;
};

TEST_F(HudWeaponPanelTest, ANewPanelIsInvisibleAndItsIconsHaveNoPicture) {
    startGame();
    EXPECT_EQ(alphaOf(panel), 0);
    EXPECT_FALSE(panel->isActive());
    for (int i = 0; i < WeaponPanel::kIconCount; ++i) EXPECT_EQ(panel->getIcon(i)->getTexture(), nullptr);
}

TEST_F(HudWeaponPanelTest, ItBlinksInFasterAndFasterFromFrame100AndCirclesTheMiddleOfTheScreen) {
    startGame();
    panel->offer(1);
    tidewell::Texture* icons = tidewell::GraphicManager::getTexture("weapons1.twi", false);
    for (int i = 0; i < WeaponPanel::kIconCount; ++i) {
        EXPECT_EQ(panel->getIcon(i)->getTexture(), icons);
        EXPECT_EQ(panel->getIcon(i)->getFrame(), static_cast<unsigned>(i));
    }
    tidewell::GraphicManager::releaseTexture(icons);

    std::vector<int> shownAt;
    for (int n = 1; n <= 200; ++n) {
        step(1);
        ASSERT_EQ(panel->getCounter(), n);
        if (alphaOf(panel) == 255) shownAt.push_back(n);
    }
    // Each band blinks twice as fast as the one before; from 180 it stays.
    const std::vector<int> firstFlashes{104, 105, 106, 107, 108, 109, 110, 111};
    EXPECT_EQ(std::vector<int>(shownAt.begin(), shownAt.begin() + 8), firstFlashes);
    auto shown = [&](int n) { return std::find(shownAt.begin(), shownAt.end(), n) != shownAt.end(); };
    EXPECT_FALSE(shown(99));
    EXPECT_FALSE(shown(112));
    EXPECT_EQ(shownAt[8], 124);
    EXPECT_FALSE(shown(120));
    EXPECT_TRUE(shown(124));
    EXPECT_FALSE(shown(141));
    EXPECT_TRUE(shown(142));
    EXPECT_FALSE(shown(160));
    EXPECT_TRUE(shown(161));
    for (int n = 180; n <= 200; ++n) EXPECT_TRUE(shown(n)) << n;

    // After 101 turns of pi/200 the icons stand a third of a circle apart, 180 pixels out.
    for (int i = 0; i < WeaponPanel::kIconCount; ++i) {
        const tidewell::Image* icon = panel->getIcon(i);
        EXPECT_NEAR(std::hypot(icon->x - 400, icon->y - 300), 180, 0.01);
        const float expected = panel->getAngle() + static_cast<float>(i) * 2 * 3.14159265f / 3;
        EXPECT_NEAR(icon->x, 400 + 180 * std::cos(expected), 0.01);
    }
    EXPECT_NEAR(panel->getAngle(), 101 * 3.14159265f * 0.005f, 1e-4);
}

TEST_F(HudWeaponPanelTest, TheShipCannotTouchAnIconBeforeFrame180ThenPicksThatWeapon) {
    startGame();
    panel->offer(1);
    const int kindBefore = ship->getSpecialKind();
    for (int n = 1; n <= 179; ++n) stepWithShipOn(1);
    EXPECT_TRUE(panel->isActive());
    EXPECT_EQ(ship->getSpecialKind(), kindBefore);
    EXPECT_EQ(scene->getStageClearCounter(), -1);
    EXPECT_FALSE(played("weapon.tws"));

    const std::size_t popupsBefore = popupCount();
    stepWithShipOn(1);
    EXPECT_EQ(ship->getSpecialKind(), 2) << "the second icon is the Fire Bomb";
    EXPECT_FALSE(panel->isActive());
    EXPECT_EQ(alphaOf(panel), 0);
    EXPECT_GE(scene->getStageClearCounter(), 0);
    EXPECT_TRUE(played("weapon.tws"));
    ASSERT_EQ(popupCount(), popupsBefore + 1);
    const PopupText* popup = childrenOfType<PopupText>(scene->getTextLayer()).back();
    EXPECT_FLOAT_EQ(popup->getAbsoluteX(), ship->getShipImage()->getAbsoluteX());

    // Done: the panel takes no second pick.
    clearAudioEvents();
    step(5);
    EXPECT_FALSE(played("weapon.tws"));
}

TEST_F(HudWeaponPanelTest, ASetWithoutIconsCanNeverBeTouched) {
    startGame();
    panel->offer(2);
    for (int n = 1; n <= 260; ++n) stepWithShipOn(0);
    EXPECT_TRUE(panel->isActive());
    EXPECT_EQ(alphaOf(panel), 255);
    EXPECT_EQ(panel->getIcon(0)->getTexture(), nullptr);
    EXPECT_EQ(scene->getStageClearCounter(), -1);
}

TEST_F(HudWeaponPanelTest, AnOfferOfAnotherSetKeepsTheIconsButPicksNoWeapon) {
    startGame();
    panel->offer(1);
    panel->offer(3);
    EXPECT_EQ(panel->getCounter(), 0);
    const int kindBefore = ship->getSpecialKind();
    for (int n = 1; n <= 180; ++n) stepWithShipOn(0);
    EXPECT_EQ(ship->getSpecialKind(), kindBefore);
    EXPECT_FALSE(panel->isActive());
    EXPECT_GE(scene->getStageClearCounter(), 0);
    EXPECT_TRUE(played("weapon.tws"));
}

}  // namespace
}  // namespace brinefall::testing
