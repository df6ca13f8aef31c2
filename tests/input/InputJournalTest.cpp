// The journal of a run: what the devices gave the game, written as an input script, plays
// back on a fresh headless machine to the same events and the same polled state, frame by
// frame; the checksum of the game's state tells two runs apart; a check that fails stops
// the loop and says where.

#include <fstream>
#include <sstream>

#include "display/Image.h"
#include "input/InputJournal.h"
#include "InputTestSupport.h"
#include "core/Random.h"
#include "core/StateChecksum.h"
#include "platform/JournalWriter.h"
#include "platform/KeyCodes.h"
#include "platform/headless/HeadlessWindow.h"

using namespace tidewell;
using platform::InputDatum;
using platform::InputScript;
using platform::JournalWriter;
using Strings = std::vector<std::string>;
namespace keys = tidewell::platform::keyCode;

namespace {

// The timed lines of a journal, without the header.
Strings timedLines(const std::string& text) {
    Strings lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line[0] >= '0' && line[0] <= '9') lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(JournalWriter, WritesTheHeaderAndEachFramesDataInTheOrderTheyHappenedOneLinePerReport) {
    std::ostringstream out;
    JournalWriter writer(out);
    JournalWriter::Header header;
    header.seed = 4242;
    header.settings = {{"useJoystick", false, {}}, {"fullScreen", true, {}}, {"padButtons", false, {0x0A, 0x01}}};
    header.joysticks = {{"Blue Pad", true}, {"", false}};
    writer.writeHeader(header);

    writer.beginFrame(7);
    // Read device by device, as the input manager does; the numbers wrap around in between.
    const InputDatum keys[] = {{0x1E, 0x80, 0xFFFFFFFEu}, {0x1E, 0, 2}, {0xF7, 0x80, 3}};
    const InputDatum mouse[] = {{platform::mouseOffset::x, static_cast<std::uint32_t>(-4), 0xFFFFFFFFu},
                                {platform::mouseOffset::y, 9, 0xFFFFFFFFu},
                                {platform::mouseOffset::wheel, 120, 0},
                                {platform::mouseOffset::button0 + 1, 0x80, 1}};
    const InputDatum stick[] = {{platform::joystickOffset::y, static_cast<std::uint32_t>(-333), 4},
                                {platform::joystickOffset::button0 + 31, 0x80, 5},
                                {platform::joystickOffset::x, 7, 6}};
    writer.addData(JournalWriter::Device::Keyboard, -1, keys);
    writer.addData(JournalWriter::Device::Mouse, -1, mouse);
    writer.addData(JournalWriter::Device::Joystick, 1, stick);
    writer.addCursor(-20, 650);
    writer.endFrame();
    writer.beginFrame(8);
    writer.endFrame();  // a frame without input writes nothing
    writer.writeCheck(100, 0x00ab);
    writer.writeEnd(120);

    const std::string text = out.str();
    EXPECT_NE(text.find("\nseed 4242\nsetting useJoystick off\nsetting fullScreen on\nsetting padButtons bytes 0a01\n"
                        "joystick force-feedback Blue Pad\njoystick\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(timedLines(text), (Strings{
                                    "7 key down A",
                                    "7 mouse move -4 9",  // the wheel makes no event and is left out
                                    "7 mouse down right",
                                    "7 key up A",
                                    "7 key down 0xF7",  // a code without a name
                                    "7 joystick 1 at 0 -333",
                                    "7 joystick 1 down 31",
                                    "7 joystick 1 at 7 -333",  // the axis not reported stays where it was
                                    "7 mouse cursor -20 650",  // after the motion
                                    "100 check 00000000000000ab",
                                    "120 end",
                                }));

    // What it wrote is a script the headless backend reads back.
    const InputScript script = parsedScript(text);
    ASSERT_TRUE(script.seed.has_value());
    EXPECT_EQ(*script.seed, 4242u);
    ASSERT_EQ(script.settings.size(), 3u);
    EXPECT_EQ(script.settings[1].name, "fullScreen");
    EXPECT_TRUE(script.settings[1].value);
    EXPECT_EQ(script.settings[2].bytes, (std::vector<std::uint8_t>{0x0A, 0x01}));
    ASSERT_EQ(script.joysticks.size(), 2u);
    ASSERT_EQ(script.checks.size(), 1u);
    EXPECT_EQ(script.checks[0].frame, 100u);
    EXPECT_EQ(script.checks[0].checksum, 0xABu);
    EXPECT_EQ(script.lastFrame, std::optional<std::uint64_t>(120));
    ASSERT_EQ(script.actions.size(), 9u);
    EXPECT_EQ(script.actions[8].kind, InputScript::Action::Kind::MouseCursor);
    EXPECT_EQ(script.actions[7].kind, InputScript::Action::Kind::JoystickAt);
    EXPECT_EQ(script.actions[7].c, -333);
}

