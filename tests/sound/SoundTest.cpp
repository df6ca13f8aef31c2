#include <stdexcept>

#include "core/ErrorGeneric.h"
#include "SoundTestSupport.h"

using namespace tidewell;

namespace {

class SoundTest : public SoundFixture {
protected:
    Sound* effect(const std::string& name, const Samples& samples) {
        return SoundMusicManager::getSound(writeSound(name, samples).c_str(), true);
    }
};

TEST_F(SoundTest, PlaysOnceAndStopsAtItsEnd) {
    const Samples shot = signal(kRate / 4);
    Sound* sound = effect("shot.tws", shot);
    sound->play(true);
    EXPECT_TRUE(sound->isPlaying());
    const Samples heard = listen(10);
    EXPECT_EQ(firstDifference(heard, joined(shot, silence(heard.size() - shot.size()))), -1);
    EXPECT_FALSE(sound->isPlaying());
}

TEST_F(SoundTest, PlayingAgainStartsTheOneVoiceOverAndOtherEffectsMix) {
    const Samples shot = signal(kRate, 1);
    const Samples hit = signal(kRate, 5);
    Sound* first = effect("shot.tws", shot);
    Sound* second = effect("hit.tws", hit);
    first->play(true);
    const Samples start = listen(4);
    first->play(true);
    second->play(true);
    const Samples overlap = listen(4);
    Samples expected(overlap.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expected[i] = static_cast<std::int16_t>(std::clamp(shot[i] + hit[i], -32768, 32767));
    }
    EXPECT_EQ(firstDifference(start, looped(shot, start.size())), -1);
    EXPECT_EQ(firstDifference(overlap, expected), -1);  // one copy of shot, from its start
}

TEST_F(SoundTest, StopKeepsThePlaceForPlayWithoutRestart) {
    const Samples jingle = signal(2 * kRate);
    Sound* sound = effect("jingle.tws", jingle);
    sound->play(true);
    const Samples first = listen(6);
    sound->stop();
    EXPECT_EQ(firstDifference(listen(3), silence(samplesIn(3, 6))), -1);
    sound->play(false);
    const Samples continued = listen(6);
    EXPECT_EQ(firstDifference(joined(first, continued), looped(jingle, first.size() + continued.size())), -1);
    sound->play(true);
    const Samples restarted = listen(2);
    EXPECT_EQ(firstDifference(restarted, looped(jingle, restarted.size())), -1);
}

TEST_F(SoundTest, LostBufferIsRebuiltFromTheSamplesInTheSameCall) {
    const Samples shot = signal(kRate);
    Sound* sound = effect("shot.tws", shot);
    sound->play(true);
    listen(2);
    device().loseBuffers();
    EXPECT_FALSE(sound->isPlaying());
    sound->play(true);  // refused by the lost buffer, then played from a new one
    const Samples heard = listen(4);
    EXPECT_EQ(firstDifference(heard, looped(shot, heard.size())), -1);
    EXPECT_EQ(device().bufferCount(), 1u);
}

TEST_F(SoundTest, EffectsPlayedWhileTheOutputIsAwayAreSilentAndPlayAgainWhenItIsBack) {
    const Samples shot = signal(kRate / 2);
    Sound* sound = effect("shot.tws", shot);
    sound->play(true);
    listen(2);
    device().unplug();
    ASSERT_NO_THROW(sound->play(true));  // the lost buffer is made again, on an output not heard
    sound->stop();
    EXPECT_EQ(firstDifference(listen(4), silence(samplesIn(4, 2))), -1);
    device().plugIn();
    sound->play(true);
    const Samples heard = listen(12);
    ASSERT_GT(heard.size(), shot.size());
    EXPECT_EQ(firstDifference(heard, joined(shot, silence(heard.size() - shot.size()))), -1);
}

TEST_F(SoundTest, RefusalsAreReportedWithTheirModuleAndLine) {
    try {
        Sound(nullptr, SoundMusicManager::getDevice());
        FAIL() << "a null resource was accepted";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Sound(const char * fileName, LPDIRECTSOUND lpDS) failed.\nsoundResource == 0");
    }
    const std::string path = writeSound("shot.tws", signal(100));
    SoundResource* resource = ResourceManager::getSoundResource(path.c_str());
    try {
        Sound(resource, nullptr);
        FAIL() << "a null device was accepted";
    } catch (const ErrorGeneric& error) {
        EXPECT_EQ(error.module, "Sound");
        EXPECT_EQ(error.line, 68);
    }
    EXPECT_EQ(ResourceManager::referenceCount(resource), 1u);
    ResourceManager::releaseSoundResource(resource);

    const std::string stereoAt5Hz = (directory / "slow.tws").string();
    ASSERT_TRUE(formats::writeFile(stereoAt5Hz, formats::tws(2, 5, {0, 0, 0, 0})));
    try {
        SoundMusicManager::getSound(stereoAt5Hz.c_str(), true);
        FAIL() << "a rate of 5 Hz was accepted";
    } catch (const ErrorGeneric& error) {
        EXPECT_EQ(error.line, 235);
    }
    EXPECT_EQ(device().bufferCount(), 0u);
}

TEST_F(SoundTest, EmptySoundPlaysAsNothing) {
    Sound* sound = effect("empty.tws", {});
    sound->play(true);
    EXPECT_EQ(firstDifference(listen(2), silence(samplesIn(2))), -1);
    EXPECT_FALSE(sound->isPlaying());
}

}  // namespace
