#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "EnemyTestSupport.h"
#include "backgrounds/Background1.h"
#include "core/Random.h"
#include "gameplay/Stage1Script.h"
#include "gameplay/Stage2Script.h"
#include "gameplay/enemies/Boss1.h"
#include "gameplay/enemies/Boss2.h"
#include "gameplay/enemies/Enemy01.h"
#include "gameplay/enemies/Enemy02.h"
#include "gameplay/enemies/Enemy05.h"
#include "gameplay/enemies/Enemy06.h"
#include "gameplay/enemies/Enemy07.h"
#include "gameplay/enemies/Enemy13.h"
#include "gameplay/enemies/PlainEnemy.h"

namespace brinefall::testing {
namespace {

// Each stage's whole script against the list beside this file, written from the stage's
// design table: every enemy it spawns, in order, with the frame, kind, position, speeds,
// hit points, contact damage, award and shot it comes with. The script runs on its own,
// outside the tree, so what it spawns is seen exactly as it was spawned, nothing moves and
// nothing else draws random numbers; the ship of the scene is invincible and never fires.
class StageSpawnTableTest : public EnemyFixture {
protected:
    // One line of the lists: "step frame kind x y vx vy ax ay hitPoints contactDamage award shot".
    using Row = std::string;

    static std::vector<Row> readList(const std::string& fileName) {
        std::ifstream file(std::string(BRINEFALL_SPAWN_LISTS_DIR) + "/" + fileName);
        EXPECT_TRUE(file.good()) << fileName;
        std::vector<Row> rows;
        std::string line;
        while (std::getline(file, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream words(line);
            std::string word;
            Row row;
            while (words >> word) row += (row.empty() ? "" : " ") + word;
            rows.push_back(row);
        }
        return rows;
    }

    // Numbers as the lists write them: no trailing zeros, two decimals at most.
    static std::string number(float value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
        std::string written = text;
        while (written.back() == '0') written.pop_back();
        if (written.back() == '.') written.pop_back();
        return written == "-0" ? "0" : written;
    }

    static std::string kindOf(const Enemy& enemy) {
        const std::type_info& type = typeid(enemy);
        if (type == typeid(Boss2)) return "Boss2/" + std::to_string(static_cast<const Boss2&>(enemy).half);
        for (const auto& [info, name] :
             std::vector<std::pair<const std::type_info*, const char*>>{{&typeid(Boss1), "Boss1"},
                                                                        {&typeid(Enemy01), "Enemy01"},
                                                                        {&typeid(Enemy02), "Enemy02"},
                                                                        {&typeid(Enemy05), "Enemy05"},
                                                                        {&typeid(Enemy06), "Enemy06"},
                                                                        {&typeid(Enemy07), "Enemy07"},
                                                                        {&typeid(Enemy13), "Enemy13"}}) {
            if (type == *info) return name;
        }
        if (type != typeid(PlainEnemy)) return "unknown";
        // A plain enemy is told by its picture, which the graphics manager shares.
        for (const char* picture : {"enemy11", "enemy14", "enemy18", "enemy22"}) {
            tidewell::Image probe((std::string(picture) + ".twi").c_str(), 2, 2);
            if (probe.getTexture() == enemy.image->getTexture()) return picture;
        }
        return "plain";
    }

    static std::string awardOf(const Enemy& enemy) {
        std::string award;
        for (int kind = 1; kind <= Enemy::kAwardKinds; ++kind) {
            const int amount = enemy.awards[kind - 1];
            if (amount <= 0) continue;
            if (!award.empty()) award += ',';
            award += std::to_string(kind) + ":" + std::to_string(amount);
        }
        return award.empty() ? "-" : award;
    }

    static std::string shotOf(const Enemy& enemy) {
        if (enemy.firstShot < 0) return "-";
        return std::to_string(enemy.firstShot) + "/" + std::to_string(enemy.shotInterval) + "/" +
               number(enemy.bulletSpeed) + "/" + std::to_string(enemy.bulletDamage);
    }

    // The part of a row that a random step decides: "kind x y vx vy ax ay hitPoints contactDamage".
    static std::string body(const std::string& kind, float x, float y, float vx, float vy, float ax, float ay,
                            int hitPoints, int contactDamage) {
        return kind + " " + number(x) + " " + number(y) + " " + number(vx) + " " + number(vy) + " " + number(ax) + " " +
               number(ay) + " " + std::to_string(hitPoints) + " " + std::to_string(contactDamage);
    }

    static Row rowOf(int step, int frame, const Enemy& enemy) {
        return std::to_string(step) + " " + std::to_string(frame) + " " +
               body(kindOf(enemy), enemy.x, enemy.y, enemy.velocity[0], enemy.velocity[1], enemy.acceleration[0],
                    enemy.acceleration[1], enemy.maxHitPoints, enemy.contactDamage) +
               " " + awardOf(enemy) + " " + shotOf(enemy);
    }

    // Plays the whole script, and 300 frames past its boss to show that nothing follows.
    static std::vector<Row> play(WaveScript& script) {
        std::vector<Row> rows;
        std::set<const tidewell::Sprite*> seen;
        const int lastFrame = 300 + [&] {
            int frames = 0;
            for (int i = 0; i < script.getStepCount(); ++i) frames += script.getDelay(i);
            return frames;
        }();
        for (int frame = 1; frame <= lastFrame; ++frame) {
            script.update();
            for (Enemy* enemy : childrenOfType<Enemy>(&script)) {
                if (seen.insert(enemy).second) rows.push_back(rowOf(script.getStep() - 1, frame, *enemy));
            }
        }
        return rows;
    }

    // The list's random rows completed by the draws the design gives, in the generator's order.
    using Draw = std::function<std::string()>;
    static std::vector<Row> withDraws(std::vector<Row> rows, const Draw& draw) {
        const std::string unknown = "random ? ? ? ? ? ? ? ?";
        for (Row& row : rows) {
            const std::size_t at = row.find(unknown);
            if (at != std::string::npos) row.replace(at, unknown.size(), draw());
        }
        return rows;
    }

    static void expectSameLists(const std::vector<Row>& played, const std::vector<Row>& designed) {
        const std::size_t common = std::min(played.size(), designed.size());
        int differences = 0;
        for (std::size_t i = 0; i < common && differences < 10; ++i) {
            if (played[i] != designed[i]) {
                ++differences;
                ADD_FAILURE() << "spawn " << i << "\n  played:   " << played[i] << "\n  designed: " << designed[i];
            }
        }
        EXPECT_EQ(played.size(), designed.size());
        for (std::size_t i = common; i < played.size() && i < common + 5; ++i) ADD_FAILURE() << "extra: " << played[i];
        for (std::size_t i = common; i < designed.size() && i < common + 5; ++i)
            ADD_FAILURE() << "missing: " << designed[i];
    }

    float scrollTarget() const { return dynamic_cast<Background1&>(*scene->getBackground()).getTargetSpeed(); }
};

// The engine's generator as the design defines it: state * 214013 + 2531011, bits 16 to 30.
struct Lcg {
    std::uint32_t state;
    float next() {
        state = state * 214013u + 2531011u;
        return static_cast<float>((state >> 16) & 0x7FFF);
    }
    int kind() { return static_cast<int>(next()) * 4 / 32768; }
};

TEST_F(StageSpawnTableTest, Stage1SpawnsEveryEnemyOfItsTable) {
    startGame();
    Stage1Script script(scene);
    // This seed draws each of the four random kinds.
    constexpr std::uint32_t kSeed = 2024;
    tidewell::Random::seed(kSeed);
    Lcg lcg{kSeed};
    std::set<int> kindsDrawn;
    const Draw draw = [&]() -> std::string {
        const int r = lcg.kind();
        kindsDrawn.insert(r);
        if (r == 0) return body("Enemy01", 850, 400, -4, 0, 0, 0, 300, 200);
        if (r == 1) return body("Enemy06", 850, 300, -3, 0, 0, 0, 700, 200);
        const float y = 50 + lcg.next() * 125 / 8192;
        if (r == 2) return body("enemy11", 850, y, -7, 0, 0, 0, 300, 200);
        return body("enemy18", 850, y, -5, 0, 0, y > 400 ? -0.08f : 0.08f, 500, 200);
    };
    const std::vector<Row> played = play(script);
    expectSameLists(played, withDraws(readList("stage1Spawns.txt"), draw));
    EXPECT_EQ(kindsDrawn.size(), 4u);
    EXPECT_FLOAT_EQ(scrollTarget(), 100) << "the boss step speeds the sea up";
}

TEST_F(StageSpawnTableTest, Stage2SpawnsEveryEnemyOfItsTable) {
    startGame();
    Stage2Script script(scene);
    constexpr std::uint32_t kSeed = 99;
    tidewell::Random::seed(kSeed);
    Lcg lcg{kSeed};
    std::set<int> kindsDrawn;
    const Draw draw = [&]() -> std::string {
        const int r = lcg.kind();
        kindsDrawn.insert(r);
        const float d = lcg.next();
        if (r == 0) return body("Enemy07", 850, 150 + d * 75 / 8192, -7, 0, 0, 0, 800, 300);
        if (r == 1) return body("Enemy13", 50 + d * 175 / 8192, 650, 0, 0, 0, 0, 1500, 300);
        if (r == 2) {
            const float y = 50 + d * 125 / 8192;
            return body("enemy14", 850, y, -5, y > 400 ? -2.5f : 2.5f, 0, 0, 1000, 300);
        }
        return body("enemy22", 850, 150 + d * 25 / 2048, -10, -4, 0, 0.1f, 500, 300);
    };
    const std::vector<Row> played = play(script);
    expectSameLists(played, withDraws(readList("stage2Spawns.txt"), draw));
    EXPECT_EQ(kindsDrawn.size(), 4u);
    EXPECT_FLOAT_EQ(scrollTarget(), 100);
    const std::vector<Boss2*> halves = childrenOfType<Boss2>(&script);
    ASSERT_EQ(halves.size(), 2u);
    EXPECT_EQ(halves[0]->partner, halves[1]);
    EXPECT_EQ(halves[1]->partner, halves[0]);
}

}  // namespace
}  // namespace brinefall::testing
