#include <gtest/gtest.h>

#include <vector>

#include "core/PicturePacer.h"

using tidewell::PicturePacer;

namespace {

// What a display of each rate gets in a 50 ms tick: its pictures one period apart while
// each is seen at least half a period before the next tick, due at whole milliseconds
// never before their time, and each showing the places of the moment the next replaces it.
struct Row {
    unsigned rate;
    std::vector<unsigned> dueAt;
    std::vector<float> fractions;
};

const Row kRows[] = {
    {0, {0}, {1.0f}},
    {20, {0}, {1.0f}},
    {25, {0}, {1.0f}},
    {30, {0, 34}, {2.0f / 3, 1.0f}},
    {60, {0, 17, 34}, {1.0f / 3, 2.0f / 3, 1.0f}},
    {75, {0, 14, 27, 40}, {20.0f / 75, 40.0f / 75, 60.0f / 75, 1.0f}},
    {144,
     {0, 7, 14, 21, 28, 35, 42},
     {20.0f / 144, 40.0f / 144, 60.0f / 144, 80.0f / 144, 100.0f / 144, 120.0f / 144, 1.0f}},
};

}  // namespace

TEST(PicturePacer, EachDisplayRateGetsThePicturesThatFitATick) {
    for (const Row& row : kRows) {
        PicturePacer pacer;
        pacer.setRate(row.rate);
        ASSERT_EQ(pacer.picturesPerTick(), row.dueAt.size()) << row.rate << " Hz";
        for (unsigned picture = 0; picture < row.dueAt.size(); ++picture) {
            EXPECT_EQ(pacer.dueAt(picture), row.dueAt[picture]) << row.rate << " Hz, picture " << picture;
            EXPECT_FLOAT_EQ(pacer.fractionOf(picture), row.fractions[picture])
                << row.rate << " Hz, picture " << picture;
            EXPECT_FLOAT_EQ(pacer.fractions()[picture], row.fractions[picture])
                << row.rate << " Hz, picture " << picture;
        }
    }
}

// A late loop draws the latest picture due and skips the ones whose time passed unseen;
// nothing comes between ticks before the first tick or after a tick's last picture.
TEST(PicturePacer, ALateLoopSkipsToTheLatestPictureDue) {
    PicturePacer pacer;
    pacer.setRate(60);
    EXPECT_EQ(pacer.takeDuePicture(40), 0u);  // no tick yet
    pacer.startTick();
    EXPECT_EQ(pacer.takeDuePicture(16), 0u);
    EXPECT_EQ(pacer.nextPicture(), 1u);
    EXPECT_EQ(pacer.takeDuePicture(40), 2u);
    EXPECT_EQ(pacer.nextPicture(), 3u);
    EXPECT_EQ(pacer.takeDuePicture(49), 0u);
    pacer.startTick();
    EXPECT_EQ(pacer.takeDuePicture(17), 1u);
    EXPECT_EQ(pacer.takeDuePicture(20), 0u);
    EXPECT_EQ(pacer.takeDuePicture(34), 2u);
}
