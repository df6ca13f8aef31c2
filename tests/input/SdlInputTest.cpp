// The real SDL backend under a virtual X display: keys typed into the window by xdotool
// and joysticks that exist only inside SDL reach the input manager as the game expects.
// Registered only through xvfb-run (see CMakeLists.txt).
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <thread>

#include "InputTestSupport.h"
#include "input/Vibration.h"
#include "platform/sdl/testing/VirtualJoystick.h"

using namespace tidewell;
using tidewell::platform::sdl::testing::VirtualJoystick;
using Strings = std::vector<std::string>;

namespace {

constexpr const char* kTitle = "Brinefall input test";

bool xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

bool contains(const Strings& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

class SdlInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string whyNot;
        auto made = platform::createPlatform("sdl", {}, whyNot);
        ASSERT_NE(made, nullptr) << whyNot;
        platform::install(std::move(made));
        MainLoop::reset();
        InputManager::quitOnKey = false;
    }

    void TearDown() override {
        stopEngine();  // the root, the input manager and the window
        joystick.reset();
        InputManager::quitOnKey = true;
        InputManager::resetPolledState();
        platform::install(nullptr);
    }

    void start() {
        WindowManager::setTitle(kTitle);
        WindowManager::createWindow();
        InputManager::start();
        setRootSprite(new InputRecorder(log));
    }

    // Runs the input's frame steps in real time until the condition holds; false after ten seconds.
    bool framesUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            InputManager::gatherEvents();
            InputManager::dispatchEvents();
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    Strings log;
    std::unique_ptr<VirtualJoystick> joystick;
};

TEST_F(SdlInputTest, KeysTypedIntoTheWindowArriveAsTheirScanCodes) {
    start();
    ASSERT_TRUE(xdotool(std::string("search --sync --name '^") + kTitle + "$' windowfocus --sync"))
        << "xdotool could not find or focus the window";
    const std::vector<std::pair<std::string, int>> keys = {
        {"a", 0x1E},      {"z", 0x2C},     {"1", 0x02},         {"0", 0x0B},         {"Return", 0x1C},
        {"Escape", 0x01}, {"space", 0x39}, {"Control_L", 0x1D}, {"Control_R", 0x9D}, {"Shift_L", 0x2A},
        {"Alt_L", 0x38},  {"Up", 0xC8},    {"Down", 0xD0},      {"Left", 0xCB},      {"Right", 0xCD},
        {"F1", 0x3B},     {"F12", 0x58},   {"KP_7", 0x47},      {"KP_Enter", 0x9C},  {"BackSpace", 0x0E},
        {"Tab", 0x0F},    {"minus", 0x0C}, {"Home", 0xC7},      {"Prior", 0xC9},     {"Delete", 0xD3},
    };
    for (const auto& [name, code] : keys) {
        ASSERT_TRUE(xdotool("keydown " + name));
        EXPECT_TRUE(framesUntil([code = code] { return InputManager::keyStates[code] == 0x80; }))
            << name << " was not seen held as " << code;
        ASSERT_TRUE(xdotool("keyup " + name));
        EXPECT_TRUE(framesUntil([code = code] { return InputManager::keyStates[code] == 0; }))
            << name << " was not seen released";
        EXPECT_TRUE(contains(log, "key down " + std::to_string(code))) << name;
        EXPECT_TRUE(contains(log, "key up " + std::to_string(code))) << name;
        log.clear();
    }
}

TEST_F(SdlInputTest, InAWindowThePointerIsWhereTheSystemCursorIs) {
    start();
    // The system cursor is put under the pointer, and reads back where it was put.
    int x = 0;
    int y = 0;
    platform::current().window().moveSystemCursor(210, 170);
    EXPECT_TRUE(framesUntil([&] {
        platform::current().window().cursorPosition(x, y);
        return x == 210 && y == 170;
    })) << "the system cursor is at "
        << x << ", " << y;
    const std::string window = std::string("search --sync --name '^") + kTitle + "$' ";
    ASSERT_TRUE(xdotool(window + "windowfocus --sync"));
    ASSERT_TRUE(xdotool(window + "mousemove --window %1 --sync 123 456"));
    EXPECT_TRUE(framesUntil([] { return InputManager::mouseX == 123 && InputManager::mouseY == 456; }))
        << "the pointer is at " << InputManager::mouseX << ", " << InputManager::mouseY;
    ASSERT_TRUE(xdotool("click 1"));
    EXPECT_TRUE(framesUntil([this] { return contains(log, "mouse up 0 at 123 456"); }));
    EXPECT_TRUE(contains(log, "mouse down 0 at 123 456"));
}

