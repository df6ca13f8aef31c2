#include <gtest/gtest.h>

#include <vector>

#include "GameFixture.h"
#include "graphics/GraphicManager.h"
#include "display/Image.h"
#include "frontend/ControlsCard.h"
#include "gameplay/hud/StageTitle.h"

namespace brinefall::testing {
namespace {

class HudStageTitleTest : public GameFixture {
protected:
    void startTitle(bool useJoystick) {
        startEngine();
        title = new StageTitle(useJoystick);
        setRoot(title);
    }

    std::vector<tidewell::Image*> shownImages() const {
        std::vector<tidewell::Image*> shown;
        for (tidewell::Image* image : childrenOfType<tidewell::Image>(title)) {
            if (!image->isRemoved()) shown.push_back(image);
        }
        return shown;
    }

    // Whether the image shows that file: textures are shared by file name.
    static bool shows(const tidewell::Image* image, const char* fileName) {
        tidewell::Texture* texture = tidewell::GraphicManager::getTexture(fileName, false);
        const bool same = image->getTexture() == texture;
        tidewell::GraphicManager::releaseTexture(texture);
        return same;
    }

    static void expectCentredAt(const tidewell::Image* image, float x, float y) {
        EXPECT_FLOAT_EQ(image->x, x);
        EXPECT_FLOAT_EQ(image->y, y);
        EXPECT_FLOAT_EQ((image->getLeft() + image->getRight()) / 2, x);
        EXPECT_FLOAT_EQ((image->getTop() + image->getBottom()) / 2, y);
    }

    StageTitle* title = nullptr;
};

TEST_F(HudStageTitleTest, StageOneShowsItsTitleAndTheKeysFor140Frames) {
    startTitle(false);
    std::vector<tidewell::Image*> images = shownImages();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_TRUE(shows(images[0], "stageText1.twi"));
    expectCentredAt(images[0], 400, 150);
    const std::vector<ControlsCard*> cards = childrenOfType<ControlsCard>(title);
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_FLOAT_EQ(cards[0]->x, 400);
    EXPECT_FLOAT_EQ(cards[0]->y, 350);

    step(140);
    EXPECT_EQ(shownImages().size(), 1u);
    step(1);
    EXPECT_TRUE(shownImages().empty());
    EXPECT_TRUE(childrenOf(title).empty()) << "the images are deleted at the end of the frame";
}

TEST_F(HudStageTitleTest, InJoystickPlayStageOneShowsTheJoystickControls) {
    startTitle(true);
    const std::vector<ControlsCard*> cards = childrenOfType<ControlsCard>(title);
    ASSERT_EQ(cards.size(), 1u);
    bool stick = false;
    for (tidewell::Image* image : childrenOfType<tidewell::Image>(cards[0])) stick = stick || shows(image, "padstick.twi");
    EXPECT_TRUE(stick);
}

TEST_F(HudStageTitleTest, LaterStagesShowTheStageTwoTitleAloneFor60Frames) {
    startTitle(false);
    step(10);
    for (int stage : {2, 3}) {
        title->show(stage);
        std::vector<tidewell::Image*> images = shownImages();
        ASSERT_EQ(images.size(), 1u);
        EXPECT_TRUE(shows(images[0], "stageText2.twi"));
        expectCentredAt(images[0], 400, 300);
        step(60);
        EXPECT_EQ(shownImages().size(), 1u);
        step(1);
        EXPECT_TRUE(shownImages().empty());
    }
    // A new stage 1 after a continue counts its 140 frames again.
    title->show(1);
    step(140);
    EXPECT_EQ(shownImages().size(), 1u);
    EXPECT_EQ(childrenOfType<ControlsCard>(title).size(), 1u);
}

}  // namespace
}  // namespace brinefall::testing
