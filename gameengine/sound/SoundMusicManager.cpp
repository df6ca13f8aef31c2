#include "sound/SoundMusicManager.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "core/ErrorDirectX.h"
#include "core/ErrorGeneric.h"
#include "core/ErrorNoMemory.h"
#include "core/NewOrNoMemory.h"
#include "sound/Music.h"
#include "resources/Registry.h"
#include "resources/ResourceManager.h"
#include "sound/Sound.h"
#include "resources/SoundResource.h"
#include "platform/Platform.h"

namespace tidewell::SoundMusicManager {

bool soundAvailable = true;
bool musicAvailable = true;
float soundVolume = 1.0f;
float musicVolume = 1.0f;

namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\SoundMusicManager";
constexpr int kLineSoundList = 257;
constexpr int kLineMusicList = 355;
constexpr int kLinePrimaryFormat = 543;

platform::AudioDevice* directSound = nullptr;
bool primaryOpen = false;  // the output runs at the primary format
std::unique_ptr<Registry<Sound>> soundList;
std::unique_ptr<Registry<Music>> musicList;
bool started = false;

// Opening the output at the primary format stands for the device's initialisation: a
// machine without a sound card (or whose sound server is away) runs silent, effects and
// music alike, and nothing reports an error.
void openPrimaryOutput() {
    if (!soundAvailable || primaryOpen) return;
    const platform::WaveFormat primary{primaryChannels, primaryRate, primaryBits};
    const platform::AudioResult result = directSound->open(primary);
    if (result == platform::AudioResult::NoDevice) {
        soundAvailable = false;
        musicAvailable = false;
        return;
    }
    if (result != platform::AudioResult::Ok) {
        throw ErrorGeneric(kModulePath, kLinePrimaryFormat, platform::resultCode(result));
    }
    primaryOpen = true;
}

void createDevice() {
    if (directSound) return;
    if (!platform::isInstalled()) throw ErrorDirectX();
    directSound = &platform::current().audio();
    openPrimaryOutput();
}

void releaseDevice() {
    // A platform that went away took its device with it; only ours is closed.
    if (directSound && primaryOpen && platform::isInstalled() && &platform::current().audio() == directSound) {
        directSound->close();
    }
    primaryOpen = false;
    directSound = nullptr;
}

// The listed object on `resource`, with one more holder, or a new one listed with one.
// A new one gets its buffer at once when asked to; if that fails it is not kept.
template <typename T, typename Make>
T* shareOn(Registry<T>& list, SoundResource* resource, bool preload, Make make) {
    const ReferenceLoan<SoundResource> loan(resource, ResourceManager::releaseSoundResource);
    bool made = false;
    T* object = list.retain([resource](const T& listed) { return listed.getResource() == resource; },
                            [&] {
                                made = true;
                                return make();
                            });
    if (made && preload) {
        try {
            object->createBuffer();
        } catch (...) {
            list.release(object);
            throw;
        }
    }
    return object;
}

template <typename T>
Registry<T>& startedList(std::unique_ptr<Registry<T>>& list, int line) {
    return startedRegistry(list, start, kModulePath, line);
}

}  // namespace

void start() {
    createDevice();
    if (!soundList) soundList = newRegistry<Sound>();
    if (!musicList) musicList = newRegistry<Music>();
    started = true;
}

void stop() {
    // Effects first, then music, each whatever its count.
    if (soundList) soundList->clear();
    if (musicList) musicList->clear();
    soundList.reset();
    musicList.reset();
    releaseDevice();
    started = false;
}

bool isStarted() { return started; }

Sound* getSound(const char* fileName, bool preload) {
    Registry<Sound>& list = startedList(soundList, kLineSoundList);
    SoundResource* resource = ResourceManager::getSoundResource(fileName);
    if (!resource) return nullptr;
    return shareOn(list, resource, preload, [resource] { return newOrNoMemory<Sound>(resource, directSound); });
}

void retainSound(Sound* sound) { retainListed(soundList, sound); }

void releaseSound(Sound* sound) { releaseListed(soundList, sound, Unlisted::Deleted); }

Music* getMusic(const char* fileName, float gapSeconds, bool preload) {
    Registry<Music>& list = startedList(musicList, kLineMusicList);
    SoundResource* resource = ResourceManager::getSoundResource(fileName);
    if (!resource) return nullptr;
    return shareOn(list, resource, preload,
                   [resource, gapSeconds] { return newOrNoMemory<Music>(resource, gapSeconds, directSound); });
}

void releaseMusic(Music* music) { releaseListed(musicList, music, Unlisted::Deleted); }

void setSoundVolume(float volume) {
    soundVolume = volume;
    forEachListed(soundList, [](Sound& sound) { sound.applyVolume(); });
}

void setMusicVolume(float volume) {
    musicVolume = volume;
    forEachListed(musicList, [](Music& music) { music.applyVolume(); });
}

void stopAllMusic() {
    if (!musicAvailable) return;
    forEachListed(musicList, [](Music& music) { music.stop(); });
}

void update() {
    if (directSound && primaryOpen) directSound->frameStep();
    forEachListed(musicList, [](Music& music) { music.streamStep(); });
}

void onDeactivated() {
    if (soundAvailable) forEachListed(soundList, [](Sound& sound) { sound.pause(); });
    if (musicAvailable) forEachListed(musicList, [](Music& music) { music.pause(); });
}

void onActivated() {
    if (soundAvailable) forEachListed(soundList, [](Sound& sound) { sound.resume(); });
    if (musicAvailable) forEachListed(musicList, [](Music& music) { music.resume(); });
}

void resetDevice() {
    if (!started) return;
    Music* wasPlaying = nullptr;
    forEachListed(musicList, [&wasPlaying](Music& music) {
        if (!wasPlaying && music.isPlaying()) wasPlaying = &music;
    });
    forEachListed(musicList, [](Music& music) { music.releaseBuffer(); });
    forEachListed(soundList, [](Sound& sound) { sound.releaseBuffer(); });
    releaseDevice();
    createDevice();
    // Buffers are made again, from their resources, the next time each is played.
    forEachListed(soundList, [](Sound& sound) { sound.setDirectSound(directSound); });
    forEachListed(musicList, [](Music& music) { music.setDirectSound(directSound); });
    if (wasPlaying) wasPlaying->play(true);
}

std::int32_t attenuation(float volume) {
    if (!(volume > 0.0f)) return platform::kVolumeSilent;
    // Clamped before the truncation: below the silent end a volume is silence, and above
    // full it stays positive so the device refuses it as before.
    const double hundredths = std::clamp(1000.0 * std::log10(static_cast<double>(volume)),
                                         static_cast<double>(platform::kVolumeSilent), 1.0e6);
    return static_cast<std::int32_t>(hundredths);
}

platform::WaveFormat waveFormatOf(const SoundResource& resource) {
    return platform::WaveFormat{static_cast<std::uint16_t>(resource.channels), resource.rate,
                                static_cast<std::uint16_t>(resource.bits)};
}

platform::AudioDevice* getDevice() { return directSound; }

unsigned long referenceCount(const Sound* sound) { return listedCount(soundList, sound); }

unsigned long referenceCount(const Music* music) { return listedCount(musicList, music); }

std::size_t soundCount() { return (soundList ? soundList->size() : 0) + (musicList ? musicList->size() : 0); }

}  // namespace tidewell::SoundMusicManager
