#include <gtest/gtest.h>

#include <string>

#include "Entry.h"
#include "FrontEndTestSupport.h"
#include "GoldenFrames.h"
#include "backgrounds/Background6.h"
#include "core/ErrorDialog.h"
#include "core/MainLoop.h"
#include "display/Image.h"
#include "display/Shape.h"
#include "display/Text.h"
#include "frontend/HelpPanel.h"
#include "frontend/OptionsPanel.h"
#include "frontend/TitleScene.h"
#include "graphics/GraphicManager.h"
#include "platform/headless/HeadlessPlatform.h"
#include "sound/Music.h"
#include "sound/SoundMusicManager.h"

namespace brinefall::testing {
namespace {

using tidewell::Button;

// Scan codes of the letters, in the order the codes are typed.
constexpr int kCodeA[] = {0x10, 0x16, 0x17, 0x2D, 0x18, 0x14, 0x17, 0x2E};  // Q U I X O T I C
constexpr int kCodeB[] = {0x2C, 0x12, 0x19, 0x23, 0x15, 0x13, 0x16, 0x1F};  // Z E P H Y R U S
constexpr int kLetterA = 0x1E;
constexpr int kLetterX = 0x2D;

class TitleSceneTest : public FrontEndTest {
protected:
    void startTitle(bool hardware = false) {
        startEngine();
        if (hardware) useGraphicsCard();
        holder = new SceneHolder;
        holder->removeReporters = false;
        title = new TitleScene;
        holder->addChild(title);
        setRoot(holder);
        step(1);
    }

    // The hardware renderer on the machine's recording card, as a player with a 3D card has it.
    void useGraphicsCard() {
        tidewell::platform::GpuCapabilities card;
        card.maxTextureWidth = card.maxTextureHeight = 2048;
        card.textureFormats = {{16, 0x0F00, 0x00F0, 0x000F, 0xF000}};
        machine().window().offerGpu(card);
        tidewell::GraphicManager::allowHardware3D = true;
        tidewell::GraphicManager::resetDevice();
        ASSERT_TRUE(tidewell::GraphicManager::isHardware3D());
    }

    void type(int scanCode) {
        keyPress(scanCode);
        step(1);
    }

    // Rests the pointer on the sprite, lets the buttons see it there, and clicks.
    void clickOn(const tidewell::Sprite* sprite) {
        mouseTo(screenX(sprite), screenY(sprite));
        step(1);
        mouseClick(0);
        step(1);
    }

