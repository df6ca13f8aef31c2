#include <gtest/gtest.h>

#include "GameFixture.h"
#include "display/Text.h"
#include "gameplay/hud/PopupText.h"

namespace brinefall {
namespace {

TEST(PopupTextTest, TracksWithFixedNamesShowTheirAmountOrTheirLevelWord) {
    EXPECT_EQ(PopupText::textFor(1, 0, 1500), "1500");
    EXPECT_EQ(PopupText::textFor(2, 0, 500), "Life\n+500");
    EXPECT_EQ(PopupText::textFor(3, 0, 200), "Life\nEXP +200");
    EXPECT_EQ(PopupText::textFor(4, 0, 200), "Speed\nEXP +200");
    EXPECT_EQ(PopupText::textFor(5, 0, 400), "Gun\nEXP +400");
    EXPECT_EQ(PopupText::textFor(11, 0, 2), "Life\nLEVEL UP!");
    EXPECT_EQ(PopupText::textFor(12, 0, 4), "Speed\nLEVEL UP!");
    EXPECT_EQ(PopupText::textFor(13, 0, 5), "Gun\nLEVEL MAX!");
}

TEST(PopupTextTest, SpecialWeaponTextsNameTheWeaponOfTheirSet) {
    EXPECT_EQ(PopupText::textFor(6, 1, 300), "Bomb\nEXP +300");
    EXPECT_EQ(PopupText::textFor(6, 2, 100), "Fire Bomb\nEXP +100");
    EXPECT_EQ(PopupText::textFor(6, 3, 400), "Downward Gun\nEXP +400");
    EXPECT_EQ(PopupText::textFor(7, 1, 1), "Split Guns\nEXP +1");
    EXPECT_EQ(PopupText::textFor(10, 3, 1), "Free Options\nEXP +1");
    EXPECT_EQ(PopupText::textFor(14, 2, 3), "Fire Bomb\nLEVEL UP!");
    EXPECT_EQ(PopupText::textFor(14, 3, 5), "Downward Gun\nLEVEL MAX!");
    EXPECT_EQ(PopupText::textFor(16, 2, 5), "Syuriken\nLEVEL MAX!");
    EXPECT_EQ(PopupText::textFor(18, 1, 1), "Option Tail\nLEVEL UP!");
    EXPECT_EQ(PopupText::textFor(19, 1, 1), "GET\nBomb!");
    EXPECT_EQ(PopupText::textFor(19, 3, 1), "GET\nDownward Gun!");
    EXPECT_EQ(PopupText::textFor(19, 2, 4), "GET\nMissile!");
}

TEST(PopupTextTest, UnknownKindsSetsAndTypesGiveAnEmptyText) {
    EXPECT_EQ(PopupText::textFor(6, 0, 100), "");
    EXPECT_EQ(PopupText::textFor(14, 4, 2), "");
    EXPECT_EQ(PopupText::textFor(19, 1, 0), "");
    EXPECT_EQ(PopupText::textFor(19, 1, 6), "");
    EXPECT_EQ(PopupText::textFor(0, 1, 1), "");
    EXPECT_EQ(PopupText::textFor(20, 1, 1), "");
}

class PopupLifetimeTest : public testing::GameFixture {};

TEST_F(PopupLifetimeTest, APopupRisesThreePixelsAFrameAndGoesAfterTwentyOneFramesWhereverItStarted) {
    startEngine();
    auto* root = new tidewell::Sprite();
    setRoot(root);
    auto* nearTop = new PopupText(3, 0, 200);
    nearTop->setPosition(400, 5);
    root->addChild(nearTop);
    auto* low = new PopupText(1, 0, 50);
    low->setPosition(400, 500);
    root->addChild(low);
    // The block is centred on where the popup was put.
    const tidewell::Text* text = low->getText();
    EXPECT_EQ(text->getLength(), 2u);
    EXPECT_FLOAT_EQ(text->anchorX, text->width / 2);
    EXPECT_FLOAT_EQ(text->anchorY, text->height / 2);
    // Every word of a longer text stands on a line of its own.
    EXPECT_EQ(nearTop->getText()->getLineCount(), 3u);
    step(20);
    EXPECT_FLOAT_EQ(nearTop->getText()->y, -60);
    EXPECT_FALSE(nearTop->isRemoved());
    EXPECT_FALSE(low->isRemoved());
    step();
    EXPECT_EQ(childrenOf(root).size(), 0u);
}

}  // namespace
}  // namespace brinefall
