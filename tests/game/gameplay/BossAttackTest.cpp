#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "EnemyTestSupport.h"
#include "core/Random.h"
#include "gameplay/bullets/Boss1Bullet.h"
#include "gameplay/bullets/EnemyBullet.h"
#include "gameplay/enemies/Boss1.h"
#include "gameplay/enemies/Boss2.h"

namespace brinefall::testing {
namespace {

// Whole boss fights, frame by frame, against the bosses' rules worked out here on their own:
// when each boss fires, from where and in which directions, and, for the second boss, every
// step of both halves' walk with the generator seeded. The bosses are updated by hand in a
// holder outside the tree, so nothing but them draws random numbers and their shots stay
// where they were fired; the ship waits off screen at (-100, 300), where each stage begins.
class BossAttackTest : public EnemyFixture {
protected:
    static std::string text(const char* format, float a, float b, float c = 0, float d = 0) {
        char line[96];
        std::snprintf(line, sizeof line, format, static_cast<double>(a), static_cast<double>(b), static_cast<double>(c),
                      static_cast<double>(d));
        return line;
    }

    // "shot frame x y vx vy" for each shot fired since the last call, its speed measured by
    // letting it fly one frame.
    template <typename Shot>
    void collectShots(int frame, std::vector<std::string>& log) {
        const std::vector<Shot*> shots = childrenOfType<Shot>(scene->getBulletLayer());
        for (std::size_t i = shotsSeen_; i < shots.size(); ++i) {
            Shot* shot = shots[i];
            const float x = shot->x;
            const float y = shot->y;
            shot->update();
            log.push_back(std::to_string(frame) + text(" shot %.0f %.0f %.2f %.2f", x, y, shot->x - x, shot->y - y));
        }
        shotsSeen_ = shots.size();
    }

    // The bosses go before the engine stops, as they would with their stage.
    void TearDown() override {
        holder.reset();
        EnemyFixture::TearDown();
    }

