#include <gtest/gtest.h>

#include "EnemyTestSupport.h"
#include "gameplay/enemies/Boss1.h"
#include "gameplay/enemies/Boss2.h"
#include "gameplay/enemies/Enemy13.h"
#include "gameplay/enemies/PlainEnemy.h"
#include "gameplay/hud/WeaponPanel.h"

namespace brinefall::testing {
namespace {

// Whole stages in the real scene, from the first wave to the boss's death; the boss is
// finished off by hand, since aiming is the player's business.
class StagePlayTest : public EnemyFixture {
protected:
    // Thousands of frames: nothing here is about pictures, so none are drawn.
    void startHidden() {
        startGame();
        scene->visible = false;
    }

    std::vector<Enemy*> enemies() const { return childrenOfType<Enemy>(scene->getWaves()); }

    // Steps until the scene's script has placed its boss; returns the frames taken.
    int stepToTheBoss() {
        const int count = scene->getWaves()->getStepCount();
        int frames = 0;
        while (scene->getWaves()->getStep() < count && frames < 10000) {
            step(1);
            ++frames;
        }
        return frames;
    }

    // The boss died between frames: the after-boss music comes with the 60th frame from now.
    void expectTheAfterBossMusicOneSecondLater() {
        clearAudioEvents();
        step(59);
        EXPECT_FALSE(played("bossafter.tws"));
        step(1);
        EXPECT_TRUE(played("bossafter.tws"));
    }
};

TEST_F(StagePlayTest, Stage1PlaysFromItsFirstWaveToItsBossDeath) {
    startHidden();
    step(139);
    EXPECT_TRUE(enemies().empty());
    step(1);
    ASSERT_EQ(enemies().size(), 1u);
    EXPECT_NE(dynamic_cast<PlainEnemy*>(enemies()[0]), nullptr);
    EXPECT_FLOAT_EQ(enemies()[0]->x, 845) << "it makes its first move in the frame it comes";

    EXPECT_EQ(stepToTheBoss(), 3820 - 140);
    Boss1* boss = dynamic_cast<Boss1*>(enemies().back());
    ASSERT_NE(boss, nullptr);
    step(280);
    ASSERT_TRUE(boss->isActive());
    EXPECT_TRUE(played("boss.tws"));
    EXPECT_EQ(scene->getWaves()->getStep(), 82) << "the stage music has faded out";

    boss->takeDamage(boss->hitPoints);
    EXPECT_TRUE(played("bosswin.tws"));
    EXPECT_EQ(scene->getWeaponPanel()->getWeaponSet(), 1);
    expectTheAfterBossMusicOneSecondLater();
}

TEST_F(StagePlayTest, Stage2PlaysFromItsFirstWaveToItsBossDeath) {
    startHidden();
    scene->startStage(2);
    step(60);
    ASSERT_EQ(enemies().size(), 1u);
    EXPECT_FLOAT_EQ(enemies()[0]->y, 52.5f) << "a squid-bot from the top, sinking";
    step(360);
    EXPECT_EQ(childrenOfType<Enemy13>(scene->getWaves()).size(), 5u) << "the first row of urchins, at frame 420";

    EXPECT_EQ(stepToTheBoss(), 4120 - 420);
    std::vector<Boss2*> halves = childrenOfType<Boss2>(scene->getWaves());
    ASSERT_EQ(halves.size(), 2u);
    step(300);
    ASSERT_TRUE(halves[0]->isActive() && halves[1]->isActive());
    halves[1]->takeDamage(halves[1]->hitPoints);
    step(1);
    EXPECT_FALSE(played("bosswin.tws"));
    halves[0]->takeDamage(halves[0]->hitPoints);
    EXPECT_TRUE(played("bosswin.tws"));
    EXPECT_GE(scene->getStageClearCounter(), 0) << "after stage 2 the stage clear begins at once";
    expectTheAfterBossMusicOneSecondLater();
    EXPECT_TRUE(childrenOfType<Boss2>(scene->getWaves()).empty());
}

}  // namespace
}  // namespace brinefall::testing
