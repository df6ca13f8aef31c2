#include "core/ErrorGeneric.h"
#include "InputTestSupport.h"
#include "platform/KeyCodes.h"

using namespace tidewell;
using Strings = std::vector<std::string>;

namespace keys = tidewell::platform::keyCode;

class InputManagerTest : public InputFixture {};

TEST_F(InputManagerTest, KeysArriveInOrderAndTheRefreshShowsWhichAreHeld) {
    startEngine();
    input().pressKey(0x1E);  // A
    input().pressKey(keys::leftControl);
    input().releaseKey(0x1E);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key down 30", "key down 29", "key up 30"}));
    EXPECT_EQ(InputManager::keyStates[0x1E], 0);
    EXPECT_EQ(InputManager::keyStates[keys::leftControl], 0x80);

    frame();  // nothing new happened: nothing is delivered, the key stays held
    EXPECT_TRUE(delivered().empty());
    EXPECT_EQ(InputManager::keyStates[keys::leftControl], 0x80);
}

// A program letting go of a key it pressed: the state reads up in the same frame, and the
// key-up event still comes through the queue with the next frame, once.
TEST_F(InputManagerTest, AnInjectedKeyLetGoReadsUpAtOnceAndItsKeyUpFollowsOnce) {
    startEngine();
    input().injectKey(keys::leftControl, true);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key down 29"}));
    InputManager::releaseInjectedKey(keys::leftControl);
    EXPECT_EQ(InputManager::keyStates[keys::leftControl], 0);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key up 29"}));
    EXPECT_EQ(InputManager::keyStates[keys::leftControl], 0);
}

TEST_F(InputManagerTest, XAndYOfOneReportMakeOneMoveAndARunOfMovesArrivesAsItsLast) {
    startEngine(true);
    input().moveMouse(5, -7);
    frame();
    EXPECT_EQ(delivered(), (Strings{"mouse move 405 293"}));

    for (int step = 0; step < 10; ++step) {
        input().moveMouse(1, 0);
    }
    input().pressMouseButton(0);
    input().moveMouse(-5, 0);
    frame();
    EXPECT_EQ(delivered(), (Strings{"mouse move 415 293", "mouse down 0 at 415 293", "mouse move 410 293"}));
    EXPECT_EQ(InputManager::mouseX, 410u);
    EXPECT_EQ(InputManager::mouseY, 293u);
    EXPECT_EQ(InputManager::mouseButtons[0], 0x80);
}

TEST_F(InputManagerTest, FullScreenPointerStopsAtTheEdgesOfTheScreen) {
    startEngine(true);
    EXPECT_TRUE(machine->window().relativeMouseMode());
    input().moveMouse(-5000, -300);
    frame();
    EXPECT_EQ(delivered(), (Strings{"mouse move 0 0"}));
    input().moveMouse(-10, -10);
    input().moveMouse(3, 4);  // from the edge, not from beyond it
    frame();
    EXPECT_EQ(delivered(), (Strings{"mouse move 3 4"}));
    input().moveMouse(5000, 5000);
    frame();
    EXPECT_EQ(delivered(), (Strings{"mouse move 799 599"}));
    EXPECT_EQ(InputManager::mouseX, 799u);
    EXPECT_EQ(InputManager::mouseY, 599u);
}

TEST_F(InputManagerTest, WindowedPointerFollowsTheSystemCursorWhichShowsOnlyOutsideThePicture) {
    startEngine(false);
    EXPECT_FALSE(machine->window().relativeMouseMode());
    EXPECT_FALSE(machine->window().systemCursorShown());
    input().moveMouseTo(900, 100);  // off the right edge of the picture
    input().pressMouseButton(1);
    frame();
    EXPECT_EQ(delivered(), (Strings{"mouse move 799 100", "mouse down 1 at 799 100"}));
    EXPECT_TRUE(machine->window().systemCursorShown());

    input().moveMouseTo(120, 80);
    frame();
    EXPECT_EQ(delivered(), (Strings{"mouse move 120 80"}));
    EXPECT_FALSE(machine->window().systemCursorShown());
    EXPECT_EQ(InputManager::mouseX, 120u);
    EXPECT_EQ(InputManager::mouseY, 80u);
}

TEST_F(InputManagerTest, EscapeIsAnOrdinaryKeyUnlessTheQuitKeyIsOn) {
    startEngine();
    input().pressKey(keys::escape);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key down 1"}));
    EXPECT_FALSE(MainLoop::isQuitRequested());

    InputManager::quitOnKey = true;  // too late: the engine has started
    input().releaseKey(keys::escape);
    input().pressKey(keys::escape);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key up 1", "key down 1"}));
    EXPECT_FALSE(MainLoop::isQuitRequested());

    stopEngine();
    startEngine();
    input().releaseKey(keys::escape);
    input().pressKey(keys::escape);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key up 1", "key down 1"}));  // delivered, and then the loop ends
    EXPECT_TRUE(MainLoop::isQuitRequested());
}

