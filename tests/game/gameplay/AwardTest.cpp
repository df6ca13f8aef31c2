#include "GameFixture.h"
#include "display/Image.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/WaveScript.h"
#include "gameplay/effects/Award.h"
#include "gameplay/effects/AwardLayer.h"

using namespace tidewell;
using brinefall::Award;
using brinefall::AwardLayer;
using brinefall::GameScene;
using brinefall::PlayerShip;

namespace {

class AwardTest : public brinefall::testing::GameFixture {
protected:
    // A game whose wave script is held still, with the ship flown in and under control.
    void startGame() {
        startEngine();
        scene = new GameScene(false, false, false);
        setRoot(scene);
        scene->getWaves()->updateEnabled = false;
        ship = scene->getShip();
        step(60);
        ASSERT_FLOAT_EQ(ship->getShipImage()->x, 100);
    }

    Award* dropOnShip(int kind, int amount) {
        auto* award = new Award(kind, amount, 0, 0);
        const Image* image = ship->getShipImage();
        scene->addAward(award, image->getAbsoluteX(), image->getAbsoluteY());
        return award;
    }

    std::size_t awardsLeft() const { return childrenOf(scene->getAwardLayer()).size(); }

    GameScene* scene = nullptr;
    PlayerShip* ship = nullptr;
};

}  // namespace

TEST_F(AwardTest, AnAwardFliesStraightShowingItsKindAndStaysWhenItLeavesTheScreen) {
    startEngine();
    auto* layer = new AwardLayer();
    setRoot(layer);
    auto* award = new Award(4, 250, 5, -2);
    award->setPosition(790, 10);
    layer->addChild(award);
    EXPECT_EQ(award->getKind(), 4);
    EXPECT_EQ(award->getAmount(), 250);
    EXPECT_EQ(award->getImage()->getFrame(), 3u);
    EXPECT_EQ(award->getImage()->getColumns(), 3u);
    EXPECT_EQ(award->getImage()->getAnchorX(), award->getImage()->getFrameWidth() / 2);
    step(10);
    EXPECT_FLOAT_EQ(award->x, 840);
    EXPECT_FLOAT_EQ(award->y, -10);
    EXPECT_EQ(childrenOf(layer).size(), 1u);
    EXPECT_FALSE(award->isRemoved());
    // No ship to touch: nothing is found.
    EXPECT_EQ(layer->findAwardTouching(nullptr), nullptr);
}

TEST_F(AwardTest, AnAwardTouchedThisFrameIsNotFoundAgainBeforeTheSweep) {
    startGame();
    Award* first = dropOnShip(6, 1);
    Award* second = dropOnShip(7, 1);
    auto* far = new Award(8, 1, 0, 0);
    scene->addAward(far, 600, 500);
    AwardLayer* layer = scene->getAwardLayer();

    EXPECT_FALSE(far->touches(ship));
    EXPECT_EQ(layer->findAwardTouching(ship), first);
    EXPECT_TRUE(first->isRemoved());
    EXPECT_FALSE(first->touches(ship));
    EXPECT_EQ(layer->findAwardTouching(ship), second);
    EXPECT_EQ(layer->findAwardTouching(ship), nullptr);
    EXPECT_FALSE(far->isRemoved());
    step(1);
    EXPECT_EQ(awardsLeft(), 1u);
}

TEST_F(AwardTest, TwoAwardsOnTheShipInOneFrameAreCollectedInTwoFrames) {
    startGame();
    dropOnShip(2, 100);
    dropOnShip(3, 100);
    clearAudioEvents();
    step(1);
    EXPECT_EQ(awardsLeft(), 1u);
    EXPECT_EQ(ship->getLifeExp(), 100);
    EXPECT_EQ(ship->getSpeedExp(), 0);
    EXPECT_TRUE(played("award.tws"));
    step(1);
    EXPECT_EQ(awardsLeft(), 0u);
    EXPECT_EQ(ship->getSpeedExp(), 100);
    EXPECT_EQ(ship->getLifeExp(), 100);
}
