#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "GameFixture.h"
#include "SceneSwitcher.h"
#include "backgrounds/Background1.h"
#include "display/Image.h"
#include "display/Shape.h"
#include "frontend/OpeningCaption.h"
#include "frontend/OpeningScene.h"
#include "frontend/TitleScene.h"
#include "graphics/GraphicManager.h"
#include "input/InputManager.h"
#include "sound/Music.h"
#include "sound/SoundMusicManager.h"

namespace brinefall::testing {
namespace {

namespace keys {
constexpr int kEnter = 28;
constexpr int kSpace = 57;
constexpr int kUp = 200;
constexpr int kLeft = 203;
constexpr int kRight = 205;
constexpr int kDown = 208;
}  // namespace keys

// Takes every kind of input, as the scene switcher does, and writes down who reported an end.
class SceneHolder : public tidewell::Sprite {
public:
    SceneHolder() { keyboardEnabled = mouseEnabled = joystickEnabled = true; }
    void notify(tidewell::Sprite* sender, int code) override {
        reports.push_back(sender);
        codes.push_back(code);
    }
    std::vector<tidewell::Sprite*> reports;
    std::vector<int> codes;
};

int alphaOf(const tidewell::Sprite* sprite) { return static_cast<int>(sprite->colour >> 24); }

class OpeningSceneTest : public GameFixture {
protected:
    using Event = AudioEvent;

    int countEvents(Event::Kind kind, const char* file) const {
        int count = 0;
        for (const Event& event : audioEvents()) count += event.kind == kind && event.file == file;
        return count;
    }

    void startOpening() {
        startEngine();
        holder = new SceneHolder;
        opening = new OpeningScene;
        holder->addChild(opening);
        setRoot(holder);
    }

    // Runs the main loop until the opening has just played frame n of its script.
    void runTo(int n) {
        const int frames = n - opening->getFrameNumber();
        ASSERT_GE(frames, 0);
        step(frames);
        ASSERT_EQ(opening->getFrameNumber(), n);
    }

    bool reported() const { return !holder->reports.empty(); }

