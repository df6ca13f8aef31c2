#pragma once

#include <functional>

namespace tidewell {

class SoundResource;

// A listener on what the effects and tracks are told to do, for tools and tests that
// need to know which sound played and how loud. Nothing listens by default, and
// then reporting costs one test of an empty function.
namespace AudioEvents {

enum class Kind { SoundPlay, SoundStop, MusicPlay, MusicStop, MusicVolume };

// `file` is the sound file the effect or track was made from ("" when it came from
// no file); `volume` is the effective volume factor (own factor times the global one).
using Listener = std::function<void(Kind kind, const char* file, float volume)>;

// Installs the one listener, replacing any earlier one; an empty function removes it.
void setListener(Listener listener);
// Tells the listener, if there is one; called by Sound and Music themselves.
void report(Kind kind, const SoundResource* resource, float volume);

}  // namespace AudioEvents
}  // namespace tidewell
