#include <set>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "display/Image.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/effects/Award.h"
#include "gameplay/hud/LifeBar.h"
#include "gameplay/hud/PopupText.h"

namespace brinefall {
namespace {

class ExperienceTest : public testing::GameFixture {
protected:
    void start(bool fullPower = false) {
        startEngine();
        scene = new GameScene(false, false, fullPower);
        setRoot(scene);
        ship = scene->getShip();
        step();
    }

    // The popups made since the last call.
    std::vector<std::string> newPopups() {
        std::vector<std::string> texts;
        for (PopupText* popup : childrenOfType<PopupText>(scene->getTextLayer())) {
            if (seen_.insert(popup).second) {
                texts.push_back(popup->getString());
            }
        }
        return texts;
    }

    GameScene* scene = nullptr;
    PlayerShip* ship = nullptr;

private:
    std::set<PopupText*> seen_;
};

using Texts = std::vector<std::string>;

TEST_F(ExperienceTest, OneLargeLifeAwardClimbsEveryLevelItPaysForWithOneMaxText) {
    start();
    ship->addLifeExp(15000);
    EXPECT_EQ(ship->getLifeLevel(), 5);
    EXPECT_EQ(ship->getLifeMax(), 7000);
    EXPECT_EQ(ship->getRamDamage(), 35000);
    EXPECT_EQ(newPopups(), Texts{"Life\nLEVEL MAX!"});
    // A level rise raises the maximum but does not refill.
    EXPECT_EQ(ship->getLife(), 1000);
    EXPECT_EQ(scene->getLifeBar()->getMaxShown(), 7000);
    EXPECT_EQ(scene->getLifeBar()->getLifeShown(), 1000);

    // At the top, experience is ignored entirely; life awards still heal.
    ship->addLifeExp(500);
    EXPECT_EQ(ship->getLifeExp(), 15000);
    EXPECT_TRUE(newPopups().empty());
    ship->addLife(2000);
    EXPECT_EQ(ship->getLife(), 3000);
    EXPECT_EQ(newPopups(), Texts{"Life\n+2000"});
}

TEST_F(ExperienceTest, EachTrackTakesItsLevelValuesFromItsTable) {
    start();
    const int steps[] = {1000, 2000, 4000, 8000};
    const float speeds[] = {7, 10, 14, 20};
    const int lifeMaxes[] = {1500, 2500, 4500, 7000};
    const char* words[] = {"UP", "UP", "UP", "MAX"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ship->addSpeedExp(steps[i]);
        ship->addGunExp(steps[i]);
        ship->addLifeExp(steps[i]);
        EXPECT_EQ(ship->getSpeedLevel(), i + 2);
        EXPECT_FLOAT_EQ(ship->getSpeed(), speeds[i]);
        EXPECT_EQ(ship->getGunLevel(), i + 2);
        EXPECT_EQ(ship->getGunInterval(), 3);
        EXPECT_EQ(ship->getLifeMax(), lifeMaxes[i]);
        EXPECT_EQ(ship->getRamDamage(), lifeMaxes[i] * 5);
        const std::string word = words[i];
        EXPECT_EQ(newPopups(),
                  (Texts{"Speed\nLEVEL " + word + "!", "Gun\nLEVEL " + word + "!", "Life\nLEVEL " + word + "!"}));
    }
    EXPECT_EQ(ship->getSpeedNext(), 0);
}

TEST_F(ExperienceTest, ExperienceBelowTheNextThresholdShowsItsAmount) {
    start();
    ship->addGunExp(999);
    EXPECT_EQ(ship->getGunLevel(), 1);
    EXPECT_EQ(ship->getGunInterval(), 6);
    EXPECT_EQ(newPopups(), Texts{"Gun\nEXP +999"});
    ship->addGunExp(1);
    EXPECT_EQ(ship->getGunLevel(), 2);
    EXPECT_EQ(newPopups(), Texts{"Gun\nLEVEL UP!"});
}

TEST_F(ExperienceTest, AwardsOfEachKindFeedTheirTrack) {
    start();
    step(40);
    ship->takeDamage(300);
    const struct {
        int kind;
        const char* text;
    } awards[] = {{1, "Life\n+100"}, {2, "Life\nEXP +100"}, {3, "Speed\nEXP +100"}, {4, "Gun\nEXP +100"}, {6, nullptr}};
    newPopups();
    for (const auto& award : awards) {
        SCOPED_TRACE(award.kind);
        scene->addAward(new Award(award.kind, 100, 0, 0), ship->getShipImage()->x, ship->getShipImage()->y);
        step();
        EXPECT_EQ(newPopups(), award.text ? Texts{award.text} : Texts{});
    }
    EXPECT_EQ(ship->getLife(), 800);
    EXPECT_EQ(ship->getLifeExp(), 100);
    EXPECT_EQ(ship->getSpeedExp(), 100);
    EXPECT_EQ(ship->getGunExp(), 100);
}

TEST_F(ExperienceTest, ALifeLevelRiseKeepsTheCurrentLifeAndRetintsForTheNewMaximum) {
    start();
    ship->takeDamage(400);
    ASSERT_EQ(ship->getShipImage()->colour & 0xFFFFFFu, 0xFFFFFFu);
    ship->addLifeExp(1000);
    EXPECT_EQ(ship->getLife(), 600);
    EXPECT_EQ(ship->getLifeMax(), 1500);
    EXPECT_EQ(scene->getLifeBar()->getMaxShown(), 1500);
    EXPECT_EQ(scene->getLifeBar()->getLifeShown(), 600);
    // 600 is below half of 1500: green and blue at 600 * 255 / 750.
    EXPECT_EQ(ship->getShipImage()->colour & 0xFFFFFFu, 0xFFCCCCu);
}

TEST_F(ExperienceTest, FullPowerStartsLifeSpeedAndGunAtTheTopAndEveryPickedWeaponToo) {
    start(true);
    EXPECT_EQ(ship->getLifeLevel(), 5);
    EXPECT_EQ(ship->getSpeedLevel(), 5);
    EXPECT_EQ(ship->getGunLevel(), 5);
    EXPECT_FLOAT_EQ(ship->getSpeed(), 20);
    EXPECT_EQ(ship->getLifeMax(), 7000);
    ship->pickSpecial(2);
    EXPECT_EQ(ship->getSpecialLevel(), 5);
    EXPECT_EQ(ship->getSpecialInterval(), 15);
    ship->addSpecialExp(300);
    EXPECT_EQ(ship->getSpecialExp(), 0);
}

TEST_F(ExperienceTest, PickingAgainStartsTheWeaponOverButKeepsItsExperience) {
    start();
    ship->pickSpecial(1);
    EXPECT_EQ(ship->getSpecialLevel(), 1);
    EXPECT_EQ(ship->getSpecialInterval(), 20);
    ship->addSpecialExp(3000);
    EXPECT_EQ(ship->getSpecialLevel(), 3);
    EXPECT_EQ(ship->getSpecialInterval(), 7);
    EXPECT_EQ(newPopups(), Texts{"Bomb\nLEVEL UP!"});

    ship->pickSpecial(3);
    EXPECT_EQ(ship->getSpecialKind(), 3);
    EXPECT_EQ(ship->getSpecialLevel(), 1);
    EXPECT_EQ(ship->getSpecialInterval(), 6);
    EXPECT_EQ(ship->getSpecialExp(), 3000);
    ship->addSpecialExp(100);
    EXPECT_EQ(ship->getSpecialLevel(), 3);
    EXPECT_EQ(ship->getSpecialInterval(), 3);
    EXPECT_EQ(newPopups(), Texts{"Downward Gun\nLEVEL UP!"});
    ship->addSpecialExp(100);
    EXPECT_EQ(newPopups(), Texts{"Downward Gun\nEXP +100"});
}

TEST_F(ExperienceTest, TheBombSlowsAtLevelFourWhereItTurnsLarge) {
    start();
    ship->pickSpecial(1);
    const int intervals[] = {20, 15, 7, 10, 7};
    for (int level = 1; level <= 5; ++level) {
        ship->setSpecialLevel(level);
        EXPECT_EQ(ship->getSpecialInterval(), intervals[level - 1]) << level;
    }
}

}  // namespace
}  // namespace brinefall
