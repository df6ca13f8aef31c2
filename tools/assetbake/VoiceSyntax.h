#pragma once

#include "ParameterFile.h"
#include "Voice.h"

#include <string>

namespace assetbake {

// Reads one line that sets a voice's parameter into `voice`; false when `key` is
// not a voice parameter. The words, shared by sound effects and instruments:
//
//   wave sine | triangle | square [DUTY] | saw | noise
//   pitch HZ [-> HZ] [in SECONDS]        fixed pitch, gliding exponentially
//   ratio R                              R times the note played (instruments)
//   bend SEMITONES [-> SEMITONES] [in SECONDS]
//   vibrato RATE SEMITONES [delay SECONDS]
//   fm RATIO INDEX [-> INDEX] [in SECONDS]
//   unison COPIES CENTS
//   envelope ATTACK DECAY [SUSTAIN RELEASE]
//   filter lowpass | highpass | bandpass HZ [-> HZ] [in SECONDS] [q Q]
//   tremolo RATE DEPTH
//   gain G
//   at SECONDS                           start after the sound's start
//   length SECONDS                       held this long (default: all of it)
//   repeat COUNT every SECONDS [step SEMITONES] [fade FACTOR]
//
// A sweep without "in" takes the whole time the voice is held.
bool readVoiceParameter(VoiceSpec& voice, const std::string& key, WordReader& words);

} // namespace assetbake