TEST_F(InputManagerTest, InputMadeInTheBackgroundIsNeverDeliveredButItsStateIsRead) {
    startEngine();
    MainLoop::setActive(false);
    input().pressKey(keys::space);
    input().moveMouse(30, 30);
    frame();  // no frame runs while inactive, and if one did it would read nothing
    EXPECT_TRUE(delivered().empty());
    MainLoop::setActive(true);
    input().pressKey(keys::enter);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key down 28"}));
    EXPECT_EQ(InputManager::keyStates[keys::space], 0x80);
}

TEST_F(InputManagerTest, GameCodeMovesAndClicksThePointerAtOnce) {
    startEngine(true);
    InputManager::pressMouseButton(4);
    InputManager::releaseMouseButton(-1);
    EXPECT_TRUE(delivered().empty());
    EXPECT_EQ(InputManager::mouseButtons[0] | InputManager::mouseButtons[3], 0);

    InputManager::setMousePosition(1000, 20);
    InputManager::moveMouse(-30, -50);
    InputManager::pressMouseButton(3);
    InputManager::releaseMouseButton(3);
    EXPECT_EQ(delivered(),
              (Strings{"mouse move 799 20", "mouse move 769 0", "mouse down 3 at 769 0", "mouse up 3 at 769 0"}));
    EXPECT_EQ(InputManager::mouseButtons[3], 0);
}

TEST_F(InputManagerTest, DevicesAreMergedInTheOrderTheirDataHappenedAcrossTheCounterWrapping) {
    input().attachJoystick("pad", false);
    startEngine(true);
    input().setNextSequence(0xFFFFFFFEu);
    input().pressJoystickButton(0, 2);    // 0xFFFFFFFE
    input().pressKey(0x10);               // 0xFFFFFFFF
    input().moveMouse(1, 0);              // 0
    input().releaseKey(0x10);             // 1
    input().pressMouseButton(0);          // 2
    input().releaseJoystickButton(0, 2);  // 3
    frame();
    EXPECT_EQ(delivered(), (Strings{"joystick 0 down 2", "key down 16", "mouse move 401 300", "key up 16",
                                    "mouse down 0 at 401 300", "joystick 0 up 2"}));
}

TEST_F(InputManagerTest, DataBeyondABuffersSizeAreLostWithoutHarm) {
    startEngine();
    for (std::uint8_t code = 0x10; code < 0x19; ++code) {
        input().pressKey(code);  // 9 presses
    }
    for (std::uint8_t code = 0x10; code < 0x18; ++code) {
        input().releaseKey(code);  // 8 releases: the 17th datum, the release of 0x17, is lost
    }
    frame();
    const Strings got = delivered();
    ASSERT_EQ(got.size(), 16u);
    EXPECT_EQ(got.back(), "key up 22");
    // The refresh still reads what is really held.
    EXPECT_EQ(InputManager::keyStates[0x17], 0);
    EXPECT_EQ(InputManager::keyStates[0x18], 0x80);
}

TEST_F(InputManagerTest, JoystickAxesAreScaledWithTheDeadZoneAndXAndYOfOneReportMakeOneMove) {
    input().attachJoystick("pad", false);
    startEngine();
    ASSERT_EQ(InputManager::joystickCount, 1u);
    input().moveJoystick(0, 550, -1000);
    frame();
    EXPECT_EQ(delivered(), (Strings{"joystick 0 move 0.5 -1"}));
    EXPECT_EQ(InputManager::joystickStates[0].lX, 500);
    EXPECT_EQ(InputManager::joystickStates[0].lY, -1000);

    input().moveJoystick(0, 90, -1000);  // X back inside the dead zone: only X is reported
    input().moveJoystick(0, 60, -1000);  // still inside it: nothing at all
    input().pressJoystickButton(0, 31);
    frame();
    // The move carries 0 for the axis it does not report, and the handlers see it so;
    // afterwards the refresh puts the stick where it stands.
    EXPECT_EQ(delivered(), (Strings{"joystick 0 move 0 0", "joystick 0 down 31"}));
    EXPECT_EQ(InputManager::joystickStates[0].lX, 0);
    EXPECT_EQ(InputManager::joystickStates[0].lY, -1000);
    EXPECT_EQ(InputManager::joystickStates[0].rgbButtons[31], 0x80);
}

TEST_F(InputManagerTest, WithoutJoysticksThereAreNoTablesAndStartUpSucceeds) {
    startEngine();
    EXPECT_EQ(InputManager::joystickCount, 0u);
    EXPECT_TRUE(InputManager::joystickStates.empty());
    EXPECT_TRUE(InputManager::joystickForceFeedback.empty());
}

