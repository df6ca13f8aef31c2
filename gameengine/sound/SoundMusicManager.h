#pragma once

#include <cstddef>
#include <cstdint>

namespace tidewell {

class Music;
class Sound;
class SoundResource;

namespace platform {
class AudioDevice;
struct WaveFormat;
}  // namespace platform

// The sound output and everything that plays on it: short effects (Sound) and
// looping, streamed tracks (Music), each shared by sound file and counted. Game code
// asks for one by file name and gives it back when done. The manager also carries
// the two global volumes, pauses everything while the program is in the background
// and rebuilds every buffer when the display mode changes.
namespace SoundMusicManager {

// Cleared once and for good when no sound output can be opened: every Sound operation
// then does nothing. Music is silenced the same way through musicAvailable.
extern bool soundAvailable;
// Every Music operation does nothing while it is clear.
extern bool musicAvailable;
// The global factors of every Sound and every Music; change them with the setters.
extern float soundVolume;
extern float musicVolume;

// The output format everything is mixed to.
inline constexpr std::uint16_t primaryChannels = 1;
inline constexpr std::uint32_t primaryRate = 22050;
inline constexpr std::uint16_t primaryBits = 16;

// Opens the sound output and creates both registries. No output on this machine is
// no error: the game then runs silent. ErrorDirectX when there is no platform at all.
void start();
// Deletes every Sound and then every Music whoever holds them, and closes the output.
void stop();
// Sounds and music registered now.
std::size_t soundCount();
bool isStarted();

// The effect of a .tws file, shared with every earlier request for the same file (names
// compare ignoring case); null for a name that does not end in ".tws". With preload its
// buffer is made at once. ErrorFile when the file is missing or damaged.
Sound* getSound(const char* fileName, bool preload);
// One more holder for a listed Sound.
void retainSound(Sound* sound);
// One holder fewer; the last deletes it. An unlisted Sound is deleted at once; one given
// back after stop(), which deleted them all, is left alone.
void releaseSound(Sound* sound);

// The looping track of a .tws file, with gapSeconds of silence between passes; shared like getSound.
Music* getMusic(const char* fileName, float gapSeconds, bool preload);
// As releaseSound.
void releaseMusic(Music* music);

// Sets the global volume (1.0 on, 0.0 off) and applies it at once to every listed effect or track.
void setSoundVolume(float volume);
void setMusicVolume(float volume);

// Stops every listed Music; each keeps its position.
void stopAllMusic();
// The first step of every frame: the output moves on by a frame (headless) and every Music refills what was played.
void update();
// The program lost the foreground: every Sound, then every Music, pauses.
void onDeactivated();
// The program is back: what was playing when it left continues where it stopped.
void onActivated();
// After a switch to or from full screen: closes and opens the output again, rebuilding every
// buffer, and starts the track that was playing again from its beginning.
void resetDevice();

// A volume factor as an attenuation in hundredths of a decibel: 1000 * log10(v), truncated,
// -10000 (silence) for v not above 0 or so small that it would be quieter than silence.
std::int32_t attenuation(float volume);

// The wave format of a sound file's samples: its header's fields, channels and bits as 16-bit values.
platform::WaveFormat waveFormatOf(const SoundResource& resource);

// The output the buffers are made on; null while the manager is not started.
platform::AudioDevice* getDevice();
// How many hold a listed Sound or Music; 0 when it is not listed. For diagnostics and tests.
unsigned long referenceCount(const Sound* sound);
unsigned long referenceCount(const Music* music);

}  // namespace SoundMusicManager
}  // namespace tidewell
