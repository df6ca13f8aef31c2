#include <stdexcept>

#include "core/ErrorGeneric.h"
#include "SoundTestSupport.h"

using namespace tidewell;

namespace {

class MusicTest : public SoundFixture {
protected:
    Music* playing(const Samples& track, float gapSeconds = 0.0f, std::uint32_t rate = kRate) {
        Music* music = SoundMusicManager::getMusic(writeSound("track.tws", track, 1, rate).c_str(), gapSeconds, true);
        music->play(true);
        return music;
    }
};

TEST_F(MusicTest, TrackLoopsWithNoSampleLostOrRepeatedAtTheSeam) {
    const Samples track = signal(3 * kRate);
    playing(track);
    EXPECT_EQ(firstDifference(listen(7 * kStepsPerSecond), looped(track, 7 * kRate)), -1);
}

TEST_F(MusicTest, GapOfSilenceIsHeardBeforeEachRepetition) {
    const Samples track = signal(3 * kRate);
    playing(track, 1.0f);
    EXPECT_EQ(firstDifference(listen(9 * kStepsPerSecond), looped(joined(track, silence(kRate)), 9 * kRate)), -1);
}

TEST_F(MusicTest, TrackOfTwoAndAHalfSecondsWrapsInsideAFill) {
    // The third fill holds the last half second and then the first.
    const Samples track = signal(5 * kRate / 2);
    playing(track);
    EXPECT_EQ(firstDifference(listen(6 * kStepsPerSecond), looped(track, 6 * kRate)), -1);
}

TEST_F(MusicTest, TrackShorterThanAHalfWrapsAsOftenAsItNeeds) {
    const Samples track = signal(kRate * 3 / 10);
    playing(track, 0.2f);
    const Samples cycle = joined(track, silence(kRate / 5));
    EXPECT_EQ(firstDifference(listen(5 * kStepsPerSecond), looped(cycle, 5 * kRate)), -1);
}

TEST_F(MusicTest, TrackAtAnotherRateStreamsInItsOwnBytes) {
    // 44100 Hz into the 22050 Hz output: every second sample, with no interpolation left over.
    const Samples track = signal(44100 * 5 / 2);
    playing(track, 0.0f, 44100);
    const Samples heard = listen(6 * kStepsPerSecond);
    Samples expected(heard.size());
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = track[(2 * i) % track.size()];
    EXPECT_EQ(firstDifference(heard, expected), -1);
}

TEST_F(MusicTest, PauseInTheSecondHalfResumesWithTheRightBytes) {
    const Samples track = signal(3 * kRate);
    playing(track);
    const Samples before = listen(30);  // 1.5 seconds: the cursor is in the second half
    SoundMusicManager::onDeactivated();
    const Samples paused = listen(10);
    SoundMusicManager::onActivated();
    const Samples after = listen(70);
    EXPECT_EQ(firstDifference(paused, silence(samplesIn(10, 30))), -1);
    EXPECT_EQ(firstDifference(joined(before, after), looped(track, before.size() + after.size())), -1);
}

TEST_F(MusicTest, StopKeepsThePlaceAndPlayWithRestartStartsOver) {
    const Samples track = signal(3 * kRate);
    Music* music = playing(track);
    const Samples first = listen(25);
    music->stop();
    EXPECT_FALSE(music->isPlaying());
    listen(5);
    music->play(false);
    const Samples continued = listen(25);
    EXPECT_EQ(firstDifference(joined(first, continued), looped(track, first.size() + continued.size())), -1);

    music->play(true);  // while playing
    const Samples restarted = listen(30);
    EXPECT_EQ(firstDifference(restarted, looped(track, restarted.size())), -1);
}

TEST_F(MusicTest, SilencedTrackKeepsStreamingAndIsHeardAgainInStep) {
    const Samples track = signal(3 * kRate);
    Music* music = playing(track);
    const Samples loud = listen(10);
    SoundMusicManager::setMusicVolume(0.0f);
    std::int32_t volume = 0;
    music->getBuffer()->volume(volume);
    EXPECT_EQ(volume, platform::kVolumeSilent);
    const Samples quiet = listen(50);
    EXPECT_EQ(firstDifference(quiet, silence(quiet.size())), -1);
    SoundMusicManager::setMusicVolume(1.0f);
    const Samples again = listen(40);
    EXPECT_EQ(firstDifference(again, looped(track, again.size(), loud.size() + quiet.size())), -1);
}

TEST_F(MusicTest, LostBufferIsRebuiltAtTheNextStepAndTheTrackGoesOnFromWhereItStood) {
    const Samples track = signal(3 * kRate);
    Music* music = playing(track);
    const Samples before = listen(30);
    device().loseBuffers();  // the output went away and came back between two frames
    EXPECT_FALSE(music->isPlaying());
    const Samples heard = listen(30);
    // The step that finds the buffer lost hears nothing; from the next one the track goes on.
    const std::size_t lostStep = samplesIn(1, 30);
    EXPECT_EQ(firstDifference(heard, joined(silence(lostStep), looped(track, heard.size() - lostStep, before.size()))),
              -1);
    EXPECT_TRUE(music->isPlaying());
    EXPECT_EQ(device().bufferCount(), 1u);  // the lost buffer was given back
}

// Headphones pulled out while the cursor has just crossed into the other half: the refill
// meets a lost buffer. Nothing is heard while they are out; plugged in again, the track
// goes on from the sample where it stopped.
TEST_F(MusicTest, OutputLostMidTuneIsSilenceUntilItIsBackThenTheTrackGoesOn) {
    const Samples track = signal(3 * kRate);
    Music* music = playing(track);
    const Samples before = listen(19);
    device().mixFrames(2 * kRate / kStepsPerSecond);  // the output plays on past the half before the next frame
    const Samples crossed = device().takeMixed();
    device().unplug();
    Samples away;
    ASSERT_NO_THROW(away = listen(40));
    EXPECT_EQ(firstDifference(away, silence(away.size())), -1);
    device().plugIn();
    const Samples back = listen(50);
    const Samples heard = joined(joined(before, crossed), back);
    EXPECT_EQ(firstDifference(heard, looped(track, heard.size())), -1);

    music->stop();  // and a stopped track is not brought back by a later loss
    device().loseBuffers();
    listen(3);
    EXPECT_FALSE(music->isPlaying());
}

TEST_F(MusicTest, RefusalsAreReportedWithTheirModuleAndLine) {
    try {
        Music(nullptr, 0.0f, SoundMusicManager::getDevice());
        FAIL() << "a null resource was accepted";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Music(const char * fileName, LPDIRECTSOUND lpDS) failed.\nsoundResource == 0");
    }
    const std::string path = writeSound("music.tws", signal(kRate));
    SoundResource* resource = ResourceManager::getSoundResource(path.c_str());
    try {
        Music(resource, 0.0f, nullptr);
        FAIL() << "a null device was accepted";
    } catch (const ErrorGeneric& error) {
        EXPECT_EQ(error.module, "Music");
        EXPECT_EQ(error.line, 90);
    }
    EXPECT_EQ(ResourceManager::referenceCount(resource), 1u);  // the refused Music kept none
    ResourceManager::releaseSoundResource(resource);

    Music* music = SoundMusicManager::getMusic(path.c_str(), 0.0f, true);
    try {
        music->setVolume(2.0f);  // louder than full is refused by the device
        FAIL() << "a volume above 1 was accepted";
    } catch (const ErrorGeneric& error) {
        EXPECT_EQ(error.line, 212);
    }

    // A format the device cannot play fails at the buffer, and the track is not kept.
    const std::string twelveBit = (directory / "odd.tws").string();
    ASSERT_TRUE(formats::writeFile(twelveBit, formats::tws(1, 22050, 12, 4, {0, 0, 0, 0})));
    try {
        SoundMusicManager::getMusic(twelveBit.c_str(), 0.0f, true);
        FAIL() << "a 12-bit track was accepted";
    } catch (const ErrorGeneric& error) {
        EXPECT_EQ(error.module, "Music");
        EXPECT_EQ(error.line, 309);
    }
    EXPECT_EQ(device().bufferCount(), 1u);
}

}  // namespace