TEST(JournalReading, DamagedJournalLinesAreNamedByTheirLine) {
    EXPECT_EQ(scriptProblem("seed 1\nseed 2\n"), "line 2: a second \"seed\" line");
    EXPECT_EQ(scriptProblem("seed -1\n"), "line 1: the seed -1 is not between 0 and 4294967295");
    EXPECT_EQ(scriptProblem("setting useJoystick maybe\n"),
              "line 1: a setting is written \"setting NAME on|off\" or \"setting NAME bytes HEX\"");
    EXPECT_EQ(scriptProblem("setting padButtons bytes 0a0\n"),
              "line 1: a setting's bytes are written as pairs of hexadecimal digits");
    EXPECT_EQ(scriptProblem("5 check\n"), "line 1: the checksum is missing");
    EXPECT_EQ(scriptProblem("5 check 12345678901234567\n"),
              "line 1: the checksum \"12345678901234567\" is not 1 to 16 hexadecimal digits");
    EXPECT_EQ(scriptProblem("5 check 12zz\n"), "line 1: the checksum \"12zz\" is not 1 to 16 hexadecimal digits");
    EXPECT_EQ(scriptProblem("100 check 1\n\n100 check 2\n"), "line 3: a second check for frame 100");
    EXPECT_EQ(scriptProblem("9 end\n10 end\n"), "line 2: a second \"end\" line");
    EXPECT_EQ(scriptProblem("3 joystick 0 at 5 5\n"),
              "line 1: there is no joystick 0 (0 declared with a \"joystick\" line)");
    // A pad plugged in has its number from its own frame on, wherever its line was written.
    EXPECT_EQ(scriptProblem("joystick\n9 joystick plug\n3 joystick 1 unplug\n"),
              "line 3: there is no joystick 1 (1 declared with a \"joystick\" line, 0 plugged in by frame 3)");
    EXPECT_EQ(scriptProblem("joystick\n3 joystick 0 unplug now\n"), "line 2: unexpected \"now\" at the end");
    EXPECT_EQ(scriptProblem("joystick\n3 joystick 0 at 1001 0\n"), "line 2: the x 1001 is not between -1000 and 1000");
    EXPECT_EQ(scriptProblem("3 mouse cursor 4\n"), "line 1: the y is missing");
    EXPECT_EQ(scriptProblem("3 chek 4\n"), "line 1: \"chek\" is not key, mouse, joystick, check or end");
}

TEST(StateChecksum, IsFnv1aOfTheGeneratorAndChangesWithEverySpritesKindPositionFrameAndAlpha) {
    // With no tree it is FNV-1a 64 of the generator's state, least significant byte first.
    Random::seed(0x04030201u);
    std::uint64_t reference = 0xcbf29ce484222325ull;
    for (std::uint8_t byte : {1, 2, 3, 4}) {
        reference = (reference ^ byte) * 0x100000001b3ull;
    }
    EXPECT_EQ(StateChecksum::ofGame(nullptr), reference);
    EXPECT_EQ(StateChecksum::toText(0x1f), "000000000000001f");

    const std::uint32_t colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    Sprite root;
    auto* group = new Sprite();
    auto* picture = new Image(colours, 4, 1, 4, 1);
    root.addChild(group);
    group->addChild(picture);
    root.addChild(new Sprite());
    const std::uint64_t first = StateChecksum::ofGame(&root);
    EXPECT_EQ(StateChecksum::ofGame(&root), first) << "the same state gives the same number";

    std::vector<std::uint64_t> seen{first};
    auto changed = [&](const char* what) {
        const std::uint64_t now = StateChecksum::ofGame(&root);
        for (std::uint64_t before : seen) EXPECT_NE(now, before) << what;
        seen.push_back(now);
    };
    picture->setFrame(2);
    changed("frame");
    picture->setX(0.5f);
    changed("x");
    picture->setY(-1.0f);
    changed("y");
    picture->setAlpha(128);
    changed("alpha");
    Random::next();
    changed("generator");
    group->addChild(new Sprite());
    changed("one more sprite");
    // Two kinds at the same place and in the same state still differ.
    auto* last = new Sprite();
    root.addChild(last);
    const std::uint64_t withPlainSprite = StateChecksum::ofGame(&root);
    last->remove();
    root.purgeRemoved();
    root.addChild(new Image(colours, 4, 1, 4, 1));
    EXPECT_NE(StateChecksum::ofGame(&root), withPlainSprite);
}

