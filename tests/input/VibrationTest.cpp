#include "core/ErrorGeneric.h"
#include "InputTestSupport.h"
#include "input/Vibration.h"

using namespace tidewell;
using tidewell::platform::ConstantForce;

class VibrationTest : public InputFixture {
protected:
    // The effects made on a joystick so far, oldest first.
    const std::vector<std::shared_ptr<platform::headless::ForceRecord>>& effects(std::size_t joystick = 0) {
        return input().joystick(joystick).effects;
    }
};

TEST_F(VibrationTest, AnUnpluggedPadRefusesReadsAndEffectsAndIsNoLongerListed) {
    input().attachJoystick("pad", true);
    std::vector<platform::JoystickInstance> found;
    ASSERT_TRUE(input().enumerateJoysticks(found));
    ASSERT_EQ(found.size(), 1u);
    platform::InputResult result = platform::InputResult::Failed;
    auto pad = input().createJoystick(found[0], result);
    ASSERT_NE(pad, nullptr);
    ASSERT_EQ(pad->acquire(), platform::InputResult::Ok);
    auto effect = pad->createConstantForce(ConstantForce{0, 5000}, result);
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(effect->start(), platform::InputResult::Ok);

    input().detachJoystick(0);
    EXPECT_FALSE(effects()[0]->playing);  // the motors stop with the cable
    EXPECT_EQ(effect->start(), platform::InputResult::InputLost);
    EXPECT_EQ(effect->stop(), platform::InputResult::InputLost);
    EXPECT_EQ(effect->setLevel(100), platform::InputResult::InputLost);
    EXPECT_EQ(effects()[0]->starts, 1);
    EXPECT_EQ(effects()[0]->level, 5000);
    EXPECT_EQ(pad->createConstantForce(ConstantForce{0, 5000}, result), nullptr);
    EXPECT_EQ(result, platform::InputResult::InputLost);
    EXPECT_EQ(effects().size(), 1u);
    platform::JoystickState state;
    EXPECT_EQ(pad->readState(state), platform::InputResult::InputLost);
    EXPECT_NE(pad->acquire(), platform::InputResult::Ok);
    ASSERT_TRUE(input().enumerateJoysticks(found));
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(input().createJoystick(platform::JoystickInstance{0, "pad"}, result), nullptr);
}

TEST_F(VibrationTest, WithoutAJoystickNothingIsMade) {
    startEngine();
    EXPECT_EQ(InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true), nullptr);
    EXPECT_EQ(InputManager::createVibration(0.5f, 1.0f, 0.0f, -1, true), nullptr);
    InputManager::releaseVibration(nullptr);
}

TEST_F(VibrationTest, TheSameParametersShareOneObjectUntilItsLastHolderLetsGo) {
    input().attachJoystick("pad", true);
    startEngine();
    Vibration* jolt = InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true);
    ASSERT_NE(jolt, nullptr);
    EXPECT_EQ(InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true), jolt);
    EXPECT_EQ(InputManager::vibrationHolders(jolt), 2u);
    Vibration* rumble = InputManager::createVibration(0.0f, 0.2f, 90.0f, 0, true);
    EXPECT_NE(rumble, jolt);
    ASSERT_EQ(effects().size(), 2u);

    InputManager::releaseVibration(jolt);
    EXPECT_EQ(InputManager::vibrationHolders(jolt), 1u);
    EXPECT_FALSE(effects()[0]->released);
    InputManager::releaseVibration(jolt);
    EXPECT_EQ(InputManager::vibrationHolders(jolt), 0u);
    EXPECT_TRUE(effects()[0]->released);
    EXPECT_FALSE(effects()[1]->released);
}

TEST_F(VibrationTest, EffectsAreConstantForcesWithTheirDirectionLengthAndStrength) {
    input().attachJoystick("pad", true);
    startEngine();
    Vibration* jolt = InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true);
    Vibration* rumble = InputManager::createVibration(0.0f, 0.2f, 90.0f, 0, false);
    ASSERT_EQ(effects().size(), 1u);  // the rumble's effect waits for its first play
    EXPECT_EQ(effects()[0]->force.direction, 0);
    EXPECT_EQ(effects()[0]->force.lengthMicroseconds, 500000u);
    EXPECT_EQ(effects()[0]->level, 10000);
    EXPECT_FALSE(effects()[0]->playing);

    rumble->play();
    ASSERT_EQ(effects().size(), 2u);
    EXPECT_EQ(effects()[1]->force.direction, 9000);
    EXPECT_EQ(effects()[1]->force.lengthMicroseconds, ConstantForce::kInfinite);
    EXPECT_EQ(effects()[1]->level, 2000);
    EXPECT_TRUE(effects()[1]->playing);
    rumble->stop();
    EXPECT_FALSE(effects()[1]->playing);
    jolt->play();
    jolt->play();
    EXPECT_EQ(effects()[0]->starts, 2);
}

TEST_F(VibrationTest, OnAJoystickWithoutForceFeedbackTheVibrationExistsAndDoesNothing) {
    input().attachJoystick("plain", false);
    startEngine();
    ASSERT_EQ(InputManager::joystickForceFeedback, (std::vector<std::uint8_t>{0}));
    Vibration* jolt = InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true);
    ASSERT_NE(jolt, nullptr);
    EXPECT_FALSE(jolt->hasForceFeedback());
    jolt->play();
    jolt->stop();
    InputManager::setVibrationGain(0.5f);
    EXPECT_FLOAT_EQ(jolt->getEffectiveMagnitude(), 0.5f);
    EXPECT_TRUE(effects().empty());
    InputManager::setVibrationGain(1.0f);
}

