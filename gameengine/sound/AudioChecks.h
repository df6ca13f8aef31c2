#pragma once

#include "platform/AudioBuffer.h"

namespace tidewell {

class SoundResource;
namespace platform {
class AudioDevice;
}

// The argument and result checks that Sound and Music share; each passes its own
// module path and the line that names the failing call.

// The resource, or a plain text exception with `message` when there is none.
SoundResource* requireSoundResource(SoundResource* resource, const char* message);
// The device, or ErrorGeneric(modulePath, line, 0) when there is none.
platform::AudioDevice* requireAudioDevice(platform::AudioDevice* device, const char* modulePath, int line);
// ErrorGeneric(modulePath, line, the result's code) unless the device call succeeded.
void checkAudioCall(platform::AudioResult result, const char* modulePath, int line);

} // namespace tidewell