    SceneHolder* holder = nullptr;
    TitleScene* title = nullptr;
};

TEST_F(TitleSceneTest, CodeATypedAfterOtherKeysSetsItsFlagHidesTheLeftEnemyAndSoundsOnce) {
    startTitle();
    type(kLetterA);
    type(kCodeA[0]);
    for (int i = 0; i < 7; ++i) type(kCodeA[i]);
    EXPECT_FALSE(title->isCodeAEntered());
    EXPECT_FALSE(played("enemyDead.tws"));
    type(kCodeA[7]);
    EXPECT_TRUE(title->isCodeAEntered());
    EXPECT_FALSE(title->isCodeBEntered());
    EXPECT_EQ(alphaOf(title->getLeftEnemy()), 0);
    EXPECT_EQ(alphaOf(title->getRightEnemy()), 255);
    EXPECT_EQ(countEvents(Event::SoundPlay, "enemyDead.tws"), 1);
    type(kLetterA);
    EXPECT_EQ(countEvents(Event::SoundPlay, "enemyDead.tws"), 1);
}

TEST_F(TitleSceneTest, CodeBWithAWrongLetterInBetweenDoesNothingUntilTypedInARow) {
    startTitle();
    for (int i = 0; i < 4; ++i) type(kCodeB[i]);
    type(kLetterX);
    for (int i = 4; i < 8; ++i) type(kCodeB[i]);
    EXPECT_FALSE(title->isCodeBEntered());
    EXPECT_EQ(alphaOf(title->getRightEnemy()), 255);
    EXPECT_FALSE(played("enemyDead.tws"));

    // All eight in a row, the whole sequence typed in one frame.
    for (int code : kCodeB) keyPress(code);
    step(1);
    EXPECT_TRUE(title->isCodeBEntered());
    EXPECT_FALSE(title->isCodeAEntered());
    EXPECT_EQ(alphaOf(title->getRightEnemy()), 0);
    EXPECT_EQ(alphaOf(title->getLeftEnemy()), 255);
    EXPECT_TRUE(played("enemyDead.tws"));
}

TEST_F(TitleSceneTest, HeldRightAndDownMoveThePointerTenAFrameUntilTheScreenEdge) {
    startTitle();
    mouseTo(700, 500);
    step(1);
    ASSERT_EQ(pointerX(), 700);
    ASSERT_EQ(pointerY(), 500);
    keyDown(keys::kRight);
    keyDown(keys::kDown);
    for (int frame = 1; frame <= 9; ++frame) {
        step(1);
        EXPECT_EQ(pointerX(), 700 + 10 * frame);
        EXPECT_EQ(pointerY(), 500 + 10 * frame);
    }
    step(12);
    EXPECT_EQ(pointerX(), 799);
    EXPECT_EQ(pointerY(), 599);

    // Left and Up take the pointer back; Up wins over Down while both are held.
    keyUp(keys::kRight);
    keyDown(keys::kLeft);
    keyDown(keys::kUp);
    step(1);
    EXPECT_EQ(pointerX(), 789);
    EXPECT_EQ(pointerY(), 589);
}

TEST_F(TitleSceneTest, TheFirstJoystickSteersThePointerAndItsButtonsClick) {
    attachJoystick();
    startTitle();
    mouseTo(400, 300);
    step(1);
    joystickMove(0, 1000, -1000);
    step(1);
    EXPECT_EQ(pointerX(), 410);
    EXPECT_EQ(pointerY(), 290);
    // The stick's vertical lean overrides the keys; a centred stick leaves them to act.
    keyDown(keys::kDown);
    joystickMove(0, 0, 0);
    step(1);
    EXPECT_EQ(pointerX(), 410);
    EXPECT_EQ(pointerY(), 300);
    keyUp(keys::kDown);

    mouseTo(screenX(title->getHelpButton()), screenY(title->getHelpButton()));
    step(1);
    joystickPress(0, 2);
    step(1);
    EXPECT_EQ(alphaOf(title->getHelpPanel()), 255);
}

TEST_F(TitleSceneTest, SpaceOnStartFadesOutTheMusicAndReportsAfterTwentyOneFrames) {
    startTitle();
    ASSERT_TRUE(played("title.tws"));
    mouseTo(screenX(title->getStartButton()), screenY(title->getStartButton()));
    step(1);
    EXPECT_EQ(title->getStartButton()->getState(), Button::overState);
    // A spot of the still backdrop, away from the buttons and the animated enemies.
    const std::size_t spot = 100 * 800 + 100;
    const std::uint32_t unfaded = lastFrame()[spot] & 0xFFFFFF;
    clearAudioEvents();
    keyPress(keys::kSpace);
    step(1);
    EXPECT_TRUE(title->isStarting());
    EXPECT_TRUE(played("button.tws"));
    EXPECT_FALSE(title->getOptionsButton()->isEnabled());

    // Every shade of the fade is drawn, by the software renderer as by the card.
    tidewell::Music* music = tidewell::SoundMusicManager::getMusic("title.tws", 0, false);
    for (int fade = 2; fade <= 19; ++fade) {
        step(1);
        const int alpha = fade * 255 / 20;
        EXPECT_EQ(alphaOf(title->getFadeOverlay()), alpha) << "fade frame " << fade;
        EXPECT_LE(channelDistance(lastFrame()[spot], blendOver(unfaded, 0xFFFFFF, alpha)), 1) << "fade frame " << fade;
        EXPECT_NEAR(music->getEffectiveVolume(), (20 - fade) * 0.05f, 1e-4f);
    }
    step(1);
    EXPECT_EQ(alphaOf(title->getFadeOverlay()), 255);
    EXPECT_TRUE(holder->reports.empty());
    EXPECT_EQ(lastFrame()[100 * 800 + 100] & 0xFFFFFF, 0xFFFFFFu);
    step(1);
    ASSERT_EQ(holder->reports.size(), 1u);
    EXPECT_EQ(holder->reports[0], title);
    EXPECT_FALSE(music->isPlaying());
    tidewell::SoundMusicManager::releaseMusic(music);
    step(3);
    EXPECT_EQ(holder->reports.size(), 1u);
}

TEST_F(TitleSceneTest, WhileAPanelShowsTheTitleButtonsUnderItDoNotReact) {
    startTitle();
    clickOn(title->getOptionsButton());
    EXPECT_EQ(alphaOf(title->getOptionsPanel()), 255);
    // The options panel covers the Start button; clicking there starts nothing.
    clickOn(title->getStartButton());
    EXPECT_FALSE(title->isStarting());
    EXPECT_EQ(title->getStartButton()->getState(), Button::normalState);
    clickOn(title->getOptionsPanel()->getCloseButton());
    EXPECT_EQ(alphaOf(title->getOptionsPanel()), 0);
    EXPECT_TRUE(title->getStartButton()->isEnabled());

    clickOn(title->getHelpButton());
    EXPECT_EQ(alphaOf(title->getHelpPanel()), 255);
    clickOn(title->getExitButton());
    EXPECT_FALSE(tidewell::MainLoop::isQuitRequested());
    // Keys still click while the panel shows: Space on its close button closes it.
    mouseTo(screenX(title->getHelpPanel()->getCloseButton()), screenY(title->getHelpPanel()->getCloseButton()));
    step(1);
    keyPress(keys::kEnter);
    step(1);
    EXPECT_EQ(alphaOf(title->getHelpPanel()), 0);
    EXPECT_TRUE(title->getExitButton()->isEnabled());
    // It can be opened again.
    clickOn(title->getHelpButton());
    EXPECT_EQ(alphaOf(title->getHelpPanel()), 255);
}

TEST_F(TitleSceneTest, ClosingAPanelGivesThePointerBackItsArrow) {
    startTitle();
    for (tidewell::Button* opener : {title->getHelpButton(), title->getOptionsButton()}) {
        clickOn(opener);
        Button* close = opener == title->getHelpButton() ? title->getHelpPanel()->getCloseButton()
                                                         : title->getOptionsPanel()->getCloseButton();
        clickOn(close);
        ASSERT_EQ(alphaOf(close->parent), 0);
        // Off every button, in the sky above them.
        mouseTo(400, 100);
        step(2);
        EXPECT_EQ(tidewell::InputManager::getCursorFrame(), 0u);
        EXPECT_EQ(close->getState(), Button::normalState);
        // Over a title button the hand comes back.
        mouseTo(screenX(title->getStartButton()), screenY(title->getStartButton()));
        step(1);
        EXPECT_EQ(tidewell::InputManager::getCursorFrame(), 1u);
        mouseTo(400, 100);
        step(1);
    }
}

TEST_F(TitleSceneTest, TheHelpPageCoversTheButtonsAboveExitAndHoldsItsCloseButton) {
    startTitle();
    clickOn(title->getHelpButton());
    // The page is the panel's first child; the panel's own box also takes in its button.
    const tidewell::Sprite* page = title->getHelpPanel()->getFirstChild();
    auto inside = [&](const tidewell::Sprite* sprite) {
        return sprite->getAbsoluteLeft() >= page->getAbsoluteLeft() &&
               sprite->getAbsoluteRight() <= page->getAbsoluteRight() &&
               sprite->getAbsoluteTop() >= page->getAbsoluteTop() &&
               sprite->getAbsoluteBottom() <= page->getAbsoluteBottom();
    };
    EXPECT_TRUE(inside(title->getHelpPanel()->getCloseButton()));
    for (const Button* button :
         {title->getStartButton(), title->getOptionsButton(), title->getHelpButton(), title->getVisitButton()}) {
        EXPECT_TRUE(inside(button)) << "a title button shows beside the help page at y " << button->y;
    }
    EXPECT_GE(page->getAbsoluteTop(), 0);
    EXPECT_LE(page->getAbsoluteBottom(), 600);
}

TEST_F(TitleSceneTest, AHiddenHelpPanelIgnoresAClickOnItsCloseButton) {
    startTitle();
    HelpPanel* help = title->getHelpPanel();
    clickOn(help->getCloseButton());
    EXPECT_EQ(help->getCloseButton()->getState(), Button::normalState);
    EXPECT_EQ(alphaOf(help), 0);
    EXPECT_FALSE(title->isStarting());
}

TEST_F(TitleSceneTest, VisitOpensTheHomePageAndExitEndsTheProgram) {
    startTitle();
    clickOn(title->getVisitButton());
    const std::vector<std::string>& opened = machine().shell().opened();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], tidewell::addresses::kHomePage);
    EXPECT_FALSE(tidewell::MainLoop::isQuitRequested());
    clickOn(title->getExitButton());
    EXPECT_TRUE(tidewell::MainLoop::isQuitRequested());
}

