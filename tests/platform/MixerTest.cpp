#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/Mixer.h"

using namespace tidewell::platform;

namespace {

using Samples = std::vector<std::int16_t>;

constexpr WaveFormat kMono22050{1, 22050, 16};

class MixerTest : public ::testing::Test {
protected:
    // A playing buffer holding `samples` in `format` (16-bit samples, interleaved).
    std::unique_ptr<AudioBuffer> buffer(const Samples& samples, WaveFormat format = kMono22050, bool looping = false) {
        AudioResult result = AudioResult::InvalidCall;
        auto made = mixer->createBuffer(format, static_cast<std::uint32_t>(samples.size() * 2), result);
        EXPECT_EQ(result, AudioResult::Ok);
        write(*made, 0, samples);
        EXPECT_EQ(made->play(looping), AudioResult::Ok);
        return made;
    }

    static void write(AudioBuffer& target, std::uint32_t offset, const Samples& samples) {
        LockedRegion region;
        ASSERT_EQ(target.lock(offset, static_cast<std::uint32_t>(samples.size() * 2), region), AudioResult::Ok);
        std::memcpy(region.first, samples.data(), region.firstBytes);
        if (region.secondBytes > 0) {
            std::memcpy(region.second, reinterpret_cast<const std::uint8_t*>(samples.data()) + region.firstBytes,
                        region.secondBytes);
        }
        ASSERT_EQ(target.unlock(region), AudioResult::Ok);
    }

    Samples mix(std::size_t frames) {
        Samples out(frames * mixer->output().channels, 12345);
        mixer->mix(out.data(), frames);
        return out;
    }

