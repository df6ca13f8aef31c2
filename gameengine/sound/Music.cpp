#include "sound/Music.h"

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

constexpr const char* kModulePath = "gameengine\\Game Engine\\Music";
constexpr int kLineNoDevice = 90;
constexpr int kLinePlayFromStart = 148;
constexpr int kLinePlayAgain = 156;
constexpr int kLineStop = 171;
constexpr int kLineSetVolume = 212;
constexpr int kLineCursor = 237;
constexpr int kLineStreamNoSamples = 242;
constexpr int kLineAllocateNoDevice = 278;
constexpr int kLineAllocateNoResource = 282;
constexpr int kLineCreateBuffer = 309;
constexpr int kLineFillNoResource = 320;
constexpr int kLineFillNoSamples = 325;
constexpr int kLineFillNoBuffer = 347;
constexpr int kLineLock = 352;

using platform::AudioResult;

constexpr const char* kNullResourceMessage =
    "Music(const char * fileName, LPDIRECTSOUND lpDS) failed.\nsoundResource == 0";

void check(AudioResult result, int line) { checkAudioCall(result, kModulePath, line); }

// The gap's length in bytes, rounded down to whole frames so that a fraction of a second
// cannot shift the track by a byte on its next pass; a negative gap is none.
std::uint32_t gapBytesOf(const SoundResource& resource, float gapSeconds) {
    if (!(gapSeconds > 0.0f)) return 0;
    const std::uint32_t bitsPerSecond = resource.bits * resource.rate * resource.channels;
    const double bytes = std::clamp(static_cast<double>(bitsPerSecond) * gapSeconds / 8.0, 0.0, 4294967295.0);
    const std::uint32_t frameBytes = std::max<std::uint32_t>(1, resource.channels * (resource.bits / 8));
    const auto whole = static_cast<std::uint32_t>(bytes);
    return whole - whole % frameBytes;
}

}  // namespace

// The reference is taken only once all arguments passed, so a refused construction holds none.
Music::Music(SoundResource* resource, float gapSeconds, platform::AudioDevice* directSound)
    : resource_(requireSoundResource(resource, kNullResourceMessage)),
      effectiveVolume_(SoundMusicManager::musicVolume),
      gapBytes_(gapBytesOf(*resource, gapSeconds)),
      directSound_(requireAudioDevice(directSound, kModulePath, kLineNoDevice)) {
    ResourceManager::retainSoundResource(resource_);
}

Music::~Music() {
    releaseBuffer();
    ResourceManager::releaseSoundResource(resource_);
}

void Music::allocateBuffer() {
    if (buffer_) return;
    if (!directSound_) throw ErrorGeneric(kModulePath, kLineAllocateNoDevice, 0);
    if (!resource_) throw ErrorGeneric(kModulePath, kLineAllocateNoResource, 0);
    const std::uint32_t bytesPerSecond = (resource_->rate * (resource_->bits / 8) * resource_->channels) & 0x7FFFFFFFu;
    bufferBytes_ = 2 * bytesPerSecond;
    firstHalfLength_ = bytesPerSecond;
    secondHalfLength_ = bytesPerSecond;
    // The new buffer starts where the track stands: its start, or where a lost or
    // released buffer left it.
    firstHalfStreamPos_ = wrapped(resumeFrom_);
    secondHalfStreamPos_ = wrapped(firstHalfStreamPos_ + firstHalfLength_);
    playingFirstHalf_ = true;
    AudioResult result = AudioResult::Ok;
    buffer_ = directSound_->createBuffer(SoundMusicManager::waveFormatOf(*resource_), bufferBytes_, result);
    if (!buffer_) throw ErrorGeneric(kModulePath, kLineCreateBuffer, platform::resultCode(result));
}

void Music::createBuffer() {
    if (!SoundMusicManager::musicAvailable || bufferReady_) return;
    allocateBuffer();
    if (!resource_) throw ErrorGeneric(kModulePath, kLineFillNoResource, 0);
    if (!resource_->data) throw ErrorGeneric(kModulePath, kLineFillNoSamples, 0);
    fillHalf(firstHalfStreamPos_, firstHalfLength_, 0);
    fillHalf(secondHalfStreamPos_, secondHalfLength_, firstHalfLength_);
    applyVolume();
    bufferReady_ = true;
}

std::uint64_t Music::cycleBytes() const { return static_cast<std::uint64_t>(resource_->dataBytes) + gapBytes_; }

std::uint64_t Music::wrapped(std::uint64_t streamPosition) const {
    const std::uint64_t cycle = cycleBytes();
    return cycle == 0 ? 0 : streamPosition % cycle;
}

// The half gets the track from the stream position on, then the gap's silence, then
// the track again from its start, as often as it takes to fill it: a track shorter
// than a half wraps more than once, and never is a byte read past the track's end.
void Music::fillHalf(std::uint64_t streamPosition, std::uint32_t bytes, std::uint32_t bufferOffset) {
    check(tryFillHalf(streamPosition, bytes, bufferOffset), kLineLock);
}

