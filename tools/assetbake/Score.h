#pragma once

#include "Voice.h"

#include <map>
#include <string>
#include <vector>

namespace assetbake {

// A piece of music that loops: instruments built from voices, and tracks that
// play them, written in steps of a bar. Read from a file such as
//
//   tempo 120                  quarter notes per minute (4/4 time)
//   bars 12                    the loop's length
//   steps 16                   steps per bar (a track may set its own)
//   swing 0.1                  how late every second step is, in steps
//   reverb 0.25 0.7            mix, room size (0 to 1)
//   peak -1.5                  loudest sample, dB below full scale
//   chords Am F C G            one per bar, repeated to fill the loop; "F,G" halves a
//                              bar; further "chords" lines continue the first
//
//   instrument bass            an instrument is one or more voices (VoiceSyntax.h),
//     voice                    pitched by the note it plays through "ratio"
//       wave saw
//       filter lowpass 1800 -> 300 in 0.2
//
//   track line bass            a track plays one instrument
//     gain 0.6
//     pan -0.2                 -1 left … 1 right
//     echo 3 0.3 0.25          delay in steps, feedback, mix
//     octave 2                 octave of "degrees"
//     degrees 1 . 1 5 8 . 5 .  chord tones of the bar's chord: 1 3 5 7 the chord's
//                              notes, 2 4 6 the scale steps between, 8 and up the
//                              next octave, -5 below; "1+3+5" plays them together
//     close                    fold chord tones into one octave for smooth pads
//     notes e5 - d5 . c5+e5    absolute notes; "-" holds, "." rests, "|" is ignored
//     hits kick x . . . X . o  a drum: x hit, X accent, o soft
//
// Sequences repeat to fill the loop; several lines of one kind continue each other.
// A note may end in "!" (accent) or "?" (soft).
struct NoteEvent {
    double start = 0; // seconds from the loop's start
    double length = 0;
    double midiNote = 60;
    double velocity = 0.8;
};

struct Track {
    std::string name;
    double gain = 1;
    double pan = 0;
    double echoSteps = 0;
    double echoFeedback = 0;
    double echoMix = 0;
    // Notes by instrument name.
    std::map<std::string, std::vector<NoteEvent>> notes;
};

struct Score {
    double tempo = 120;
    int bars = 0;
    int stepsPerBar = 16;
    double swing = 0;
    double reverbMix = 0.2;
    double reverbSize = 0.6;
    double peakDecibels = -1.5;
    std::map<std::string, std::vector<VoiceSpec>> instruments;
    std::vector<Track> tracks;

    double barSeconds() const { return 4 * 60.0 / tempo; }
    double loopSeconds() const { return bars * barSeconds(); }
};

// BakeError with the file and line for anything it does not understand.
Score parseScore(const std::string& text, const std::string& path);

// Interleaved stereo samples of exactly one loop. The loop is played twice and
// the second pass kept, so that its start carries the echoes and reverb of the
// end before it and the last sample flows into the first.
std::vector<float> renderScore(const Score& score);

// Music shorter than this would repeat too soon.
constexpr double kShortestLoopSeconds = 20;

} // namespace assetbake
