#include <gtest/gtest.h>

#include <memory>

#include "EnemyTestSupport.h"
#include "core/ErrorGeneric.h"
#include "core/Random.h"
#include "resources/ResourceManager.h"
#include "gameplay/Stage1Script.h"
#include "gameplay/Stage2Script.h"
#include "gameplay/enemies/Boss1.h"
#include "gameplay/enemies/Boss2.h"
#include "gameplay/enemies/Enemy01.h"
#include "gameplay/enemies/Enemy05.h"
#include "gameplay/enemies/Enemy06.h"
#include "gameplay/enemies/Enemy07.h"
#include "gameplay/enemies/Enemy13.h"
#include "gameplay/enemies/PlainEnemy.h"

namespace brinefall::testing {
namespace {

// The scripts are driven frame by frame outside the tree: their enemies stay where they
// were spawned and nothing else draws random numbers, so every spawn can be checked.
class StageScriptTest : public EnemyFixture {
protected:
    template <typename Script>
    std::unique_ptr<Script> makeScript() {
        startGame();
        return std::make_unique<Script>(scene);
    }

    // Runs frames until the script has run `steps` steps; returns the frames it took.
    static int runSteps(WaveScript& script, int steps) {
        int frames = 0;
        while (script.getStep() < steps) {
            script.update();
            ++frames;
        }
        return frames;
    }

    static std::vector<Enemy*> enemiesOf(const WaveScript& script) { return childrenOfType<Enemy>(&script); }

