#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/InputBuffer.h"
#include "platform/InputDevices.h"
#include "platform/KeyCodes.h"
#include "platform/sdl/SdlScanCodes.h"

using namespace tidewell::platform;

TEST(AxisScale, TheDeadZoneReadsAsTheCentreAndTheRestStillReachesTheEnds) {
    const AxisScale scale{-1000, 1000, 1000};
    EXPECT_EQ(scale.apply(0, -1000, 1000), 0);
    EXPECT_EQ(scale.apply(100, -1000, 1000), 0);
    EXPECT_EQ(scale.apply(-100, -1000, 1000), 0);
    EXPECT_EQ(scale.apply(550, -1000, 1000), 500);
    EXPECT_EQ(scale.apply(-550, -1000, 1000), -500);
    EXPECT_EQ(scale.apply(1000, -1000, 1000), 1000);
    EXPECT_EQ(scale.apply(5000, -1000, 1000), 1000);  // beyond the raw range: the end
    // SDL's sticks run from -32768 to 32767: both ends and the centre come out exactly.
    EXPECT_EQ(scale.apply(-32768, -32768, 32767), -1000);
    EXPECT_EQ(scale.apply(32767, -32768, 32767), 1000);
    EXPECT_EQ(scale.apply(0, -32768, 32767), 0);
    EXPECT_EQ(scale.apply(3276, -32768, 32767), 0);
    EXPECT_GT(scale.apply(3300, -32768, 32767), 0);
    // A device keeps its own range, 0 to 65535, until it is told another.
    EXPECT_EQ(AxisScale{}.apply(-32768, -32768, 32767), 0);
    EXPECT_EQ(AxisScale{}.apply(32767, -32768, 32767), 65535);
}

// Every backend's joystick takes its range and dead zone through these, so a refused value
// must leave the scale as it was.
TEST(AxisScale, AnEmptyRangeOrADeadZoneBeyondTheWholeHalfIsRefusedAndChangesNothing) {
    AxisScale scale;
    EXPECT_FALSE(scale.setRange(500, 500));
    EXPECT_FALSE(scale.setRange(600, -600));
    EXPECT_FALSE(scale.setDeadZone(10001));
    EXPECT_EQ(scale.apply(32767, -32768, 32767), 65535) << "the default range is kept";
    ASSERT_TRUE(scale.setRange(-1000, 1000));
    ASSERT_TRUE(scale.setDeadZone(10000));
    EXPECT_EQ(scale.apply(32767, -32768, 32767), 0) << "a dead zone of the whole half reads the centre";
}

TEST(InputBuffer, WhatArrivesWhenItIsFullIsLostAndTheOldestAreReadFirst) {
    InputBuffer buffer;
    EXPECT_FALSE(buffer.push({1, 0x80, 1}));  // no size yet: nothing is kept
    buffer.setCapacity(2);
    EXPECT_TRUE(buffer.push({1, 0x80, 1}));
    EXPECT_TRUE(buffer.push({2, 0x80, 2}));
    EXPECT_FALSE(buffer.push({3, 0x80, 3}));
    InputDatum out[4];
    ASSERT_EQ(buffer.take(out, 1), 1u);
    EXPECT_EQ(out[0].offset, 1u);
    ASSERT_EQ(buffer.take(out, 4), 1u);
    EXPECT_EQ(out[0].offset, 2u);
    EXPECT_TRUE(buffer.empty());
}

TEST(InputBuffer, SmallStepsOfOneAxisJoinTheLastReportUntilAButtonComesBetween) {
    InputBuffer buffer;
    buffer.setCapacity(4);
    constexpr std::uint32_t axes = mouseOffset::button0;
    auto moved = [](std::int32_t delta) { return static_cast<std::uint32_t>(delta); };
    buffer.pushAxis({mouseOffset::x, moved(3), 10}, axes, true);
    buffer.pushAxis({mouseOffset::y, moved(-2), 10}, axes, true);
    buffer.pushAxis({mouseOffset::x, moved(4), 11}, axes, true);  // joins: X adds, both take 11
    buffer.pushAxis({mouseOffset::y, moved(-1), 12}, axes, true);
    ASSERT_EQ(buffer.size(), 2u);
    EXPECT_EQ(static_cast<std::int32_t>(buffer.data()[0].value), 7);
    EXPECT_EQ(static_cast<std::int32_t>(buffer.data()[1].value), -3);
    EXPECT_EQ(buffer.data()[0].sequence, 12u);
    EXPECT_EQ(buffer.data()[1].sequence, 12u);

    buffer.push({mouseOffset::button0, 0x80, 13});
    buffer.pushAxis({mouseOffset::x, moved(1), 14}, axes, true);  // after a button: a report of its own
    ASSERT_EQ(buffer.size(), 4u);
    EXPECT_EQ(buffer.data()[3].sequence, 14u);

    InputBuffer stick;
    stick.setCapacity(2);
    stick.pushAxis({joystickOffset::x, 500, 1}, joystickOffset::button0, false);
    stick.pushAxis({joystickOffset::x, 700, 2}, joystickOffset::button0, false);  // absolute: replaced
    ASSERT_EQ(stick.size(), 1u);
    EXPECT_EQ(stick.data()[0].value, 700u);
}

TEST(ScanCodeTable, EveryKeyTheGameNamesCanBeTypedAndEveryCodeNamesAKey) {
    std::set<int> scancodes;
    std::set<std::uint8_t> reached;
    for (const sdl::ScanCodePair& pair : sdl::scanCodeTable()) {
        EXPECT_TRUE(scancodes.insert(pair.sdlScancode).second) << "scancode " << pair.sdlScancode << " twice";
        EXPECT_FALSE(keyNameOf(pair.code).empty()) << "code " << int(pair.code) << " names no key";
        EXPECT_EQ(sdl::keyCodeForScancode(pair.sdlScancode), pair.code);
        reached.insert(pair.code);
    }
    std::vector<std::string> unreachable;
    for (const KeyName& key : keyNames()) {
        if (reached.count(key.code) == 0) {
            unreachable.emplace_back(key.name);
        }
    }
    // Only the NEC keypad comma and the wake key have no key that SDL reports.
    EXPECT_EQ(unreachable, (std::vector<std::string>{"NUMPADCOMMA", "WAKE"}));
    EXPECT_EQ(sdl::keyCodeForScancode(0), 0);
    EXPECT_EQ(sdl::keyCodeForScancode(-1), 0);
    EXPECT_EQ(sdl::keyCodeForScancode(100000), 0);
}
