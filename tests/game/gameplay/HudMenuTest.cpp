#include <gtest/gtest.h>

#include <vector>

#include "GameFixture.h"
#include "display/Image.h"
#include "display/Shape.h"
#include "gameplay/GameScene.h"
#include "gameplay/hud/GameOverMenu.h"
#include "gameplay/hud/PauseMenu.h"

namespace brinefall::testing {
namespace {

constexpr int kEnter = 28;
constexpr int kLeftCtrl = 29;
constexpr int kSpace = 57;
constexpr int kUp = 200;
constexpr int kLeft = 203;
constexpr int kRight = 205;
constexpr int kDown = 208;

int alphaOf(const tidewell::Sprite* sprite) { return static_cast<int>(sprite->colour >> 24); }

// Stands where the scene switcher stands: takes the input and hears the scene leave.
class GameHolder : public tidewell::Sprite {
public:
    GameHolder() { keyboardEnabled = mouseEnabled = joystickEnabled = true; }
    void notify(tidewell::Sprite* sender, int) override { leftBy.push_back(sender); }
    std::vector<tidewell::Sprite*> leftBy;
};

class HudMenuTest : public GameFixture {
protected:
    // A joystick is attached in keyboard play too, to show that it is ignored.
    void startGame(bool useJoystick) {
        attachJoystick();
        startEngine();
        holder = new GameHolder;
        scene = new GameScene(useJoystick, true, false);
        holder->addChild(scene);
        setRoot(holder);
        step(30);
        pause = scene->getPauseMenu();
        gameOver = scene->getGameOverMenu();
    }

    void type(int key) {
        keyPress(key);
        step(1);
    }

    void moveStick(int x, int y) {
        joystickMove(0, x, y);
        step(1);
    }

    void pressButton(int button) {
        joystickPress(0, button);
        step(1);
    }

    GameHolder* holder = nullptr;
    GameScene* scene = nullptr;
    PauseMenu* pause = nullptr;
    GameOverMenu* gameOver = nullptr;
};

TEST_F(HudMenuTest, BothMenusWaitInvisibleAtTheMiddleOfTheScreenWithTheCursorOnTheFirstEntry) {
    startGame(false);
    for (HudMenu* menu : std::vector<HudMenu*>{pause, gameOver}) {
        EXPECT_EQ(alphaOf(menu), 0);
        EXPECT_FLOAT_EQ(menu->x, 400);
        EXPECT_FLOAT_EQ(menu->y, 300);
        EXPECT_TRUE(menu->isFirstSelected());
        EXPECT_EQ(menu->getCursor()->getPointCount(), 3);
        EXPECT_EQ(menu->getCursor()->colour & 0xFFFFFF, 0xFFFF00u);
    }
    EXPECT_FLOAT_EQ(pause->getCursor()->x, -62);
    EXPECT_FLOAT_EQ(pause->getCursor()->y, 15);
    EXPECT_FLOAT_EQ(gameOver->getCursor()->x, -30);
    EXPECT_FLOAT_EQ(gameOver->getCursor()->y, 44);
    // Keys do nothing to a menu that is not shown.
    type(kDown);
    EXPECT_TRUE(gameOver->isFirstSelected());
}

TEST_F(HudMenuTest, InKeyboardPlayTheArrowsMoveThePauseCursorAndEnterResumes) {
    startGame(false);
    type(kSpace);
    ASSERT_TRUE(scene->isPaused());
    EXPECT_EQ(alphaOf(pause), 255);
    const std::vector<std::pair<int, float>> moves{{kDown, 39}, {kUp, 15}, {kRight, 39}, {kLeft, 15}};
    for (const auto& [key, y] : moves) {
        type(key);
        EXPECT_FLOAT_EQ(pause->getCursor()->y, y) << key;
    }
    // A joystick is not what this player uses.
    joystickDown(0, 0);
    step(1);
    EXPECT_TRUE(scene->isPaused());

    type(kEnter);
    EXPECT_FALSE(scene->isPaused());
    EXPECT_EQ(alphaOf(pause), 0);
    EXPECT_TRUE(pause->isChosen());
    EXPECT_FALSE(pause->keyboardStop);

    // Paused again, Left Ctrl on the second entry leaves the game.
    type(kSpace);
    ASSERT_TRUE(scene->isPaused());
    EXPECT_FALSE(pause->isChosen());
    type(kDown);
    type(kLeftCtrl);
    ASSERT_EQ(holder->leftBy.size(), 1u);
    EXPECT_EQ(holder->leftBy[0], scene);
    // One choice only: a further key asks for nothing more.
    type(kEnter);
    EXPECT_EQ(holder->leftBy.size(), 1u);
}

TEST_F(HudMenuTest, TheGameOverMenuContinuesWithItsFirstEntry) {
    startGame(false);
    scene->onShipDead();
    step(1);
    EXPECT_EQ(alphaOf(gameOver), 255);
    EXPECT_TRUE(gameOver->keyboardStop);
    EXPECT_TRUE(gameOver->joystickStop);
    type(kDown);
    EXPECT_FLOAT_EQ(gameOver->getCursor()->y, 64);
    type(kUp);
    EXPECT_FLOAT_EQ(gameOver->getCursor()->y, 44);
    type(kEnter);
    EXPECT_EQ(alphaOf(gameOver), 0);
    EXPECT_GE(scene->getContinueCounter(), 0);
    EXPECT_TRUE(holder->leftBy.empty());
}

TEST_F(HudMenuTest, AShownMenuKeepsTheKeysFromTheMenuBeneathIt) {
    startGame(false);
    scene->onShipDead();
    scene->pauseGame();
    step(1);
    type(kDown);
    EXPECT_FALSE(pause->isFirstSelected());
    EXPECT_TRUE(gameOver->isFirstSelected());
}

TEST_F(HudMenuTest, InJoystickPlayOnlyTheFirstJoystickDrivesTheMenus) {
    startGame(true);
    scene->pauseGame();
    step(1);
    ASSERT_EQ(alphaOf(pause), 255);
    // The keys are not what this player uses.
    type(kDown);
    type(kEnter);
    EXPECT_TRUE(pause->isFirstSelected());
    EXPECT_TRUE(scene->isPaused());

    // Each move of the stick away from the centre toggles once; back to the centre does not.
    moveStick(0, 1000);
    EXPECT_FALSE(pause->isFirstSelected());
    EXPECT_FLOAT_EQ(pause->getCursor()->y, 39);
    moveStick(0, 0);
    EXPECT_FALSE(pause->isFirstSelected());
    moveStick(-1000, 0);
    EXPECT_TRUE(pause->isFirstSelected());
    moveStick(0, 0);

    // Button 1 pauses in play but is no choice; button 0 chooses.
    pressButton(1);
    EXPECT_TRUE(scene->isPaused());
    pressButton(0);
    EXPECT_FALSE(scene->isPaused());
    EXPECT_EQ(alphaOf(pause), 0);
}

}  // namespace
}  // namespace brinefall::testing