    std::unique_ptr<tidewell::Sprite> holder = std::make_unique<tidewell::Sprite>();
    std::size_t shotsSeen_ = 0;
};

// The engine's generator as the design defines it, and its choice among n.
struct Lcg {
    std::uint32_t state;
    int choose(int n) {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF) * n / 32768;
    }
};

TEST_F(BossAttackTest, Boss1FiresItsFanEveryFortyFramesFromItsPatrol) {
    startGame();
    auto* boss = new Boss1(scene);
    holder->addChild(boss);

    // 200 frames of entry from x 900 to 700 and 80 of waiting; then it patrols between y 200
    // and 400 at 2 a frame, starting upwards, and fires on its 20th fighting frame and every
    // 40th after, six shots at speed 10 fanned from 5/9 upwards to 5/9 downwards.
    constexpr int kFightStart = 281;
    std::vector<std::string> designed;
    float y = 300;
    bool up = true;
    for (int frame = kFightStart; frame < kFightStart + 400; ++frame) {
        if (up) {
            y -= 2;
            if (y < 200) y = 200, up = false;
        } else {
            y += 2;
            if (y > 400) y = 400, up = true;
        }
        const int fightFrame = frame - kFightStart + 1;
        if (fightFrame < 20 || (fightFrame - 20) % 40 != 0) continue;
        for (int i = 0; i < 6; ++i) {
            const float vy = (2.0f * static_cast<float>(i) / 9.0f - 5.0f / 9.0f) * 10.0f;
            designed.push_back(std::to_string(frame) + text(" shot %.0f %.0f %.2f %.2f", 700, y, -10, vy));
        }
    }

    std::vector<std::string> played;
    for (int frame = 1; frame < kFightStart + 400; ++frame) {
        boss->update();
        collectShots<Boss1Bullet>(frame, played);
        if (frame == kFightStart - 1) {
            EXPECT_TRUE(boss->isActive());
        }
    }
    EXPECT_EQ(played, designed);
}

TEST_F(BossAttackTest, Boss2WalksItsGridByTheDrawsAndItsSurvivorAimsEveryTwentyFrames) {
    startGame();
    auto* first = new Boss2(scene, 1);
    auto* second = new Boss2(scene, 2);
    holder->addChild(first);
    holder->addChild(second);
    Boss2::pair(first, second);
    constexpr std::uint32_t kSeed = 31;
    tidewell::Random::seed(kSeed);
    Lcg lcg{kSeed};

    // On each point of the 3 x 3 grid the neighbours to draw from, in the order of the values.
    struct Way {
        float dx;
        float dy;
    };
    const Way right{1, 0}, left{-1, 0}, up{0, -1}, down{0, 1};
    const std::vector<Way> choices[3][3] = {
        {{right, down}, {right, left, down}, {left, down}},
        {{right, up, down}, {right, left, up, down}, {left, up, down}},
        {{right, up}, {right, left, up}, {left, up}},
    };
    struct Half {
        float x;
        float y;
        Way way{0, 0};
    };
    // Columns at x 100, 400, 700; rows at y 100, 300, 500.
    auto gridIndex = [](float value, float spacing) {
        const float offset = value - 100;
        return std::fmod(offset, spacing) == 0 && offset >= 0 && offset <= 2 * spacing
                   ? static_cast<int>(offset / spacing)
                   : -1;
    };
    auto walk = [&](Half& half) {
        const int column = gridIndex(half.x, 300);
        const int row = gridIndex(half.y, 200);
        if (column >= 0 && row >= 0) {
            const std::vector<Way>& ways = choices[row][column];
            half.way = ways[static_cast<std::size_t>(lcg.choose(static_cast<int>(ways.size())))];
        }
        half.x += half.way.dx * 10;
        half.y += half.way.dy * 10;
    };

    // The halves come in and wait; the first calls the fight, and the second, updated after
    // it, takes its first step in that same frame.
    int frame = 0;
    while (!first->isActive() && frame < 400) {
        ++frame;
        first->update();
        second->update();
    }
    ASSERT_TRUE(second->isActive());
    Half one{100, 100};
    Half two{700, 500};
    walk(two);
    std::vector<std::string> played;
    std::vector<std::string> designed;
    for (int fight = 0; fight < 600; ++fight) {
        ++frame;
        first->update();
        second->update();
        walk(one);
        walk(two);
        played.push_back(std::to_string(frame) +
                         text(" %.0f %.0f %.0f %.0f", first->x, first->y, second->x, second->y));
        designed.push_back(std::to_string(frame) + text(" %.0f %.0f %.0f %.0f", one.x, one.y, two.x, two.y));
    }
    collectShots<EnemyBullet>(frame, played);
    EXPECT_EQ(played, designed) << "both halves walk silently";

    // The first half falls (its burst draws from the generator, so both start again from a
    // new seed); the second walks on and aims at the ship from its 21st frame, then every 20.
    first->takeDamage(first->hitPoints);
    ASSERT_TRUE(second->lastStanding);
    tidewell::Random::seed(kSeed + 1);
    lcg = Lcg{kSeed + 1};
    played.clear();
    designed.clear();
    const float shipX = -100;
    const float shipY = 300;
    for (int alone = 1; alone <= 200; ++alone) {
        ++frame;
        second->update();
        collectShots<EnemyBullet>(frame, played);
        played.push_back(std::to_string(frame) + text(" %.0f %.0f", second->x, second->y));
        walk(two);
        if (alone >= 21 && (alone - 21) % 20 == 0) {
            const float dx = shipX - two.x;
            const float dy = shipY - two.y;
            const float d = std::sqrt(dx * dx + dy * dy);
            designed.push_back(std::to_string(frame) +
                               text(" shot %.0f %.0f %.2f %.2f", two.x, two.y, dx * 10 / d, dy * 10 / d));
        }
        designed.push_back(std::to_string(frame) + text(" %.0f %.0f", two.x, two.y));
    }
    EXPECT_EQ(played, designed);
}

}  // namespace
}  // namespace brinefall::testing