AudioResult Music::tryFillHalf(std::uint64_t streamPosition, std::uint32_t bytes, std::uint32_t bufferOffset) {
    if (!buffer_) allocateBuffer();
    if (!buffer_) throw ErrorGeneric(kModulePath, kLineFillNoBuffer, 0);
    platform::LockedRegion region;
    if (const AudioResult locked = buffer_->lock(bufferOffset, bytes, region); locked != AudioResult::Ok) {
        return locked;
    }
    const std::uint64_t cycle = cycleBytes();
    const std::uint64_t dataBytes = resource_->dataBytes;
    const std::uint8_t* samples = resource_->data.get();
    std::uint8_t* out = region.first;
    std::uint64_t left = region.firstBytes;  // a half never wraps in the buffer
    std::uint64_t position = wrapped(streamPosition);
    while (left > 0) {
        if (cycle == 0) {
            std::fill_n(out, left, std::uint8_t{0});  // neither track nor gap: nothing but silence
            break;
        }
        std::uint64_t taken = 0;
        if (position < dataBytes) {
            taken = std::min(left, dataBytes - position);
            std::copy_n(samples + position, taken, out);
        } else {
            taken = std::min(left, cycle - position);
            std::fill_n(out, taken, std::uint8_t{0});
        }
        out += taken;
        left -= taken;
        position = (position + taken) % cycle;
    }
    buffer_->unlock(region);  // cannot fail after a good lock
    return AudioResult::Ok;
}

std::uint64_t Music::standingPosition() const {
    if (!buffer_) return resumeFrom_;
    std::uint32_t cursor = 0;
    check(buffer_->position(cursor), kLineCursor);
    // Each half holds the stream from its own position on, whichever of the two was refilled last.
    if (cursor < firstHalfLength_) return wrapped(firstHalfStreamPos_ + cursor);
    return wrapped(secondHalfStreamPos_ + (cursor - firstHalfLength_));
}

void Music::releaseBuffer() {
    if (!SoundMusicManager::musicAvailable) return;
    if (buffer_) resumeFrom_ = standingPosition();
    stopBuffer();
    buffer_.reset();
    bufferReady_ = false;
}

void Music::recreateBuffer() {
    if (!SoundMusicManager::musicAvailable) return;
    releaseBuffer();
    createBuffer();
}

void Music::setDirectSound(platform::AudioDevice* directSound) {
    directSound_ = requireAudioDevice(directSound, kModulePath, kLineNoDevice);
}

void Music::play(bool restart) {
    AudioEvents::report(AudioEvents::Kind::MusicPlay, resource_, effectiveVolume_);
    startBuffer(restart);
}

void Music::startBuffer(bool restart) {
    if (!SoundMusicManager::musicAvailable) return;
    if (!buffer_) createBuffer();
    if (!buffer_) return;
    playing_ = true;
    if (restart) {
        releaseBuffer();
        resumeFrom_ = 0;
        createBuffer();
        check(buffer_->play(true), kLinePlayFromStart);
        return;
    }
    if (buffer_->play(true) == AudioResult::Ok) return;
    // Most likely the output was lost: a new buffer goes on from where the track stands.
    recreateBuffer();
    check(buffer_->play(true), kLinePlayAgain);
}

void Music::stop() {
    AudioEvents::report(AudioEvents::Kind::MusicStop, resource_, effectiveVolume_);
    playing_ = false;
    stopBuffer();
}

void Music::stopBuffer() {
    if (!SoundMusicManager::musicAvailable || !buffer_) return;
    check(buffer_->stop(), kLineStop);
}

bool Music::isPlaying() const {
    if (!SoundMusicManager::musicAvailable || !buffer_) return false;
    bool playing = false;
    return buffer_->status(playing) == AudioResult::Ok && playing;
}

void Music::setVolume(float volume) {
    ownVolume_ = volume;
    applyVolume();
    AudioEvents::report(AudioEvents::Kind::MusicVolume, resource_, effectiveVolume_);
}

void Music::applyVolume() {
    effectiveVolume_ = SoundMusicManager::musicVolume * ownVolume_;
    if (!SoundMusicManager::soundAvailable || !buffer_) return;
    check(buffer_->setVolume(SoundMusicManager::attenuation(effectiveVolume_)), kLineSetVolume);
}

void Music::pause() {
    if (!SoundMusicManager::musicAvailable) return;
    wasPlaying_ = playing_;
    playing_ = false;
    stopBuffer();
}

void Music::resume() {
    if (!SoundMusicManager::musicAvailable) return;
    if (wasPlaying_) startBuffer(false);
}

// A looping buffer never stops by itself: one that should play and does not, or that
// refuses a refill, was lost with the sound output.
void Music::streamStep() {
    if (!SoundMusicManager::musicAvailable || !buffer_) return;
    if (playing_ && !isPlaying()) {
        goOnInNewBuffer();
        return;
    }
    std::uint32_t cursor = 0;
    check(buffer_->position(cursor), kLineCursor);
    if (!resource_ || !resource_->data) throw ErrorGeneric(kModulePath, kLineStreamNoSamples, 0);
    const std::uint32_t half = bufferBytes_ / 2;
    AudioResult refilled = AudioResult::Ok;
    if (playingFirstHalf_ && cursor >= half) {
        playingFirstHalf_ = false;
        firstHalfStreamPos_ = wrapped(secondHalfStreamPos_ + secondHalfLength_);
        refilled = tryFillHalf(firstHalfStreamPos_, firstHalfLength_, 0);
    } else if (!playingFirstHalf_ && cursor < half) {
        playingFirstHalf_ = true;
        secondHalfStreamPos_ = wrapped(firstHalfStreamPos_ + firstHalfLength_);
        refilled = tryFillHalf(secondHalfStreamPos_, secondHalfLength_, firstHalfLength_);
    }
    if (refilled == AudioResult::BufferLost) {
        goOnInNewBuffer();
    } else {
        check(refilled, kLineLock);
    }
}

// The one retry: a new buffer on the device, filled from where the lost one stood. While
// the output is away nothing is heard; when it is back the track goes on from there.
void Music::goOnInNewBuffer() {
    const bool wanted = playing_;
    recreateBuffer();
    if (wanted) check(buffer_->play(true), kLinePlayAgain);
}

}  // namespace tidewell