TEST_F(SdlInputTest, FullScreenThePointerMovesByTheMotionScaledToThePicture) {
    WindowManager::setFullScreen(true);
    start();
    const std::string window = std::string("search --sync --name '^") + kTitle + "$' ";
    ASSERT_TRUE(xdotool(window + "windowfocus --sync"));
    int width = 0;
    int height = 0;
    ASSERT_TRUE(framesUntil([&] {
        const platform::WindowSize size = platform::current().window().clientSize();
        width = size.width;
        height = size.height;
        return width > 0 && height > 0;
    }));
    // The picture fills the shorter side; motion over it counts in the picture's own pixels.
    const double scale = std::min(width / 800.0, height / 600.0);
    ASSERT_TRUE(xdotool("mousemove_relative --sync -- 80 -40"));
    const auto expectedX = static_cast<std::uint32_t>(400 + std::trunc(80 / scale));
    const auto expectedY = static_cast<std::uint32_t>(300 - std::trunc(40 / scale));
    EXPECT_TRUE(framesUntil([&] { return InputManager::mouseX == expectedX && InputManager::mouseY == expectedY; }))
        << "the pointer is at " << InputManager::mouseX << ", " << InputManager::mouseY << " on a " << width << " x "
        << height << " screen";
    WindowManager::setFullScreen(false);
}

TEST_F(SdlInputTest, AControllerIsReadThroughItsMappingWithTheDeadZoneAndRumblesForForceFeedback) {
    joystick = std::make_unique<VirtualJoystick>(VirtualJoystick::Kind::Controller, 6, 15, 0, true);
    ASSERT_TRUE(joystick->attached()) << joystick->error();
    ASSERT_TRUE(joystick->isController());
    start();
    ASSERT_EQ(InputManager::joystickCount, 1u);
    EXPECT_EQ(InputManager::joystickForceFeedback, (std::vector<std::uint8_t>{1}));

    joystick->setAxis(0, 32767);   // left stick right
    joystick->setAxis(1, -16384);  // and half up
    EXPECT_TRUE(framesUntil([] { return InputManager::joystickStates[0].lY == -444; }));
    EXPECT_EQ(InputManager::joystickStates[0].lX, 1000);
    joystick->setAxis(0, 2000);  // back inside the dead zone
    EXPECT_TRUE(framesUntil([] { return InputManager::joystickStates[0].lX == 0; }));

    joystick->setButton(1, true);   // B
    joystick->setButton(13, true);  // d-pad left wins over the stick
    EXPECT_TRUE(framesUntil([] { return InputManager::joystickStates[0].lX == -1000; }));
    EXPECT_TRUE(contains(log, "joystick 0 down 1"));
    EXPECT_TRUE(contains(log, "joystick 0 move -1 0") || contains(log, "joystick 0 move -1 -0.444"));
    EXPECT_EQ(InputManager::joystickStates[0].rgbButtons[1], 0x80);

    Vibration* rumble = InputManager::createVibration(0.0f, 0.2f, 90.0f, 0, true);
    ASSERT_NE(rumble, nullptr);
    rumble->play();
    EXPECT_EQ(joystick->lowRumble(), 13107);  // 0.2 of full speed
    EXPECT_EQ(joystick->highRumble(), 13107);
    InputManager::pauseVibration();
    EXPECT_EQ(joystick->lowRumble(), 0);
    InputManager::resumeVibration();
    EXPECT_EQ(joystick->lowRumble(), 13107);
    rumble->stop();
    EXPECT_EQ(joystick->lowRumble(), 0);
    InputManager::releaseVibration(rumble);
}

