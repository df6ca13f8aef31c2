#include <gtest/gtest.h>

#include "FrontEndTestSupport.h"
#include "display/Image.h"
#include "frontend/CompanyLogoScene.h"

namespace brinefall::testing {
namespace {

class CompanyLogoSceneTest : public FrontEndTest {
protected:
    void startLogo() {
        startEngine();
        holder = new SceneHolder;
        logo = new CompanyLogoScene;
        holder->addChild(logo);
        setRoot(holder);
    }

    SceneHolder* holder = nullptr;
    CompanyLogoScene* logo = nullptr;
};

TEST_F(CompanyLogoSceneTest, WithoutInputFadesInPlaysTheJingleFadesOutAndEndsAtFrame90) {
    startLogo();
    step(1);
    EXPECT_EQ(alphaOf(logo->getLogo()), 12);
    step(8);
    EXPECT_FALSE(played("company.tws"));
    step(1);
    EXPECT_TRUE(played("company.tws"));
    EXPECT_EQ(alphaOf(logo->getLogo()), 127);
    step(10);  // 20
    EXPECT_EQ(alphaOf(logo->getLogo()), 255);
    step(39);  // 59
    EXPECT_EQ(alphaOf(logo->getLogo()), 255);
    step(1);  // 60
    EXPECT_EQ(alphaOf(logo->getLogo()), 255);
    step(10);  // 70
    EXPECT_EQ(alphaOf(logo->getLogo()), 127);
    step(9);  // 79
    EXPECT_EQ(alphaOf(logo->getLogo()), 12);
    step(1);  // 80
    EXPECT_EQ(alphaOf(logo->getLogo()), 0);
    step(9);  // 89
    EXPECT_TRUE(holder->reports.empty());
    EXPECT_EQ(countEvents(Event::SoundStop, "company.tws"), 0);
    // The last frames are black: the logo has gone and only the backdrop shows.
    const std::vector<std::uint32_t> frame = lastFrame();
    ASSERT_EQ(frame.size(), 800u * 600u);
    EXPECT_EQ(frame[300 * 800 + 300] & 0xFFFFFF, 0u);
    step(1);  // 90
    ASSERT_EQ(holder->reports.size(), 1u);
    EXPECT_EQ(holder->reports[0], logo);
    EXPECT_EQ(countEvents(Event::SoundPlay, "company.tws"), 1);
    EXPECT_EQ(countEvents(Event::SoundStop, "company.tws"), 1);
}

TEST_F(CompanyLogoSceneTest, ArrowKeysNeverSkipButSpaceDoesAndBeforeFrame10TheJingleNeverPlays) {
    startLogo();
    step(2);
    for (int arrow : {keys::kUp, keys::kLeft, keys::kRight, keys::kDown}) {
        keyPress(arrow);
        step(1);
    }
    EXPECT_EQ(logo->getFrameCount(), 6);
    EXPECT_TRUE(holder->reports.empty());
    keyPress(keys::kSpace);
    step(1);
    ASSERT_EQ(holder->reports.size(), 1u) << "the frame that read the key ends the scene";
    step(20);
    EXPECT_FALSE(played("company.tws"));
    EXPECT_EQ(holder->reports.size(), 1u);
}

TEST_F(CompanyLogoSceneTest, SkippingAfterTheJingleStartedStopsIt) {
    startLogo();
    holder->removeReporters = false;
    step(15);
    ASSERT_TRUE(played("company.tws"));
    keyPress(keys::kEnter);
    step(1);
    EXPECT_EQ(holder->reports.size(), 1u);
    EXPECT_EQ(countEvents(Event::SoundStop, "company.tws"), 1);
    EXPECT_EQ(alphaOf(logo->getLogo()), 0);
}

TEST_F(CompanyLogoSceneTest, AMouseButtonOrAJoystickButtonSkipsToo) {
    attachJoystick();
    startLogo();
    step(3);
    mouseClick(1);
    step(1);
    EXPECT_EQ(holder->reports.size(), 1u);

    auto* second = new CompanyLogoScene;
    holder->addChild(second);
    step(3);
    EXPECT_EQ(holder->reports.size(), 1u);
    joystickPress(0, 5);
    step(1);
    ASSERT_EQ(holder->reports.size(), 2u);
    EXPECT_EQ(holder->reports[1], second);
}

}  // namespace
}  // namespace brinefall::testing
