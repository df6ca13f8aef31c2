#include <gtest/gtest.h>

#include "gameplay/Experience.h"

namespace brinefall {
namespace {

TEST(ExperienceTableTest, EveryTrackSharesOneLadderOfThresholds) {
    EXPECT_EQ(Experience::nextThreshold(1), 1000);
    EXPECT_EQ(Experience::nextThreshold(2), 3000);
    EXPECT_EQ(Experience::nextThreshold(3), 7000);
    EXPECT_EQ(Experience::nextThreshold(4), 15000);
    EXPECT_EQ(Experience::nextThreshold(5), 0);
}

TEST(ExperienceTableTest, SpecialWeaponsFireAtTheirOwnPaceAndUnknownKindsHaveNone) {
    const int bomb[] = {20, 15, 7, 10, 7};
    const int fireBomb[] = {30, 15, 15, 15, 15};
    const int downward[] = {6, 3, 3, 3, 3};
    for (int level = 1; level <= 5; ++level) {
        EXPECT_EQ(Experience::specialInterval(Experience::kBomb, level), bomb[level - 1]) << level;
        EXPECT_EQ(Experience::specialInterval(Experience::kFireBomb, level), fireBomb[level - 1]) << level;
        EXPECT_EQ(Experience::specialInterval(Experience::kDownwardGun, level), downward[level - 1]) << level;
    }
    EXPECT_EQ(Experience::specialInterval(0, 1), -1);
    EXPECT_EQ(Experience::specialInterval(4, 1), -1);
    EXPECT_EQ(Experience::specialRow(4), nullptr);
}

TEST(ExperienceTableTest, LevelsOutsideTheLadderReadAsItsNearestEnd) {
    EXPECT_EQ(Experience::levelRow(0).lifeMax, 1000);
    EXPECT_EQ(Experience::levelRow(9).lifeMax, 7000);
}

}  // namespace
}  // namespace brinefall