TEST_F(TitleSceneTest, TheTwoEnemiesCycleTheirFrames) {
    startTitle();  // one frame run: both counters at 1
    tidewell::Image* left = title->getLeftEnemy();
    tidewell::Image* right = title->getRightEnemy();
    std::vector<unsigned> leftFrames{left->getFrame()};
    std::vector<unsigned> rightFrames{right->getFrame()};
    for (int frame = 2; frame <= 80; ++frame) {
        step(1);
        leftFrames.push_back(left->getFrame());
        rightFrames.push_back(right->getFrame());
    }
    // Counts 1 to 80: the left one turns at 20 and 30 and starts over every 35 frames,
    // the right one turns at 20, 25 and 35 and starts over every 40.
    const auto leftAt = [](int n) { return (n % 35) >= 30 ? 2u : ((n % 35) >= 20 ? 1u : 0u); };
    const auto rightAt = [](int n) {
        const int c = n % 40;
        return c >= 35 ? 2u : (c >= 25 ? 0u : (c >= 20 ? 1u : 0u));
    };
    for (int n = 1; n <= 80; ++n) {
        EXPECT_EQ(leftFrames[static_cast<std::size_t>(n - 1)], leftAt(n)) << "left at " << n;
        EXPECT_EQ(rightFrames[static_cast<std::size_t>(n - 1)], rightAt(n)) << "right at " << n;
    }
}

