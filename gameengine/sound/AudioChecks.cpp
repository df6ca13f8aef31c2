#include "sound/AudioChecks.h"

#include "core/ErrorGeneric.h"

#include <stdexcept>

namespace tidewell {

SoundResource* requireSoundResource(SoundResource* resource, const char* message) {
    if (resource == nullptr) {
        throw std::runtime_error(message);
    }
    return resource;
}

platform::AudioDevice* requireAudioDevice(platform::AudioDevice* device, const char* modulePath, int line) {
    if (device == nullptr) {
        throw ErrorGeneric(modulePath, line, 0);
    }
    return device;
}

void checkAudioCall(platform::AudioResult result, const char* modulePath, int line) {
    if (result != platform::AudioResult::Ok) {
        throw ErrorGeneric(modulePath, line, platform::resultCode(result));
    }
}

} // namespace tidewell
