#include <cmath>
#include <limits>

#include "core/Engine.h"
#include "core/ErrorFile.h"
#include "core/MainLoop.h"
#include "SoundTestSupport.h"
#include "display/Sprite.h"
#include "core/WindowManager.h"

using namespace tidewell;

namespace {

class SoundMusicManagerTest : public SoundFixture {
protected:
    std::int32_t volumeOf(const Sound* sound) {
        std::int32_t volume = 1;
        EXPECT_EQ(sound->getBuffer()->volume(volume), platform::AudioResult::Ok);
        return volume;
    }

    // Starts the manager again on a machine that has no sound card.
    void withoutSoundCard() {
        SoundMusicManager::stop();
        machine->system().failCheck(false, true, false);
        SoundMusicManager::start();
    }
};

TEST_F(SoundMusicManagerTest, OneObjectPerFileWhateverTheCaseCountedByItsHolders) {
    const std::string path = writeSound("shoot.tws", signal(100));
    std::string shouting = path;
    shouting.replace(shouting.size() - 9, 9, "SHOOT.TWS");
    Sound* sound = SoundMusicManager::getSound(path.c_str(), true);
    EXPECT_EQ(SoundMusicManager::getSound(shouting.c_str(), true), sound);
    SoundMusicManager::retainSound(sound);
    EXPECT_EQ(SoundMusicManager::referenceCount(sound), 3u);
    // Each object holds one reference on the shared resource, however often it was asked for.
    Music* music = SoundMusicManager::getMusic(path.c_str(), 0.0f, true);
    EXPECT_EQ(music->getResource(), sound->getResource());
    EXPECT_EQ(ResourceManager::referenceCount(sound->getResource()), 2u);

    SoundMusicManager::releaseSound(sound);
    SoundMusicManager::releaseSound(sound);
    EXPECT_EQ(SoundMusicManager::referenceCount(sound), 1u);
    SoundMusicManager::releaseSound(sound);
    EXPECT_EQ(SoundMusicManager::referenceCount(sound), 0u);
    EXPECT_EQ(ResourceManager::referenceCount(music->getResource()), 1u);
    EXPECT_EQ(device().bufferCount(), 1u);  // the effect's buffer went with it

    SoundMusicManager::stop();  // deletes what is still listed
    EXPECT_EQ(device().bufferCount(), 0u);
    EXPECT_FALSE(device().isOpen());
}

TEST_F(SoundMusicManagerTest, OnlyTwsNamesAreLoadedAndMissingFilesAreReported) {
    EXPECT_EQ(SoundMusicManager::getSound("missing.wav", true), nullptr);
    EXPECT_EQ(SoundMusicManager::getMusic("missing.ogg", 0.0f, true), nullptr);
    try {
        SoundMusicManager::getSound("company.tws", true);
        FAIL() << "a missing file was not reported";
    } catch (const ErrorFile& error) {
        EXPECT_EQ(error.fileName, "company.tws");
    }
}

TEST_F(SoundMusicManagerTest, AskingBeforeStartStartsTheManager) {
    SoundMusicManager::stop();
    Sound* sound = SoundMusicManager::getSound(writeSound("shoot.tws", signal(100)).c_str(), true);
    EXPECT_TRUE(SoundMusicManager::isStarted());
    EXPECT_EQ(SoundMusicManager::referenceCount(sound), 1u);
    SoundMusicManager::stop();
    SoundMusicManager::releaseSound(nullptr);  // nothing to do
}

TEST_F(SoundMusicManagerTest, VolumeIsAnAttenuationInHundredthsOfADecibel) {
    EXPECT_EQ(SoundMusicManager::attenuation(1.0f), 0);
    EXPECT_EQ(SoundMusicManager::attenuation(0.5f), -301);
    EXPECT_EQ(SoundMusicManager::attenuation(0.0f), -10000);
    EXPECT_EQ(SoundMusicManager::attenuation(-1.0f), -10000);
    EXPECT_EQ(SoundMusicManager::attenuation(std::numeric_limits<float>::quiet_NaN()), -10000);
    EXPECT_EQ(SoundMusicManager::attenuation(1e-12f), -10000);
    EXPECT_GT(SoundMusicManager::attenuation(2.0f), 0);
}

TEST_F(SoundMusicManagerTest, GlobalSoundVolumeReachesEveryEffectAtOnce) {
    const Samples shot = signal(kRate);
    Sound* playing = SoundMusicManager::getSound(writeSound("shot.tws", shot).c_str(), true);
    playing->play(true);
    listen(2);
    SoundMusicManager::setSoundVolume(0.0f);
    Sound* later = SoundMusicManager::getSound(writeSound("hit.tws", signal(100)).c_str(), true);
    EXPECT_EQ(volumeOf(playing), -10000);
    EXPECT_EQ(volumeOf(later), -10000);
    EXPECT_EQ(firstDifference(listen(2), silence(samplesIn(2, 2))), -1);

    SoundMusicManager::setSoundVolume(1.0f);
    EXPECT_EQ(volumeOf(playing), 0);
    EXPECT_EQ(volumeOf(later), 0);
    const Samples heard = listen(2);
    EXPECT_EQ(firstDifference(heard, looped(shot, heard.size(), samplesIn(4))), -1);
}

TEST_F(SoundMusicManagerTest, LeavingAndReturningResumesExactlyWhatWasPlaying) {
    const Samples jingle = signal(2 * kRate, 1);
    const Samples click = signal(kRate / 20, 3);
    const Samples track = signal(3 * kRate, 7);
    Sound* longEffect = SoundMusicManager::getSound(writeSound("jingle.tws", jingle).c_str(), true);
    Sound* shortEffect = SoundMusicManager::getSound(writeSound("click.tws", click).c_str(), true);
    Music* music = SoundMusicManager::getMusic(writeSound("title.tws", track).c_str(), 0.0f, true);
    SoundMusicManager::setMusicVolume(0.0f);  // kept out of the sum; its place is checked below
    longEffect->play(true);
    shortEffect->play(true);
    music->play(true);
    const Samples before = listen(4);  // the click is over by now
    SoundMusicManager::onDeactivated();
    EXPECT_FALSE(music->isPlaying());
    EXPECT_EQ(firstDifference(listen(10), silence(samplesIn(10, 4))), -1);
    SoundMusicManager::onActivated();
    EXPECT_TRUE(music->isPlaying());
    EXPECT_FALSE(shortEffect->isPlaying());
    const Samples after = listen(4);
    EXPECT_EQ(firstDifference(after, looped(jingle, after.size(), before.size())), -1);
    std::uint32_t cursor = 0;
    music->getBuffer()->position(cursor);
    EXPECT_EQ(cursor, 2 * samplesIn(8));
}

TEST_F(SoundMusicManagerTest, WithoutASoundCardEverythingIsASilentNoOp) {
    withoutSoundCard();
    EXPECT_FALSE(SoundMusicManager::soundAvailable);
    EXPECT_FALSE(SoundMusicManager::musicAvailable);
    Sound* sound = SoundMusicManager::getSound(writeSound("shot.tws", signal(100)).c_str(), true);
    Music* music = SoundMusicManager::getMusic(writeSound("title.tws", signal(kRate)).c_str(), 0.0f, true);
    ASSERT_NE(sound, nullptr);
    ASSERT_NE(music, nullptr);
    sound->play(true);
    music->play(true);
    EXPECT_FALSE(sound->isPlaying());
    EXPECT_FALSE(music->isPlaying());
    SoundMusicManager::setSoundVolume(0.0f);
    SoundMusicManager::setMusicVolume(0.0f);
    SoundMusicManager::onDeactivated();
    SoundMusicManager::onActivated();
    SoundMusicManager::stopAllMusic();
    SoundMusicManager::resetDevice();
    sound->stop();
    music->stop();
    EXPECT_TRUE(listen(5).empty());
    EXPECT_EQ(device().bufferCount(), 0u);
    EXPECT_FALSE(SoundMusicManager::soundAvailable);  // for good, even after a reset
}

TEST_F(SoundMusicManagerTest, DeviceResetRestartsTheMusicButNoEffect) {
    const Samples track = signal(3 * kRate, 7);
    const Samples jingle = signal(2 * kRate, 1);
    Music* music = SoundMusicManager::getMusic(writeSound("title.tws", track).c_str(), 0.0f, true);
    Sound* sound = SoundMusicManager::getSound(writeSound("jingle.tws", jingle).c_str(), true);
    music->play(true);
    sound->play(true);
    listen(30);
    SoundMusicManager::resetDevice();
    EXPECT_EQ(device().opens(), 2);
    EXPECT_EQ(sound->getBuffer(), nullptr);  // made again when next played
    const Samples heard = listen(30);
    EXPECT_EQ(firstDifference(heard, looped(track, heard.size())), -1);
}

// The manager in the running engine: frames mix, the foreground pauses, and a switch
// of the display mode restarts the music.
class SoundInTheEngineTest : public SoundMusicManagerTest {
protected:
    void SetUp() override {
        SoundMusicManagerTest::SetUp();
        MainLoop::reset();
        startEngine();
        setRootSprite(new Sprite());
    }
    void TearDown() override {
        stopEngine();
        MainLoop::setFrameLimit(std::nullopt);
        WindowManager::setFullScreen(false);
        SoundMusicManagerTest::TearDown();
    }
    Samples runFrames(std::uint64_t frames) {
        MainLoop::setFrameLimit(MainLoop::framesRun() + frames);
        MainLoop::run();
        return device().takeMixed();
    }
};

TEST_F(SoundInTheEngineTest, FramesMixTheMusicAndTheBackgroundPausesIt) {
    const Samples track = signal(3 * kRate);
    Music* music = SoundMusicManager::getMusic(writeSound("title.tws", track).c_str(), 0.0f, true);
    music->play(true);
    MainLoop::setActive(false);
    EXPECT_FALSE(music->isPlaying());
    MainLoop::setActive(true);
    EXPECT_TRUE(music->isPlaying());
    // Frames start at 50, 100, ... ms; the program is away from 1020 to 2020 ms, when no frame mixes.
    machine->window().scheduleEvent(1020, platform::WindowEventKind::FocusLost);
    machine->window().scheduleEvent(2020, platform::WindowEventKind::FocusGained);
    const Samples heard = runFrames(100);
    EXPECT_EQ(heard.size(), samplesIn(100));
    EXPECT_EQ(firstDifference(heard, looped(track, heard.size())), -1);

    WindowManager::setFullScreen(true);
    const Samples afterSwitch = runFrames(10);
    EXPECT_EQ(firstDifference(afterSwitch, looped(track, afterSwitch.size())), -1);
}

}  // namespace
