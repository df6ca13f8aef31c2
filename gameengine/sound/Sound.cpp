#include "sound/Sound.h"

#include <algorithm>
#include <stdexcept>

#include "sound/AudioChecks.h"
#include "sound/AudioEvents.h"
#include "core/ErrorGeneric.h"
#include "resources/ResourceManager.h"
#include "sound/SoundMusicManager.h"
#include "resources/SoundResource.h"
#include "platform/AudioDevice.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\Sound";
constexpr int kLineNoDevice = 68;
constexpr int kLineRewindAgain = 124;
constexpr int kLinePlayAgain = 130;
constexpr int kLineStop = 144;
constexpr int kLineSetVolume = 185;
constexpr int kLineAllocateNoDevice = 211;
constexpr int kLineAllocateNoResource = 215;
constexpr int kLineCreateBuffer = 235;
constexpr int kLineFillNoResource = 255;
constexpr int kLineLock = 262;
constexpr int kLineNoSamples = 267;

using platform::AudioResult;

constexpr const char* kNullResourceMessage =
    "Sound(const char * fileName, LPDIRECTSOUND lpDS) failed.\nsoundResource == 0";

void check(AudioResult result, int line) { checkAudioCall(result, kModulePath, line); }

}  // namespace

// The reference is taken only once both arguments passed, so a refused construction holds none.
Sound::Sound(SoundResource* resource, platform::AudioDevice* directSound)
    : resource_(requireSoundResource(resource, kNullResourceMessage)),
      effectiveVolume_(SoundMusicManager::soundVolume),
      directSound_(requireAudioDevice(directSound, kModulePath, kLineNoDevice)) {
    ResourceManager::retainSoundResource(resource_);
}

Sound::~Sound() {
    releaseBuffer();
    ResourceManager::releaseSoundResource(resource_);
}

void Sound::createBuffer() {
    if (!SoundMusicManager::soundAvailable || bufferReady_) return;
    allocateBuffer();
    fillBuffer();
    applyVolume();
    bufferReady_ = true;
}

void Sound::allocateBuffer() {
    if (buffer_) return;
    if (!directSound_) throw ErrorGeneric(kModulePath, kLineAllocateNoDevice, 0);
    if (!resource_) throw ErrorGeneric(kModulePath, kLineAllocateNoResource, 0);
    AudioResult result = AudioResult::Ok;
    buffer_ = directSound_->createBuffer(SoundMusicManager::waveFormatOf(*resource_), resource_->dataBytes, result);
    if (!buffer_) throw ErrorGeneric(kModulePath, kLineCreateBuffer, platform::resultCode(result));
}

void Sound::fillBuffer() {
    if (!resource_) throw ErrorGeneric(kModulePath, kLineFillNoResource, 0);
    platform::LockedRegion region;
    check(buffer_->lock(0, buffer_->size(), region), kLineLock);
    if (!resource_->data) {
        buffer_->unlock(region);  // handing the memory back cannot fail after a good lock
        throw ErrorGeneric(kModulePath, kLineNoSamples, 0);
    }
    std::copy_n(resource_->data.get(), region.firstBytes, region.first);
    buffer_->unlock(region);  // cannot fail after a good lock
}

void Sound::releaseBuffer() {
    if (!SoundMusicManager::soundAvailable) return;
    stopBuffer();
    buffer_.reset();
    bufferReady_ = false;
}

void Sound::recreateBuffer() {
    if (!SoundMusicManager::soundAvailable) return;
    releaseBuffer();
    createBuffer();
}

void Sound::setDirectSound(platform::AudioDevice* directSound) {
    directSound_ = requireAudioDevice(directSound, kModulePath, kLineNoDevice);
}

void Sound::play(bool restart) {
    AudioEvents::report(AudioEvents::Kind::SoundPlay, resource_, effectiveVolume_);
    if (!SoundMusicManager::soundAvailable) return;
    if (!buffer_) createBuffer();
    if (!buffer_) return;
    const bool rewound = !restart || buffer_->setPosition(0) == AudioResult::Ok;
    if (rewound && buffer_->play(false) == AudioResult::Ok) return;
    // Most likely the output was lost and found again: rebuild from the samples and try once more.
    recreateBuffer();
    if (restart) check(buffer_->setPosition(0), kLineRewindAgain);
    check(buffer_->play(false), kLinePlayAgain);
}

void Sound::stop() {
    AudioEvents::report(AudioEvents::Kind::SoundStop, resource_, effectiveVolume_);
    stopBuffer();
}

void Sound::stopBuffer() {
    if (!SoundMusicManager::soundAvailable || !buffer_) return;
    check(buffer_->stop(), kLineStop);
}

bool Sound::isPlaying() const {
    if (!SoundMusicManager::soundAvailable || !buffer_) return false;
    bool playing = false;
    return buffer_->status(playing) == AudioResult::Ok && playing;
}

void Sound::applyVolume() {
    effectiveVolume_ = SoundMusicManager::soundVolume * ownVolume_;
    if (!SoundMusicManager::soundAvailable || !buffer_) return;
    check(buffer_->setVolume(SoundMusicManager::attenuation(effectiveVolume_)), kLineSetVolume);
}

void Sound::pause() {
    if (!SoundMusicManager::soundAvailable) return;
    wasPlaying_ = isPlaying();
    stopBuffer();
}

void Sound::resume() {
    if (!SoundMusicManager::soundAvailable) return;
    if (wasPlaying_) play(false);
}

}  // namespace tidewell