class InputJournalTest : public InputFixture {
protected:
    void SetUp() override {
        InputFixture::SetUp();
        setRandomSeed(9);
    }

    void TearDown() override {
        InputJournal::stop();
        setRandomSeed(std::nullopt);
        InputFixture::TearDown();
    }

    // What the game itself does in a frame, the same in every run of it: before the second
    // frame it moves the pointer away from the system cursor, as keys steering a menu do.
    void gameActs() {
        if (MainLoop::framesRun() == 1) InputManager::moveMouse(30, 0);
    }

    // The events delivered in one frame and the polled state after it, as one line.
    std::string frameStory() {
        gameActs();
        MainLoop::runFrame();
        std::ostringstream story;
        for (const std::string& event : delivered()) story << event << "; ";
        story << "pointer " << InputManager::mouseX << ' ' << InputManager::mouseY;
        story << " keys " << int(InputManager::keyStates[0x1E]) << ' ' << int(InputManager::keyStates[keys::space]);
        story << " button " << int(InputManager::mouseButtons[0]);
        if (!InputManager::joystickStates.empty()) {
            const auto& stick = InputManager::joystickStates[0];
            story << " stick " << stick.lX << ' ' << stick.lY << ' ' << int(stick.rgbButtons[3]);
        }
        return story.str();
    }

    // A new machine, as on the computer that plays the journal back.
    void freshMachine() {
        tidewell::stopEngine();
        InputManager::resetPolledState();
        MainLoop::reset();
        auto made = std::make_unique<platform::headless::HeadlessPlatform>(platform::PlatformOptions{settingsRoot});
        machine = made.get();
        platform::install(std::move(made));
        log.clear();
    }

    std::filesystem::path journalPath() const { return settingsRoot / "journal.txt"; }

    // Starts the journal with seed 9 and, in its header, the first joystick open now.
    void startRecording() {
        JournalWriter::Header header;
        header.seed = 9;
        header.joysticks = {{InputManager::joystickName(0), false}};
        std::string whyNot;
        ASSERT_TRUE(InputJournal::startRecording(journalPath(), header, whyNot)) << whyNot;
    }

    // Ends the recording and gives the journal's text.
    std::string recordedJournal() {
        InputJournal::stop();
        std::ifstream file(journalPath());
        return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    }
};

TEST_F(InputJournalTest, AJournalPlaysBackToTheSameEventsAndPolledStateOnAFreshMachine) {
    input().attachJoystick("pad", false);
    startEngine(false);  // in a window: the pointer follows the system cursor
    startRecording();

    Strings recorded;
    input().pressKey(0x1E);
    input().moveMouseTo(500, 200);
    input().pressMouseButton(0);
    recorded.push_back(frameStory());
    // The game moves the pointer itself (gameActs): the system cursor is no longer under it.
    input().releaseKey(0x1E);
    recorded.push_back(frameStory());
    input().moveMouse(5, 5);
    input().pressKey(keys::space);
    input().moveMouse(-2, 0);
    recorded.push_back(frameStory());
    // The desktop moves the cursor by another amount than the mouse reported, off the picture.
    input().moveMouse(1, 0);
    machine->window().setCursor(-20, 50);
    input().releaseMouseButton(0);
    recorded.push_back(frameStory());
    input().moveJoystick(0, 550, -1000);
    input().pressJoystickButton(0, 3);
    input().releaseKey(keys::space);
    recorded.push_back(frameStory());
    // A position that this backend's sticks cannot reach through the dead zone from a raw one.
    input().placeJoystick(0, 7, -1000);
    input().moveJoystick(0, 550, 90);  // only Y reports, and the move carries 0 for X
    recorded.push_back(frameStory());
    input().releaseJoystickButton(0, 3);
    input().pressKey(0x1E);
    input().releaseKey(0x1E);
    recorded.push_back(frameStory());
    while (MainLoop::framesRun() < 100) recorded.push_back(frameStory());
    const std::uint64_t checksumAt100 = StateChecksum::ofGame(getRootSprite());

    const std::string text = recordedJournal();
    const InputScript journal = parsedScript(text);
    ASSERT_EQ(journal.checks.size(), 1u);
    EXPECT_EQ(journal.checks[0].frame, 100u);
    EXPECT_EQ(journal.checks[0].checksum, checksumAt100);
    EXPECT_EQ(journal.lastFrame, std::optional<std::uint64_t>(100));

    freshMachine();
    input().play(journal);
    startEngine(false);
    InputJournal::startVerifying(journal.checks);
    Strings replayed;
    while (MainLoop::framesRun() < 100) replayed.push_back(frameStory());
    EXPECT_EQ(replayed, recorded) << text;
    EXPECT_FALSE(InputJournal::wentOutOfStep());
    EXPECT_FALSE(MainLoop::isQuitRequested());
}