    SceneHolder* holder = nullptr;
    OpeningScene* opening = nullptr;
};

bool isBlack(std::uint32_t pixel) { return (pixel & 0xFFFFFF) == 0; }

int countNonBlack(const std::vector<std::uint32_t>& frame) {
    int count = 0;
    for (std::uint32_t pixel : frame) count += !isBlack(pixel);
    return count;
}

TEST_F(OpeningSceneTest, WithoutInputItEndsAtFrame1460WithTheGlobeWhereTheTitleShowsIt) {
    startOpening();
    EXPECT_FALSE(tidewell::InputManager::pointerVisible);
    runTo(1459);
    EXPECT_FALSE(reported());
    EXPECT_FLOAT_EQ(opening->getGlobe()->y, 179.5f);

    runTo(1460);
    ASSERT_EQ(holder->reports.size(), 1u);
    EXPECT_EQ(holder->reports[0], opening);
    EXPECT_EQ(holder->codes[0], 0);
    EXPECT_FLOAT_EQ(opening->getGlobe()->x, 400);
    EXPECT_FLOAT_EQ(opening->getGlobe()->y, 180);

    // The music is left running for the title, and a scene that has ended does not report again.
    EXPECT_EQ(countEvents(Event::MusicPlay, OpeningScene::kMusicFile), 1);
    EXPECT_EQ(countEvents(Event::MusicStop, OpeningScene::kMusicFile), 0);
    EXPECT_TRUE(opening->getMusic()->isPlaying());
    step(5);
    EXPECT_EQ(holder->reports.size(), 1u);
}

TEST_F(OpeningSceneTest, ArrowKeysNeverSkipItAnyOtherKeyDoes) {
    startOpening();
    step(3);
    for (int arrow : {keys::kUp, keys::kDown, keys::kLeft, keys::kRight}) {
        keyPress(arrow);
        step(1);
    }
    EXPECT_FALSE(reported());
    keyPress(keys::kEnter);
    step(1);
    ASSERT_EQ(holder->reports.size(), 1u);
    EXPECT_EQ(holder->reports[0], opening);

    // A second key in the same life of the scene asks for nothing more.
    keyPress(keys::kSpace);
    step(1);
    EXPECT_EQ(holder->reports.size(), 1u);
    EXPECT_EQ(countEvents(Event::MusicStop, OpeningScene::kMusicFile), 0);
}

TEST_F(OpeningSceneTest, SpaceSkipsItToo) {
    startOpening();
    step(300);
    keyPress(keys::kSpace);
    step(1);
    EXPECT_EQ(holder->reports.size(), 1u);
}

TEST_F(OpeningSceneTest, AMouseButtonSkipsIt) {
    startOpening();
    step(10);
    mouseClick(1);
    step(1);
    EXPECT_EQ(holder->reports.size(), 1u);
}

TEST_F(OpeningSceneTest, AJoystickButtonSkipsIt) {
    attachJoystick();
    startEngine();
    holder = new SceneHolder;
    opening = new OpeningScene;
    holder->addChild(opening);
    setRoot(holder);
    step(10);
    joystickMove(0, 1000, 0);
    step(1);
    EXPECT_FALSE(reported());
    joystickPress(0, 3);
    step(1);
    EXPECT_EQ(holder->reports.size(), 1u);
}

TEST_F(OpeningSceneTest, TheThreeLinesOfCaptionOneAppearAtFrames20_50And80AndEachRises80Pixels) {
    startOpening();
    runTo(0);
    OpeningCaption* caption = opening->getCaption(1);
    ASSERT_EQ(caption->getLineCount(), 3);
    EXPECT_FLOAT_EQ(caption->x, 200);
    EXPECT_FLOAT_EQ(caption->y, 500);

    std::vector<int> firstSeen(3, -1);
    std::vector<int> lastSeen(3, -1);
    std::vector<float> highest(3, 0);
    for (int n = 1; n <= 200; ++n) {
        runTo(n);
        for (int i = 0; i < 3; ++i) {
            const tidewell::Image* line = caption->getLine(i);
            if (alphaOf(line) == 0) continue;
            if (firstSeen[i] < 0) {
                firstSeen[i] = n;
                EXPECT_FLOAT_EQ(line->y, -1) << "line " << i;
            }
            lastSeen[i] = n;
            highest[i] = line->y;
        }
    }
    EXPECT_EQ(firstSeen, (std::vector<int>{20, 50, 80}));
    // Visible for 79 frames: the 80th frame of a line brings it to nothing at the top of its rise.
    EXPECT_EQ(lastSeen, (std::vector<int>{98, 128, 158}));
    EXPECT_EQ(highest, (std::vector<float>{-79, -79, -79}));
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(caption->getLine(i)->y, -80);
    // Full opacity from the 10th frame of a line until its fade-out.
    runTo(229);
    EXPECT_EQ(alphaOf(opening->getCaption(2)->getLine(0)), 255);
}

TEST_F(OpeningSceneTest, TheBossShotStunsEnemyOneWhichThenTurnsAndFleesFasterAndFaster) {
    startOpening();
    runTo(440);
    tidewell::Image* victim = opening->getEnemy(1);
    EXPECT_FLOAT_EQ(victim->x, 100);
    EXPECT_FLOAT_EQ(victim->y, 200);
    EXPECT_TRUE(victim->getFlipX());
    EXPECT_EQ(alphaOf(opening->getBoss()), 255);

    runTo(539);
    EXPECT_EQ(alphaOf(opening->getBossShot()), 0);
    EXPECT_FLOAT_EQ(victim->x, 199);  // drifting right at 1 pixel a frame
    runTo(540);
    EXPECT_EQ(alphaOf(opening->getBossShot()), 255);
    EXPECT_FLOAT_EQ(opening->getBossShot()->x, 684);
    EXPECT_FLOAT_EQ(opening->getBossShot()->y, 277);

    int hitFrame = -1;
    for (int n = 541; n < 600 && hitFrame < 0; ++n) {
        runTo(n);
        if (victim->getFrame() == 3) hitFrame = n;
    }
    ASSERT_GT(hitFrame, 0) << "the shot never reached enemy 1";
    EXPECT_EQ(alphaOf(opening->getBossShot()), 0);
    const float stunnedX = victim->x;
    runTo(hitFrame + 17);
    EXPECT_EQ(victim->getFrame(), 3u);
    EXPECT_FLOAT_EQ(victim->x, stunnedX);
    EXPECT_TRUE(victim->getFlipX());

    runTo(hitFrame + 18);
    EXPECT_EQ(victim->getFrame(), 0u);
    EXPECT_FALSE(victim->getFlipX());
    EXPECT_FLOAT_EQ(victim->x, stunnedX - 1);
    runTo(hitFrame + 19);
    EXPECT_FLOAT_EQ(victim->x, stunnedX - 3);
    runTo(hitFrame + 20);
    EXPECT_FLOAT_EQ(victim->x, stunnedX - 6);
}

TEST_F(OpeningSceneTest, TheRestOfTheTideRushesLeftAndComesBackFromTheRightWithinTheScreensHeight) {
    startOpening();
    runTo(440);
    bool cameRound = false;
    for (int n = 441; n <= 699; ++n) {
        runTo(n);
        for (int e = 2; e <= 5; ++e) {
            const tidewell::Image* enemy = opening->getEnemy(e);
            EXPECT_GE(enemy->x, -70);
            if (enemy->x == 900) {
                cameRound = true;
                EXPECT_GE(enemy->y, 0);
                EXPECT_LT(enemy->y, 500);
            }
        }
        // The field shakes by at most a pixel either way.
        EXPECT_LE(std::abs(opening->getField()->x), 1);
        EXPECT_LE(std::abs(opening->getField()->y), 1);
    }
    EXPECT_TRUE(cameRound);
    runTo(700);
    EXPECT_FLOAT_EQ(opening->getField()->x, 0);
    EXPECT_FLOAT_EQ(opening->getField()->y, 0);
    EXPECT_FLOAT_EQ(opening->getBoss()->x, 400);
    runTo(710);
    EXPECT_FLOAT_EQ(opening->getBoss()->x, 390);
    EXPECT_FLOAT_EQ(opening->getEnemy(5)->x, 990);
}

// One run through the second half: the shade drawn in every strength, caption 6 read
// above the black screen, and the hero's two flights.
TEST_F(OpeningSceneTest, TheShadeIsDrawnInEveryStrengthCaptionSixShowsAboveItAndTheHeroFliesOff) {
    startOpening();
    tidewell::Shape* shade = opening->getShade();
    // A spot of the still backdrop that no caption, globe or actor crosses before frame 200.
    const std::size_t spot = 560 * 800 + 720;
    runTo(0);
    EXPECT_EQ(alphaOf(shade), 255);
    EXPECT_EQ(countNonBlack(lastFrame()), 0);
    runTo(10);
    EXPECT_EQ(alphaOf(shade), 127);
    const std::uint32_t halfShaded = lastFrame()[spot] & 0xFFFFFF;
    runTo(20);
    EXPECT_EQ(alphaOf(shade), 0);
    EXPECT_LE(channelDistance(halfShaded, blendOver(lastFrame()[spot], 0x000000, 127)), 1)
        << "half way through the fade the backdrop shows at half its brightness";

    // The red alert of the attack: a flickering half shade, through which the fight shows.
    runTo(500);
    const int alert = alphaOf(shade);
    EXPECT_GE(alert, 127);
    EXPECT_LE(alert, 190);
    EXPECT_EQ(shade->colour & 0xFFFFFFu, 0xFF0000u);
    const std::uint32_t tinted = lastFrame()[spot] & 0xFFFFFF;
    EXPECT_GE(static_cast<int>(tinted >> 16), alert - 1) << std::hex << tinted;
    EXPECT_NE(tinted, 0xFF0000u) << "the field is not hidden";

    OpeningCaption* caption = opening->getCaption(6);
    runTo(939);
    EXPECT_EQ(alphaOf(shade), 255);
    EXPECT_EQ(opening->getLastChild(), shade);
    EXPECT_EQ(countNonBlack(lastFrame()), 0) << "the screen is covered before caption 6";
    runTo(940);
    EXPECT_EQ(opening->getLastChild(), caption);
    EXPECT_EQ(shade->getNextSibling(), opening->getCaption(7));
    EXPECT_TRUE(caption->isStarted());
    runTo(980);
    EXPECT_GT(countNonBlack(lastFrame()), 1000) << "caption 6 shows over the black";
    runTo(1020);
    EXPECT_EQ(opening->getLastChild(), shade);
    EXPECT_EQ(caption->getNextSibling(), opening->getCaption(7));
    EXPECT_FLOAT_EQ(opening->getGlobe()->y, -40);

    runTo(1040);
    EXPECT_FLOAT_EQ(opening->getHero()->x, -100);
    EXPECT_FLOAT_EQ(opening->getHero()->y, 450);
    runTo(1240);
    EXPECT_FLOAT_EQ(opening->getHero()->x, 900);
    EXPECT_FLOAT_EQ(opening->getHero()->y, 250);
    runTo(1300);
    EXPECT_FLOAT_EQ(opening->getHero()->x, 900) << "it stays where it stopped";
    EXPECT_FLOAT_EQ(opening->getSmallHero()->x, 600);
    EXPECT_EQ(opening->getSmallHero()->getFrame(), 1u);
    runTo(1340);
    EXPECT_EQ(opening->getSmallHero()->getFrame(), 3u);
    EXPECT_EQ(alphaOf(opening->getSmallHero()), 255);
    runTo(1341);
    EXPECT_EQ(alphaOf(opening->getSmallHero()), 0);
}

TEST_F(OpeningSceneTest, TheTitleScreenCarriesTheOpeningsMusicOnWithoutARestart) {
    startEngine();
    auto* switcher = new SceneSwitcher;
    setRoot(switcher);
    // The logo, then the whole opening; the title follows in the frame after the globe arrives.
    TitleScene* title = nullptr;
    for (int frame = 0; frame < 1700 && !title; ++frame) {
        step(1);
        std::vector<TitleScene*> titles = childrenOfType<TitleScene>(switcher);
        if (!titles.empty()) title = titles.front();
    }
    ASSERT_NE(title, nullptr);
    step(20);
    EXPECT_EQ(countEvents(Event::MusicPlay, OpeningScene::kMusicFile), 1);
    EXPECT_EQ(countEvents(Event::MusicStop, OpeningScene::kMusicFile), 0);
    tidewell::Music* music = tidewell::SoundMusicManager::getMusic(OpeningScene::kMusicFile, 0, false);
    EXPECT_TRUE(music->isPlaying());
    tidewell::SoundMusicManager::releaseMusic(music);
}

}  // namespace
}  // namespace brinefall::testing