TEST_F(TitleSceneTest, MusicAlreadyPlayingGoesOnWithoutARestart) {
    startEngine();
    tidewell::Music* music = tidewell::SoundMusicManager::getMusic("title.tws", 0, true);
    music->play(true);
    holder = new SceneHolder;
    setRoot(holder);
    step(5);
    clearAudioEvents();
    holder->addChild(new TitleScene);
    tidewell::SoundMusicManager::releaseMusic(music);
    step(5);
    EXPECT_EQ(countEvents(Event::MusicPlay, "title.tws"), 0);
    EXPECT_TRUE(music->isPlaying());

    // A theme that a start fade stopped at volume 0 starts again at full volume.
    music->setVolume(0.0f);
    music->stop();
    holder->addChild(new TitleScene);
    step(1);
    EXPECT_EQ(countEvents(Event::MusicPlay, "title.tws"), 1);
    EXPECT_FLOAT_EQ(music->getEffectiveVolume(), 1.0f);
}

TEST_F(TitleSceneTest, TheSoftwareRendererGetsTheColouredBackdropUntinted) {
    startTitle();
    auto backdrops = childrenOfType<Background6>(title);
    ASSERT_EQ(backdrops.size(), 1u);
    EXPECT_EQ(childrenOf(title).front(), backdrops[0]) << "behind everything";
    EXPECT_EQ(rgbOf(backdrops[0]), 0xFFFFFF);
    const auto tiles = childrenOfType<tidewell::Image>(backdrops[0]);
    ASSERT_EQ(tiles.size(), 6u);
    const float xs[] = {0, 512, 768, 0, 512, 768};
    const float ys[] = {0, 0, 0, 88, 88, 88};
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        EXPECT_EQ(tiles[i]->x, xs[i]);
        EXPECT_EQ(tiles[i]->y, ys[i]);
    }
    EXPECT_EQ(tiles[0]->getTextureWidth(), 512u);
    EXPECT_EQ(tiles[3]->getTextureHeight(), 512u);
}

TEST_F(TitleSceneTest, WithTheHardwareRendererTheBackdropIsTintedAndTheFadeShowsEveryShade) {
    startTitle(true);
    Background6* backdrop = childrenOfType<Background6>(title).front();
    EXPECT_EQ(rgbOf(backdrop), 0x00007F);
    EXPECT_EQ(childrenOfType<tidewell::Image>(backdrop).size(), 6u);

    mouseTo(screenX(title->getStartButton()), screenY(title->getStartButton()));
    step(1);
    keyPress(keys::kLeftCtrl);
    for (int fade = 1; fade <= 20; ++fade) {
        step(1);
        EXPECT_EQ(alphaOf(title->getFadeOverlay()), fade * 255 / 20) << "fade frame " << fade;
    }
    EXPECT_TRUE(holder->reports.empty());
    step(1);
    EXPECT_EQ(holder->reports.size(), 1u);
}

// The layout of the whole title screen, with the pointer resting on Start.
TEST_F(TitleSceneTest, DrawsItsGoldenFrame) {
    startTitle();
    // The version line shows the project's version number; the golden frame keeps the line it
    // was drawn with, so that a new version does not change the picture.
    title->getVersionLine()->setText("Brinefall Demo Version 1.2");
    mouseTo(420, 385);
    step(24);
    ASSERT_EQ(title->getStartButton()->getState(), Button::overState);
    expectGoldenFrame(lastFrame(), "title", [this](const std::string& path) { saveFrame(path); });
}

// A player who clicks Exit as soon as the title is up, moving the real pointer.
class ExitClicker : public tidewell::Sprite {
public:
    void update() override {
        ++frames;
        if (frames == 2) tidewell::InputManager::setMousePosition(400, 590);
        if (frames == 3) {
            tidewell::InputManager::pressMouseButton(0);
            tidewell::InputManager::releaseMouseButton(0);
        }
    }
    int frames = 0;
};

TEST_F(TitleSceneTest, TheExitButtonEndsTheProgramWithStatusZero) {
    machine();
    enterDataFolder();
    LaunchOptions options;
    options.headless = true;
    options.frames = 100;
    const int status = playOnInstalledPlatform(options, [] {
        auto* root = new SceneHolder;
        root->addChild(new TitleScene);
        root->addChild(new ExitClicker);
        return root;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(tidewell::MainLoop::framesRun(), 3u) << "the frame of the click is the last";
    EXPECT_TRUE(machine().dialogs().shown().empty());
}

}  // namespace
}  // namespace brinefall::testing