TEST_F(InputJournalTest, PadsPluggedInAndPulledOutDuringTheRunAreJournalledAndPlayBack) {
    input().attachJoystick("first", false);
    startEngine(true);
    startRecording();

    Strings recorded;
    input().pressJoystickButton(0, 3);
    recorded.push_back(frameStory());
    input().attachJoystick("second pad", true);
    recorded.push_back(frameStory());
    input().pressJoystickButton(1, 5);
    input().moveJoystick(1, -1000, 0);
    recorded.push_back(frameStory());
    input().detachJoystick(0);  // the second pad becomes the game's joystick 0
    input().pressKey(0x1E);
    recorded.push_back(frameStory());
    input().pressJoystickButton(1, 3);
    recorded.push_back(frameStory());

    const std::string text = recordedJournal();
    // The journal numbers pads in the order they were plugged in, as the headless backend does.
    EXPECT_EQ(timedLines(text), (Strings{
                                    "1 joystick 0 down 3",
                                    "2 joystick plug force-feedback second pad",
                                    "3 joystick 1 down 5",
                                    "3 joystick 1 at -1000 0",
                                    "4 joystick 0 unplug",
                                    "4 key down A",
                                    "5 joystick 1 down 3",
                                    "5 end",
                                }));

    freshMachine();
    input().play(parsedScript(text));
    startEngine(true);
    Strings replayed;
    while (MainLoop::framesRun() < 5) replayed.push_back(frameStory());
    EXPECT_EQ(replayed, recorded) << text;
    ASSERT_EQ(InputManager::joystickCount, 1u);
    EXPECT_EQ(InputManager::joystickName(0), "second pad");
    EXPECT_EQ(InputManager::joystickForceFeedback, (std::vector<std::uint8_t>{1}));
}

TEST_F(InputJournalTest, TheFirstCheckThatFailsStopsTheLoopAndSaysWhereAndWhat) {
    startEngine(false);
    const std::uint64_t state = StateChecksum::ofGame(getRootSprite());
    InputJournal::startVerifying({{1, state, 3}, {2, state ^ 1, 5}, {3, 0, 7}});
    MainLoop::runFrame();
    EXPECT_FALSE(InputJournal::wentOutOfStep());
    EXPECT_FALSE(MainLoop::isQuitRequested());
    MainLoop::runFrame();
    ASSERT_TRUE(InputJournal::wentOutOfStep());
    EXPECT_TRUE(MainLoop::isQuitRequested());
    EXPECT_EQ(InputJournal::firstMismatch().frame, 2u);
    EXPECT_EQ(InputJournal::firstMismatch().expected, state ^ 1);
    EXPECT_EQ(InputJournal::firstMismatch().found, state);
    MainLoop::runFrame();  // the first mismatch is the one kept
    EXPECT_EQ(InputJournal::firstMismatch().frame, 2u);
}

TEST_F(InputJournalTest, ARecordingThatCannotBeWrittenSaysWhy) {
    std::string whyNot;
    EXPECT_FALSE(InputJournal::startRecording(settingsRoot / "no-such-folder" / "j.txt", {}, whyNot));
    EXPECT_NE(whyNot.find("cannot write the journal"), std::string::npos) << whyNot;
    EXPECT_FALSE(InputJournal::isRecording());
}