    std::shared_ptr<Mixer> mixer = std::make_shared<Mixer>(kMono22050);
};

TEST_F(MixerTest, SameFormatIsCopiedExactlyAndAOneShotStopsBackAtTheStart) {
    auto shot = buffer({100, -200, 300});
    EXPECT_EQ(mix(2), (Samples{100, -200}));
    std::uint32_t position = 0;
    shot->position(position);
    EXPECT_EQ(position, 4u);
    EXPECT_EQ(mix(3), (Samples{300, 0, 0}));
    bool playing = true;
    shot->status(playing);
    EXPECT_FALSE(playing);
    shot->position(position);
    EXPECT_EQ(position, 0u);
}

TEST_F(MixerTest, LoopingBufferGoesRoundWithoutAGap) {
    auto loop = buffer({1, 2, 3}, kMono22050, true);
    EXPECT_EQ(mix(8), (Samples{1, 2, 3, 1, 2, 3, 1, 2}));
    loop->stop();
    EXPECT_EQ(mix(2), (Samples{0, 0}));
    loop->play(true);
    EXPECT_EQ(mix(2), (Samples{3, 1}));  // on from where it stopped
}

TEST_F(MixerTest, RatesAreConvertedByLinearInterpolation) {
    auto slow = buffer({0, 1000, 2000, 3000}, WaveFormat{1, 11025, 16});
    EXPECT_EQ(mix(6), (Samples{0, 500, 1000, 1500, 2000, 2500}));
    slow.reset();
    auto fast = buffer({10, 20, 30, 40, 50, 60}, WaveFormat{1, 44100, 16});
    EXPECT_EQ(mix(4), (Samples{10, 30, 50, 0}));
}

TEST_F(MixerTest, ChannelsAreAveragedOrSpread) {
    auto stereo = buffer({1000, 3000, -500, -1500}, WaveFormat{2, 22050, 16});
    EXPECT_EQ(mix(2), (Samples{2000, -1000}));
    stereo.reset();
    mixer->setOutput(WaveFormat{2, 22050, 16});
    auto mono = buffer({7, -9});
    EXPECT_EQ(mix(2), (Samples{7, 7, -9, -9}));
}

TEST_F(MixerTest, EightBitSamplesAreUnsigned) {
    AudioResult result;
    auto eightBit = mixer->createBuffer(WaveFormat{1, 22050, 8}, 3, result);
    LockedRegion region;
    ASSERT_EQ(eightBit->lock(0, 3, region), AudioResult::Ok);
    EXPECT_EQ(region.first[0], 0x80);  // a new buffer holds silence in its own encoding
    region.first[0] = 0x00;
    region.first[1] = 0x80;
    region.first[2] = 0xFF;
    eightBit->unlock(region);
    eightBit->play(false);
    EXPECT_EQ(mix(3), (Samples{-32768, 0, 32512}));
}

TEST_F(MixerTest, SumIsClippedAndVolumeScalesInDecibels) {
    auto a = buffer({30000, -30000, 1000});
    auto b = buffer({30000, -30000, 1000});
    EXPECT_EQ(mix(1), (Samples{32767}));
    EXPECT_EQ(mix(1), (Samples{-32768}));
    EXPECT_EQ(a->setVolume(-600), AudioResult::Ok);  // -6 dB: about half
    EXPECT_EQ(b->setVolume(kVolumeSilent), AudioResult::Ok);
    EXPECT_EQ(mix(1), (Samples{501}));
    EXPECT_EQ(a->setVolume(1), AudioResult::InvalidCall);
    EXPECT_EQ(a->setVolume(-10001), AudioResult::InvalidCall);
    std::int32_t volume = 0;
    a->volume(volume);
    EXPECT_EQ(volume, -600);
}

TEST_F(MixerTest, SilentBufferStillMovesOn) {
    auto loop = buffer({1, 2, 3, 4, 5}, kMono22050, true);
    loop->setVolume(kVolumeSilent);
    EXPECT_EQ(mix(7), Samples(7, 0));
    loop->setVolume(kVolumeFull);
    EXPECT_EQ(mix(2), (Samples{3, 4}));
    auto once = buffer({1, 2});
    once->setVolume(kVolumeSilent);
    mix(3);
    bool playing = true;
    once->status(playing);
    EXPECT_FALSE(playing);
}

TEST_F(MixerTest, LockHandsOutACopyThatUnlockCommitsAcrossTheWrap) {
    auto loop = buffer({1, 2, 3, 4}, kMono22050, true);
    loop->stop();
    LockedRegion region;
    ASSERT_EQ(loop->lock(6, 4, region), AudioResult::Ok);
    EXPECT_EQ(region.firstBytes, 2u);
    EXPECT_EQ(region.secondBytes, 2u);
    std::int16_t wrappedValues[2] = {40, 10};
    std::memcpy(region.first, &wrappedValues[0], 2);
    std::memcpy(region.second, &wrappedValues[1], 2);
    LockedRegion again;
    EXPECT_EQ(loop->lock(0, 2, again), AudioResult::InvalidCall);  // one lock at a time
    loop->play(true);
    EXPECT_EQ(mix(4), (Samples{1, 2, 3, 4}));  // nothing is heard before the unlock
    EXPECT_EQ(loop->unlock(region), AudioResult::Ok);
    EXPECT_EQ(mix(4), (Samples{10, 2, 3, 40}));
    EXPECT_EQ(loop->unlock(region), AudioResult::InvalidCall);
    EXPECT_EQ(loop->lock(8, 2, again), AudioResult::InvalidCall);
    EXPECT_EQ(loop->lock(0, 10, again), AudioResult::InvalidCall);
    EXPECT_EQ(loop->setPosition(10), AudioResult::InvalidCall);
}

TEST_F(MixerTest, LostBuffersRefuseToPlayUntilMadeAgain) {
    auto old = buffer({5, 6, 7}, kMono22050, true);
    mixer->loseBuffers();
    EXPECT_EQ(mix(2), (Samples{0, 0}));
    LockedRegion region;
    EXPECT_EQ(old->play(true), AudioResult::BufferLost);
    EXPECT_EQ(old->setPosition(0), AudioResult::BufferLost);
    EXPECT_EQ(old->lock(0, 2, region), AudioResult::BufferLost);
    EXPECT_EQ(old->stop(), AudioResult::Ok);
    auto fresh = buffer({8});
    EXPECT_EQ(mix(1), (Samples{8}));
}

TEST_F(MixerTest, FormatsTheMixerCannotPlayAreRefused) {
    AudioResult result = AudioResult::Ok;
    EXPECT_EQ(mixer->createBuffer(WaveFormat{1, 22050, 12}, 4, result), nullptr);
    EXPECT_EQ(result, AudioResult::BadFormat);
    EXPECT_EQ(mixer->createBuffer(WaveFormat{0, 22050, 16}, 4, result), nullptr);
    EXPECT_EQ(mixer->createBuffer(WaveFormat{1, 50, 16}, 4, result), nullptr);
    EXPECT_EQ(mixer->createBuffer(WaveFormat{1, 22050, 16}, 0x10000000, result), nullptr);
    EXPECT_EQ(result, AudioResult::InvalidCall);
    EXPECT_FALSE(Mixer::canOutput(WaveFormat{3, 22050, 16}));
    EXPECT_FALSE(Mixer::canOutput(WaveFormat{1, 22050, 8}));
    EXPECT_TRUE(Mixer::canOutput(WaveFormat{2, 44100, 16}));
}

TEST_F(MixerTest, BufferOutlivingItsMixerOwnerIsStillSafe) {
    auto kept = buffer({1, 2});
    mixer.reset();  // the device that made it is gone; the buffer keeps the mixer alive
    EXPECT_EQ(kept->play(false), AudioResult::Ok);
    kept.reset();
}

TEST_F(MixerTest, MixingOnAnotherThreadWhileBuffersChange) {
    std::atomic<bool> done{false};
    std::thread callback([&] {
        Samples out(512);
        while (!done) mixer->mix(out.data(), out.size());
    });
    for (int round = 0; round < 200; ++round) {
        auto voice = buffer(Samples(2000, static_cast<std::int16_t>(round)), kMono22050, round % 2 == 0);
        write(*voice, 1000, Samples(500, 1));
        voice->setPosition(0);
        voice->setVolume(-round);
    }
    done = true;
    callback.join();
    EXPECT_EQ(mixer->bufferCount(), 0u);
}

}  // namespace