    // The frame of step `index`, counted from the script's first frame.
    static int frameOf(const WaveScript& script, int index) {
        int frame = 0;
        for (int i = 0; i <= index; ++i) {
            frame += script.getDelay(i);
        }
        return frame;
    }
};

// The generator as the engine defines it, to predict the random steps.
struct Lcg {
    std::uint32_t state;
    int next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

TEST_F(StageScriptTest, Stage1SpawnsAtTheFramesItsDelaysGive) {
    auto script = makeScript<Stage1Script>();
    EXPECT_EQ(script->getStepCount(), 81);
    EXPECT_EQ(frameOf(*script, 80), 3820);

    for (int i = 0; i < 139; ++i) {
        script->update();
    }
    EXPECT_TRUE(enemiesOf(*script).empty());
    script->update();
    ASSERT_EQ(enemiesOf(*script).size(), 1u);
    Enemy* first = enemiesOf(*script)[0];
    EXPECT_NE(dynamic_cast<PlainEnemy*>(first), nullptr);
    EXPECT_FLOAT_EQ(first->x, 850);
    EXPECT_FLOAT_EQ(first->y, 100);
    EXPECT_FLOAT_EQ(first->velocity[0], -5);
    EXPECT_EQ(first->hitPoints, 500);
    EXPECT_EQ(first->contactDamage, 200);
    EXPECT_EQ(first->getHitArea()->hitShape, 2);

    // Step 6 puts two seahorses in the same frame, 140 frames after step 5.
    EXPECT_EQ(runSteps(*script, 6), 180);
    EXPECT_EQ(enemiesOf(*script).size(), 6u);
    script->update();
    ASSERT_EQ(runSteps(*script, 7), 139);
    std::vector<Enemy*> enemies = enemiesOf(*script);
    ASSERT_EQ(enemies.size(), 8u);
    EXPECT_FLOAT_EQ(enemies[6]->y, 200);
    EXPECT_FLOAT_EQ(enemies[7]->y, 400);
    EXPECT_EQ(enemies[7]->maxHitPoints, 300);

    // Step 20: the grouper at (860, 500) carrying life experience.
    runSteps(*script, 21);
    Enemy05* grouper = dynamic_cast<Enemy05*>(enemiesOf(*script).back());
    ASSERT_NE(grouper, nullptr);
    EXPECT_FLOAT_EQ(grouper->x, 860);
    EXPECT_FLOAT_EQ(grouper->y, 500);
    EXPECT_EQ(grouper->awards[1], 200);
    EXPECT_EQ(grouper->firstShot, 40);
    EXPECT_FLOAT_EQ(grouper->lobDeceleration, 0.2f);
    // Step 21: a crab with its own speed.
    runSteps(*script, 22);
    Enemy01* crab = dynamic_cast<Enemy01*>(enemiesOf(*script).back());
    ASSERT_NE(crab, nullptr);
    EXPECT_FLOAT_EQ(crab->velocity[0], -4);
    EXPECT_FLOAT_EQ(crab->y, 400);
}

TEST_F(StageScriptTest, TheFadeStartsTheFrameAfterTheBossStepAndTheAfterBossMusic60FramesAfterItsDeath) {
    auto script = makeScript<Stage1Script>();
    EXPECT_EQ(runSteps(*script, 81), 3820);
    Boss1* boss = dynamic_cast<Boss1*>(enemiesOf(*script).back());
    ASSERT_NE(boss, nullptr);
    EXPECT_FLOAT_EQ(boss->x, 900);
    EXPECT_EQ(script->getFadeCounter(), 0);
    clearAudioEvents();

    script->update();
    EXPECT_EQ(script->getFadeCounter(), 1);
    ASSERT_FALSE(audioEvents().empty());
    EXPECT_EQ(audioEvents().back().kind, AudioEvent::MusicVolume);
    EXPECT_EQ(audioEvents().back().file, "stage1.tws");
    EXPECT_NEAR(audioEvents().back().volume, 0.99f, 1e-4);
    for (int i = 0; i < 99; ++i) {
        script->update();
    }
    EXPECT_NEAR(audioEvents().back().volume, 0.0f, 1e-6);
    EXPECT_EQ(script->getStep(), 81);
    script->update();
    EXPECT_EQ(script->getStep(), 82);

    script->startAfterBossCounter();
    for (int i = 0; i < 59; ++i) {
        script->update();
    }
    EXPECT_FALSE(played("bossafter.tws"));
    script->update();
    EXPECT_TRUE(played("bossafter.tws"));
    EXPECT_EQ(script->getAfterBossCounter(), -1);
    const std::size_t events = audioEvents().size();
    for (int i = 0; i < 100; ++i) {
        script->update();
    }
    EXPECT_EQ(audioEvents().size(), events) << "it plays once";
}

TEST_F(StageScriptTest, Stage1RandomStepsDrawTheKindThenThePositionFromTheGenerator) {
    auto script = makeScript<Stage1Script>();
    runSteps(*script, 60);
    const std::size_t before = enemiesOf(*script).size();
    tidewell::Random::seed(2024);
    Lcg lcg{2024};
    runSteps(*script, 80);
    std::vector<Enemy*> enemies = enemiesOf(*script);
    ASSERT_EQ(enemies.size(), before + 20);
    int kindsSeen[4] = {};
    for (int i = 0; i < 20; ++i) {
        Enemy* enemy = enemies[before + static_cast<std::size_t>(i)];
        const int r = lcg.next() * 4 / 32768;
        ++kindsSeen[r];
        SCOPED_TRACE("step " + std::to_string(60 + i) + ", r " + std::to_string(r));
        EXPECT_FLOAT_EQ(enemy->x, 850);
        EXPECT_EQ(enemy->firstShot, 20);
        EXPECT_EQ(enemy->shotInterval, 100);
        EXPECT_FLOAT_EQ(enemy->bulletSpeed, 8);
        EXPECT_EQ(enemy->bulletDamage, 100);
        if (r == 0) {
            EXPECT_NE(dynamic_cast<Enemy01*>(enemy), nullptr);
            EXPECT_FLOAT_EQ(enemy->y, 400);
        } else if (r == 1) {
            EXPECT_NE(dynamic_cast<Enemy06*>(enemy), nullptr);
            EXPECT_FLOAT_EQ(enemy->y, 300);
        } else {
            const float y = 50 + static_cast<float>(lcg.next()) * 125 / 8192;
            EXPECT_NE(dynamic_cast<PlainEnemy*>(enemy), nullptr);
            EXPECT_FLOAT_EQ(enemy->y, y);
            EXPECT_FLOAT_EQ(enemy->velocity[0], r == 2 ? -7 : -5);
            EXPECT_EQ(enemy->maxHitPoints, r == 2 ? 300 : 500);
            EXPECT_FLOAT_EQ(enemy->acceleration[1], r == 2 ? 0 : (y > 400 ? -0.08f : 0.08f));
        }
    }
    EXPECT_EQ(enemies[before + 4]->awards[1], 200) << "step 64 carries life experience";
    EXPECT_EQ(enemies[before + 19]->awards[0], 500) << "step 79 carries life";
    EXPECT_GT(kindsSeen[0] * kindsSeen[1] * kindsSeen[2] * kindsSeen[3], 0) << "this seed draws every kind";
}

TEST_F(StageScriptTest, Stage2SpawnsItsRowsOfUrchinsInOneFrameAndBothBossHalves) {
    auto script = makeScript<Stage2Script>();
    EXPECT_EQ(script->getStepCount(), 91);
    EXPECT_EQ(runSteps(*script, 10), 280);
    const std::size_t before = enemiesOf(*script).size();
    EXPECT_EQ(runSteps(*script, 11), 140);
    std::vector<Enemy*> enemies = enemiesOf(*script);
    ASSERT_EQ(enemies.size(), before + 5);
    const float xs[5] = {50, 225, 400, 575, 750};
    for (int i = 0; i < 5; ++i) {
        Enemy* urchin = enemies[before + static_cast<std::size_t>(i)];
        EXPECT_NE(dynamic_cast<Enemy13*>(urchin), nullptr);
        EXPECT_FLOAT_EQ(urchin->x, xs[i]);
        EXPECT_FLOAT_EQ(urchin->y, 650);
        EXPECT_EQ(urchin->awards[4], 100);
        EXPECT_EQ(urchin->maxHitPoints, 1500);
    }
    // A diver follows: a ray from the top, swooping.
    runSteps(*script, 12);
    Enemy* diver = enemiesOf(*script).back();
    EXPECT_FLOAT_EQ(diver->y, 100);
    EXPECT_FLOAT_EQ(diver->velocity[1], -4);
    EXPECT_FLOAT_EQ(diver->acceleration[1], 0.1f);

    runSteps(*script, 31);
    const std::size_t beforeSecondRow = enemiesOf(*script).size();
    for (int i = 1; i < script->getDelay(31); ++i) {
        script->update();
    }
    EXPECT_EQ(enemiesOf(*script).size(), beforeSecondRow);
    script->update();
    EXPECT_EQ(script->getStep(), 32);
    ASSERT_EQ(enemiesOf(*script).size(), beforeSecondRow + 5) << "the second row comes in one frame";
    EXPECT_EQ(enemiesOf(*script).back()->awards[4], 200);

    EXPECT_EQ(frameOf(*script, 90), 4120);
    runSteps(*script, 91);
    std::vector<Boss2*> halves = childrenOfType<Boss2>(script.get());
    ASSERT_EQ(halves.size(), 2u);
    EXPECT_EQ(halves[0]->half, 1);
    EXPECT_EQ(halves[1]->half, 2);
    EXPECT_EQ(halves[0]->partner, halves[1]);
    EXPECT_EQ(halves[1]->partner, halves[0]);
    EXPECT_FLOAT_EQ(halves[0]->x, -100);
    EXPECT_FLOAT_EQ(halves[1]->x, 900);
}

TEST_F(StageScriptTest, Stage2RandomStepsFollowTheGenerator) {
    auto script = makeScript<Stage2Script>();
    runSteps(*script, 60);
    const std::size_t before = enemiesOf(*script).size();
    tidewell::Random::seed(99);
    Lcg lcg{99};
    runSteps(*script, 90);
    std::vector<Enemy*> enemies = enemiesOf(*script);
    ASSERT_EQ(enemies.size(), before + 30);
    for (int i = 0; i < 30; ++i) {
        Enemy* enemy = enemies[before + static_cast<std::size_t>(i)];
        const int r = lcg.next() * 4 / 32768;
        const float draw = static_cast<float>(lcg.next());
        SCOPED_TRACE("step " + std::to_string(60 + i) + ", r " + std::to_string(r));
        EXPECT_EQ(enemy->bulletDamage, 150);
        switch (r) {
            case 0:
                EXPECT_NE(dynamic_cast<Enemy07*>(enemy), nullptr);
                EXPECT_FLOAT_EQ(enemy->y, 150 + draw * 75 / 8192);
                EXPECT_FLOAT_EQ(enemy->velocity[0], -7);
                break;
            case 1:
                EXPECT_NE(dynamic_cast<Enemy13*>(enemy), nullptr);
                EXPECT_FLOAT_EQ(enemy->x, 50 + draw * 175 / 8192);
                EXPECT_FLOAT_EQ(enemy->y, 650);
                break;
            case 2:
                EXPECT_EQ(enemy->maxHitPoints, 1000);
                EXPECT_FLOAT_EQ(enemy->y, 50 + draw * 125 / 8192);
                EXPECT_FLOAT_EQ(enemy->velocity[1], enemy->y > 400 ? -2.5f : 2.5f);
                break;
            default:
                EXPECT_EQ(enemy->maxHitPoints, 500);
                EXPECT_FLOAT_EQ(enemy->y, 150 + draw * 25 / 2048);
                EXPECT_FLOAT_EQ(enemy->acceleration[1], 0.1f);
                break;
        }
    }
    EXPECT_EQ(enemies[before + 29]->awards[0], 1000) << "step 89 carries life";
}

// A step that no delay row covers would never come, and the stage would stand still there.
TEST_F(StageScriptTest, ATableWhoseDelaysLeaveAGapIsRefusedWhenTheScriptIsBuilt) {
    struct TableScript : WaveScript {
        TableScript(GameScene* scene, const Table& table) : WaveScript(scene, table) {}
        Enemy* spawnRandom() override { return nullptr; }
        void spawnBoss() override {}
    };
    constexpr WaveScript::DelayRow kWhole[] = {{0, 2, 10}, {3, 3, 20}};
    constexpr WaveScript::DelayRow kGap[] = {{0, 2, 10}, {4, 5, 20}};
    constexpr WaveScript::DelayRow kNoFrames[] = {{0, 2, 10}, {3, 3, 0}};
    startGame();
    EXPECT_EQ(TableScript(scene, {{}, kWhole, {}, {}, {}, {}, nullptr}).getStepCount(), 4);
    try {
        TableScript(scene, {{}, kGap, {}, {}, {}, {}, nullptr});
        ADD_FAILURE() << "a gap at step 3 was taken";
    } catch (const tidewell::ErrorGeneric& error) {
        EXPECT_EQ(error.module, "WaveScript");
        EXPECT_EQ(error.code, 3) << "the first step without a delay";
    }
    EXPECT_THROW(TableScript(scene, {{}, kNoFrames, {}, {}, {}, {}, nullptr}), tidewell::ErrorGeneric);
}

TEST_F(StageScriptTest, AScriptHoldsItsPicturesForItsLifetime) {
    startGame();
    tidewell::ImageResource* boss = tidewell::ResourceManager::getImage("boss2_1.twi");
    const unsigned long held = tidewell::ResourceManager::referenceCount(boss);
    {
        Stage2Script script(scene);
        EXPECT_EQ(tidewell::ResourceManager::referenceCount(boss), held + 1);
        runSteps(script, 11);  // with enemies alive when it goes
    }
    EXPECT_EQ(tidewell::ResourceManager::referenceCount(boss), held);
    tidewell::ResourceManager::releaseImage(boss);
}

}  // namespace
}  // namespace brinefall::testing
