#include <fstream>
#include <sstream>

#include "InputTestSupport.h"
#include "platform/InputScript.h"
#include "platform/KeyCodes.h"

using namespace tidewell;
using tidewell::platform::InputScript;
using Kind = InputScript::Action::Kind;
using Strings = std::vector<std::string>;

TEST(InputScript, ReadsEveryKindOfLineAndPutsThemInFrameOrder) {
    const InputScript script = parsedScript(
        "# the player\n"
        "joystick force-feedback Blue Pad\n"
        "\n"
        "12 key press Enter      # down and up in one frame\n"
        "3 mouse move -4 5\n"
        "3 mouse to 100 -20\n"
        "7 mouse click right\n"
        "7 joystick 1 move 1000 -250\n"
        "9 joystick 0 press 31\n"
        "3 key down 0x1d\n"
        "joystick\n");
    ASSERT_EQ(script.joysticks.size(), 2u);
    EXPECT_EQ(script.joysticks[0].name, "Blue Pad");
    EXPECT_TRUE(script.joysticks[0].forceFeedback);
    EXPECT_FALSE(script.joysticks[1].forceFeedback);

    std::vector<std::tuple<std::uint64_t, Kind, int, int, int>> actions;
    for (const auto& action : script.actions) {
        actions.emplace_back(action.frame, action.kind, action.a, action.b, action.c);
    }
    const std::vector<std::tuple<std::uint64_t, Kind, int, int, int>> expected = {
        {3, Kind::MouseMove, -4, 5, 0},    {3, Kind::MouseTo, 100, -20, 0}, {3, Kind::KeyDown, 0x1D, 0, 0},
        {7, Kind::MouseDown, 1, 0, 0},     {7, Kind::MouseUp, 1, 0, 0},     {7, Kind::JoystickMove, 1, 1000, -250},
        {9, Kind::JoystickDown, 0, 31, 0}, {9, Kind::JoystickUp, 0, 31, 0}, {12, Kind::KeyDown, 28, 0, 0},
        {12, Kind::KeyUp, 28, 0, 0},
    };
    EXPECT_EQ(actions, expected);
}

TEST(InputScript, MistakesAreReportedWithTheirLine) {
    EXPECT_EQ(scriptProblem("1 key down Enter\n2 key down Enterr\n"),
              "line 2: \"Enterr\" is not a key name or a code from 1 to 255");
    EXPECT_EQ(scriptProblem("0 key down A\n"), "line 1: the frame 0 is not between 1 and 9223372036854775807");
    EXPECT_EQ(scriptProblem("x key down A\n"), "line 1: the frame \"x\" is not a whole number");
    EXPECT_EQ(scriptProblem("1 joystick 0 press 1\n"),
              "line 1: there is no joystick 0 (0 declared with a \"joystick\" line)");
    EXPECT_EQ(scriptProblem("joystick\n1 joystick 0 move 1001 0\n"), "line 2: the x 1001 is not between -1000 and 1000");
    EXPECT_EQ(scriptProblem("joystick\n1 joystick 0 press 32\n"), "line 2: the button 32 is not between 0 and 31");
    EXPECT_EQ(scriptProblem("1 mouse click sideways\n"),
              "line 1: a mouse button is left, right, middle, fourth or 0 to 3");
    EXPECT_EQ(scriptProblem("1 mouse move 3\n"), "line 1: the y is missing");
    EXPECT_EQ(scriptProblem("1 key down A B\n"), "line 1: unexpected \"B\" at the end");
    EXPECT_EQ(scriptProblem("1 keyboard down A\n"), "line 1: \"keyboard\" is not key, mouse, joystick, check or end");
}

TEST(InputScript, AMissingFileIsNamedInTheMessage) {
    InputScript script;
    std::string whyNot;
    EXPECT_FALSE(InputScript::load("/nonexistent/brinefall-script.txt", script, whyNot));
    EXPECT_NE(whyNot.find("/nonexistent/brinefall-script.txt"), std::string::npos) << whyNot;
}

TEST(KeyCodes, NamesCodesAndEverydayNamesFindTheSameKeys) {
    using platform::keyCodeByName;
    EXPECT_EQ(keyCodeByName("RETURN"), 0x1C);
    EXPECT_EQ(keyCodeByName("enter"), 0x1C);
    EXPECT_EQ(keyCodeByName("DIK_RETURN"), 0x1C);
    EXPECT_EQ(keyCodeByName("28"), 0x1C);
    EXPECT_EQ(keyCodeByName("0x1C"), 0x1C);
    EXPECT_EQ(keyCodeByName("1"), 0x02);  // the digit key, not code 1
    EXPECT_EQ(keyCodeByName("esc"), 0x01);
    EXPECT_EQ(keyCodeByName("Up"), 0xC8);
    EXPECT_EQ(keyCodeByName("numpad7"), 0x47);
    EXPECT_FALSE(keyCodeByName("256"));
    EXPECT_EQ(keyCodeByName("0"), 0x0B);
    EXPECT_FALSE(keyCodeByName(""));
    EXPECT_EQ(platform::keyNameOf(0x39), "SPACE");
    EXPECT_EQ(platform::keyNameOf(0x00), "");
}

class ScriptedRunTest : public InputFixture {
protected:
    // Runs the script for the given frames on a fresh headless platform and returns what the root was given,
    // each line prefixed with the frame it arrived in.
    Strings run(const std::string& text, std::uint64_t frames) {
        const std::filesystem::path file = settingsRoot / "script.txt";
        std::ofstream(file) << text;
        platform::PlatformOptions options{settingsRoot};
        options.inputScript = file;
        std::string whyNot;
        auto made = platform::createPlatform("headless", options, whyNot);
        EXPECT_NE(made, nullptr) << whyNot;
        platform::install(std::move(made));
        MainLoop::reset();
        tidewell::startEngine();
        Strings stamped;
        class Stamper : public InputRecorder {
        public:
            Stamper(Strings& log, Strings& stamped) : InputRecorder(log), log_(log), stamped_(stamped) {}
            void update() override {
                for (const std::string& line : log_) {
                    stamped_.push_back(std::to_string(MainLoop::framesRun() + 1) + ": " + line);
                }
                log_.clear();
            }

        private:
            Strings& log_;
            Strings& stamped_;
        };
        setRootSprite(new Stamper(log, stamped));
        MainLoop::setFrameLimit(frames);
        MainLoop::run();
        tidewell::stopEngine();
        return stamped;
    }
};

TEST_F(ScriptedRunTest, EventsArriveInTheFramesTheScriptNamesAndTwoRunsAreTheSame) {
    const std::string script =
        "joystick\n"
        "2 key down Space\n"
        "2 mouse to 10 20\n"
        "4 key up Space\n"
        "4 joystick 0 move 1000 0\n"
        "4 mouse click left\n"
        "6 joystick 0 press 1\n"
        "9 key press Escape\n";
    const Strings first = run(script, 10);
    EXPECT_EQ(first, (Strings{"2: key down 57", "2: mouse move 10 20", "4: key up 57", "4: joystick 0 move 1 0",
                              "4: mouse down 0 at 10 20", "4: mouse up 0 at 10 20", "6: joystick 0 down 1",
                              "6: joystick 0 up 1", "9: key down 1", "9: key up 1"}));
    EXPECT_EQ(run(script, 10), first);
}
