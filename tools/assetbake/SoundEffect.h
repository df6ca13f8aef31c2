#pragma once

#include "Voice.h"

#include <string>
#include <vector>

namespace assetbake {

// A sound effect: voices mixed over a fixed length, read from a file such as
//
//   # soft click
//   length 0.08            seconds, required
//   peak -9                loudest sample in dB below full scale (default -1.5)
//   echo 0.09 0.3 0.25     delay in seconds, feedback, mix
//   voice                  starts a voice; its parameters follow (see VoiceSyntax.h)
//     wave sine
//     pitch 2400 -> 700 in 0.03
//     envelope 0.001 0.04
struct SoundEffect {
    double length = 0;
    double peakDecibels = -1.5;
    double echoDelay = 0;
    double echoFeedback = 0;
    double echoMix = 0;
    std::vector<VoiceSpec> voices;
};

// BakeError with the file and line for anything it does not understand.
SoundEffect parseSoundEffect(const std::string& text, const std::string& path);

// The effect's mono samples, full scale ±1, normalised to its peak.
std::vector<float> renderSoundEffect(const SoundEffect& effect);

// Peaks are never set above this: the sounds leave headroom for the mixer.
constexpr double kHighestPeakDecibels = -1.0;

} // namespace assetbake
