#include "core/Random.h"

#include <gtest/gtest.h>

using namespace tidewell;

TEST(Random, FollowsTheLinearCongruentialSequence) {
    Random::seed(1);
    // state 1 -> 2745024 -> bits 16..30 = 41; the next states by hand give 18467 and 6334.
    EXPECT_EQ(Random::next(), 41);
    EXPECT_EQ(Random::next(), 18467);
    EXPECT_EQ(Random::next(), 6334);
}

TEST(Random, SameSeedSameSequenceAndResultsStayInRange) {
    Random::seed(12345);
    std::vector<int> first;
    for (int i = 0; i < 1000; ++i) {
        first.push_back(Random::next());
        EXPECT_GE(first.back(), 0);
        EXPECT_LE(first.back(), Random::kMax);
    }
    Random::seed(12345);
    for (int i = 0; i < 1000; ++i) {
        EXPECT_EQ(Random::next(), first[i]);
    }
}

TEST(Random, ChoiceScalesIntoRange) {
    Random::seed(7);
    int seen[3] = {0, 0, 0};
    for (int i = 0; i < 3000; ++i) {
        const int choice = Random::choose(3);
        ASSERT_GE(choice, 0);
        ASSERT_LT(choice, 3);
        ++seen[choice];
    }
    EXPECT_GT(seen[0], 800);
    EXPECT_GT(seen[1], 800);
    EXPECT_GT(seen[2], 800);

    Random::seed(1);
    EXPECT_EQ(Random::choose(100), 41 * 100 / 32768);
}

TEST(Random, SeededMarkIsClearedAtShutDown) {
    Random::seed(3);
    EXPECT_TRUE(Random::isSeeded());
    Random::clearSeeded();
    EXPECT_FALSE(Random::isSeeded());
}