TEST_F(VibrationTest, TheBossRumbleFallsSilentInTheBackgroundAndComesBackWithoutStopping) {
    input().attachJoystick("pad", true);
    startEngine();
    Vibration* rumble = InputManager::createVibration(0.0f, 0.2f, 90.0f, 0, true);
    rumble->play();
    MainLoop::setActive(false);
    EXPECT_EQ(effects()[0]->level, 0);
    EXPECT_TRUE(effects()[0]->playing);
    MainLoop::setActive(false);
    MainLoop::setActive(true);
    EXPECT_EQ(effects()[0]->level, 2000);
    EXPECT_TRUE(effects()[0]->playing);
    EXPECT_EQ(effects()[0]->starts, 1);
}

TEST_F(VibrationTest, PausingTwiceKeepsTheGainSavedTheFirstTime) {
    startEngine();
    InputManager::pauseVibration();
    InputManager::pauseVibration();
    EXPECT_EQ(InputManager::getVibrationGain(), 0.0f);
    InputManager::resumeVibration();
    EXPECT_EQ(InputManager::getVibrationGain(), 1.0f);
}

TEST_F(VibrationTest, ADeviceResetDropsEffectsAndTheNextPlayMakesThemAgain) {
    input().attachJoystick("pad", true);
    startEngine();
    Vibration* rumble = InputManager::createVibration(0.0f, 0.2f, 90.0f, 0, true);
    rumble->play();
    WindowManager::setFullScreen(true);
    ASSERT_EQ(effects().size(), 1u);
    EXPECT_TRUE(effects()[0]->released);  // an endless effect stays silent until played again
    EXPECT_FALSE(rumble->hasEffect());
    rumble->play();
    ASSERT_EQ(effects().size(), 2u);
    EXPECT_TRUE(effects()[1]->playing);
    EXPECT_EQ(effects()[1]->level, 2000);
}

TEST_F(VibrationTest, AnUnpluggedPadLeavesItsVibrationsInertUntilAPadIsPluggedInAgain) {
    input().attachJoystick("pad", true);
    startEngine();
    Vibration* jolt = InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true);
    Vibration* rumble = InputManager::createVibration(0.0f, 0.2f, 90.0f, 0, false);  // made at its first play
    jolt->play();
    frame();
    input().detachJoystick(0);  // the cable comes loose mid-game
    frame();

    // A hit, the boss rumble, a trip to the background: nothing fails, nothing reaches the pad.
    EXPECT_NO_THROW(jolt->play());
    EXPECT_NO_THROW(rumble->play());
    EXPECT_NO_THROW(rumble->stop());
    EXPECT_NO_THROW(MainLoop::setActive(false));
    EXPECT_NO_THROW(MainLoop::setActive(true));
    EXPECT_NO_THROW(InputManager::setVibrationGain(0.5f));
    InputManager::setVibrationGain(1.0f);
    EXPECT_EQ(InputManager::createVibration(1.0f, 0.5f, 0.0f, 0, true), nullptr) << "there is no joystick 0 now";
    frame();
    ASSERT_EQ(effects().size(), 1u);
    EXPECT_EQ(effects()[0]->starts, 1);
    EXPECT_TRUE(effects()[0]->released);
    for (Vibration* vibration : {jolt, rumble}) {
        EXPECT_TRUE(vibration->isJoystickGone());
        EXPECT_FALSE(vibration->hasForceFeedback());
        EXPECT_FALSE(vibration->hasEffect());
    }

    // Switching full screen finds no joystick: still inert, still no error.
    EXPECT_NO_THROW(WindowManager::setFullScreen(true));
    EXPECT_EQ(InputManager::joystickCount, 0u);
    EXPECT_NO_THROW(jolt->play());
    EXPECT_TRUE(jolt->isJoystickGone());

    // A pad plugged in is found by the next frame and takes the vibrations over.
    input().attachJoystick("spare", true);
    frame();
    ASSERT_EQ(InputManager::joystickCount, 1u);
    jolt->play();
    rumble->play();
    EXPECT_FALSE(jolt->isJoystickGone());
    EXPECT_TRUE(jolt->hasForceFeedback());
    ASSERT_EQ(effects(1).size(), 2u);
    EXPECT_TRUE(effects(1)[0]->playing);
    EXPECT_EQ(effects(1)[0]->level, 10000);
    EXPECT_EQ(effects(1)[1]->level, 2000);
}

TEST_F(VibrationTest, APadTakenAwayForAMomentIsAcquiredAgainAndKeepsItsEffect) {
    input().attachJoystick("pad", true);
    startEngine();
    Vibration* rumble = InputManager::createVibration(0.0f, 0.2f, 90.0f, 0, true);
    input().loseDevices();
    rumble->play();
    EXPECT_TRUE(effects()[0]->playing);
    input().loseDevices();
    rumble->stop();
    EXPECT_FALSE(effects()[0]->playing);
    input().loseDevices();
    InputManager::setVibrationGain(0.5f);
    EXPECT_EQ(effects()[0]->level, 1000);
    EXPECT_FALSE(rumble->isJoystickGone());
    EXPECT_EQ(effects().size(), 1u);  // the same effect throughout, never made again
    InputManager::setVibrationGain(1.0f);
}

TEST_F(VibrationTest, ShutDownDeletesEveryVibrationAndItsEffect) {
    input().attachJoystick("pad", true);
    startEngine();
    InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true);
    InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true);
    stopEngine();
    ASSERT_EQ(effects().size(), 1u);
    EXPECT_TRUE(effects()[0]->released);
}