TEST_F(SdlInputTest, AJoystickWithoutAMappingIsReadRawAndItsHatMovesTheStick) {
    joystick = std::make_unique<VirtualJoystick>(VirtualJoystick::Kind::Joystick, 3, 4, 1, false);
    ASSERT_TRUE(joystick->attached()) << joystick->error();
    ASSERT_FALSE(joystick->isController());
    start();
    ASSERT_EQ(InputManager::joystickCount, 1u);
    EXPECT_EQ(InputManager::joystickForceFeedback, (std::vector<std::uint8_t>{0}));

    joystick->setAxis(1, 32767);  // pulled towards the player
    EXPECT_TRUE(framesUntil([] { return InputManager::joystickStates[0].lY == 1000; }));
    EXPECT_TRUE(contains(log, "joystick 0 move 0 1"));
    joystick->setButton(3, true);
    joystick->setHat(0, 0x08);  // left
    EXPECT_TRUE(framesUntil([] { return InputManager::joystickStates[0].lX == -1000; }));
    EXPECT_TRUE(contains(log, "joystick 0 down 3"));
    EXPECT_EQ(InputManager::joystickStates[0].rgdwPOV[0], 27000u);
    EXPECT_EQ(InputManager::joystickStates[0].lZ, 32768);  // the other axes keep their own range
}

TEST_F(SdlInputTest, AControllerUnpluggedDuringPlayLeavesItsVibrationsSilentInsteadOfFailing) {
    joystick = std::make_unique<VirtualJoystick>(VirtualJoystick::Kind::Controller, 6, 15, 0, true);
    ASSERT_TRUE(joystick->attached()) << joystick->error();
    start();
    ASSERT_EQ(InputManager::joystickForceFeedback, (std::vector<std::uint8_t>{1}));
    Vibration* jolt = InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true);
    Vibration* rumble =
        InputManager::createVibration(0.0f, 0.2f, 90.0f, 0, false);  // its effect comes at its first play
    ASSERT_NE(jolt, nullptr);
    ASSERT_NE(rumble, nullptr);

    joystick.reset();  // the cable comes loose
    int frames = 0;
    framesUntil([&frames] { return ++frames == 10; });

    EXPECT_NO_THROW(jolt->play());
    EXPECT_NO_THROW(rumble->play());
    EXPECT_NO_THROW(InputManager::pauseVibration());
    EXPECT_NO_THROW(InputManager::resumeVibration());
    EXPECT_NO_THROW(rumble->stop());
    EXPECT_TRUE(rumble->isJoystickGone());
    EXPECT_FALSE(rumble->hasEffect());
    InputManager::releaseVibration(jolt);
    InputManager::releaseVibration(rumble);
}

TEST_F(SdlInputTest, AControllerPluggedInDuringPlayIsOpenedAtTheNextFramesAndDroppedWhenPulledOut) {
    start();
    ASSERT_EQ(InputManager::joystickCount, 0u);
    joystick = std::make_unique<VirtualJoystick>(VirtualJoystick::Kind::Controller, 6, 15, 0, true);
    ASSERT_TRUE(joystick->attached()) << joystick->error();
    EXPECT_TRUE(framesUntil([] { return InputManager::joystickCount == 1; }));
    EXPECT_EQ(InputManager::joystickForceFeedback, (std::vector<std::uint8_t>{1}));
    joystick->setButton(0, true);  // A
    EXPECT_TRUE(framesUntil([this] { return contains(log, "joystick 0 down 0"); }));
    EXPECT_EQ(InputManager::joystickStates[0].rgbButtons[0], 0x80);
    Vibration* rumble = InputManager::createVibration(0.0f, 0.2f, 90.0f, 0, true);
    ASSERT_NE(rumble, nullptr);

    joystick.reset();
    EXPECT_TRUE(framesUntil([] { return InputManager::joystickCount == 0; }));
    EXPECT_TRUE(InputManager::joystickStates.empty());
    EXPECT_NO_THROW(rumble->play());
    EXPECT_TRUE(rumble->isJoystickGone());

    // Another pad plugged in takes the vibration over.
    joystick = std::make_unique<VirtualJoystick>(VirtualJoystick::Kind::Controller, 6, 15, 0, true);
    ASSERT_TRUE(joystick->attached()) << joystick->error();
    EXPECT_TRUE(framesUntil([] { return InputManager::joystickCount == 1; }));
    rumble->play();
    EXPECT_EQ(joystick->lowRumble(), 13107);
    rumble->stop();
    InputManager::releaseVibration(rumble);
}