TEST_F(InputManagerTest, DevicesTakenAwayAreAcquiredAgainAndReadOnTheSameFrame) {
    input().attachJoystick("pad", false);
    startEngine();
    input().loseDevices();
    input().pressKey(0x20);  // while the device was away: never buffered
    frame();
    EXPECT_TRUE(delivered().empty());
    EXPECT_EQ(InputManager::keyStates[0x20], 0x80);
    input().pressKey(0x21);
    input().pressJoystickButton(0, 0);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key down 33", "joystick 0 down 0"}));
}

TEST_F(InputManagerTest, APadPulledOutDuringAFrameKeepsItsLastStateAndStopsTheRefreshOfTheOnesAfterIt) {
    input().attachJoystick("first", false);
    input().attachJoystick("second", false);
    startEngine();
    input().pressJoystickButton(0, 4);
    input().pressJoystickButton(1, 5);
    frame();
    delivered();
    InputManager::gatherEvents();
    input().detachJoystick(0);  // after the frame read its input, before the refresh
    input().releaseJoystickButton(1, 5);
    InputManager::dispatchEvents();
    EXPECT_TRUE(delivered().empty());
    ASSERT_EQ(InputManager::joystickCount, 2u);
    EXPECT_EQ(InputManager::joystickStates[0].rgbButtons[4], 0x80);
    EXPECT_EQ(InputManager::joystickStates[1].rgbButtons[5], 0x80);  // not refreshed this frame

    // Between frames the pad that went is dropped and the other one takes its number.
    frame();
    ASSERT_EQ(InputManager::joystickCount, 1u);
    EXPECT_EQ(InputManager::joystickName(0), "second");
    EXPECT_EQ(InputManager::joystickStates[0].rgbButtons[5], 0);
}

TEST_F(InputManagerTest, PadsPluggedInOrPulledOutAreOpenedAnewBetweenFramesAndTheOtherDevicesGoOn) {
    startEngine();
    input().attachJoystick("plugged later", true);
    EXPECT_EQ(InputManager::joystickCount, 0u) << "only the next frame looks";
    input().pressKey(0x1E);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key down 30"}));
    ASSERT_EQ(InputManager::joystickCount, 1u);
    EXPECT_EQ(InputManager::joystickName(0), "plugged later");
    EXPECT_EQ(InputManager::joystickForceFeedback, (std::vector<std::uint8_t>{1}));
    EXPECT_EQ(InputManager::joystickStates.size(), 1u);

    input().moveJoystick(0, 1000, 0);  // the new pad has the game's range and dead zone
    input().pressJoystickButton(0, 2);
    frame();
    EXPECT_EQ(delivered(), (Strings{"joystick 0 move 1 0", "joystick 0 down 2"}));
    EXPECT_EQ(InputManager::joystickStates[0].lX, 1000);

    // A second pad comes after the first; pulling the first out gives the second number 0,
    // and the button it holds is read as held without an event.
    input().attachJoystick("spare", false);
    input().pressJoystickButton(1, 7);
    input().pressKey(0x1F);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key down 31"}));
    ASSERT_EQ(InputManager::joystickCount, 2u);
    input().pressJoystickButton(1, 8);
    frame();
    EXPECT_EQ(delivered(), (Strings{"joystick 1 down 8"}));
    input().detachJoystick(0);
    input().releaseKey(0x1E);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key up 30"}));
    ASSERT_EQ(InputManager::joystickCount, 1u);
    EXPECT_EQ(InputManager::joystickName(0), "spare");
    EXPECT_EQ(InputManager::joystickForceFeedback, (std::vector<std::uint8_t>{0}));
    EXPECT_EQ(InputManager::joystickStates[0].rgbButtons[7], 0x80);
    EXPECT_EQ(InputManager::joystickStates[0].lX, 0);
    input().releaseJoystickButton(1, 7);
    frame();
    EXPECT_EQ(delivered(), (Strings{"joystick 0 up 7"}));

    input().detachJoystick(1);
    frame();
    EXPECT_EQ(InputManager::joystickCount, 0u);
    EXPECT_TRUE(InputManager::joystickStates.empty());
}

TEST_F(InputManagerTest, SwitchingFullScreenRebuildsTheDevicesInTheNewMode) {
    input().attachJoystick("pad", false);
    startEngine(false);
    input().pressKey(0x2C);
    frame();
    delivered();
    WindowManager::setFullScreen(true);
    EXPECT_TRUE(machine->window().relativeMouseMode());
    EXPECT_EQ(InputManager::joystickCount, 1u);
    input().releaseKey(0x2C);
    input().moveMouse(-1000, 0);
    frame();
    EXPECT_EQ(delivered(), (Strings{"key up 44", "mouse move 0 300"}));
}
