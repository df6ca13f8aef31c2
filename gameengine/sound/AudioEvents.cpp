#include "sound/AudioEvents.h"

#include "resources/TwsFile.h"

namespace tidewell::AudioEvents {
namespace {

Listener listener;

const char* fileOf(const SoundResource* resource) {
    const auto* file = dynamic_cast<const TwsFile*>(resource);
    return file ? file->fileName.c_str() : "";
}

}  // namespace

void setListener(Listener newListener) { listener = std::move(newListener); }

void report(Kind kind, const SoundResource* resource, float volume) {
    if (listener) listener(kind, fileOf(resource), volume);
}

}  // namespace tidewell::AudioEvents
