#pragma once

#include <cstdint>
#include <vector>

namespace assetbake {

// All sounds are made at the game's rate.
constexpr int kSampleRate = 22050;

// A value that glides from `from` to `to` in `time` seconds and then stays;
// exponentially (equal ratios in equal times) when both ends are positive and
// `exponential` is set, otherwise in a straight line. A time of 0 means "over
// the whole note".
struct Sweep {
    double from = 0;
    double to = 0;
    double time = 0;
    bool exponential = true;

    static Sweep constant(double value) { return Sweep{value, value, 0, true}; }
    double at(double seconds, double wholeLength) const;
};

enum class Wave { Sine, Triangle, Square, Saw, Noise };
enum class FilterKind { None, Lowpass, Highpass, Bandpass };

// Attack to full level, decay towards the sustain level (to 1 % of the way in
// `decay` seconds), hold while the note is held, then release to silence.
struct Envelope {
    double attack = 0.002;
    double decay = 0.3;
    double sustain = 0;
    double release = 0.02;

    double at(double seconds, double gate) const;
};

// One oscillator with its envelope and filter: a layer of a sound effect or of
// an instrument. Pitches are absolute (fixedPitch) or ratios of the note played.
struct VoiceSpec {
    Wave wave = Wave::Sine;
    double duty = 0.5;

    bool fixedPitch = false;
    Sweep pitch = Sweep::constant(440); // Hz, when fixedPitch
    double ratio = 1;                   // of the note's frequency otherwise
    Sweep bend = Sweep::constant(0);    // semitones added, linear
    double vibratoRate = 0;
    double vibratoDepth = 0; // semitones
    double vibratoDelay = 0;

    double fmRatio = 0; // 0: no frequency modulation
    Sweep fmIndex = Sweep::constant(0);

    int unison = 1;
    double unisonCents = 0;

    Envelope envelope;
    FilterKind filter = FilterKind::None;
    Sweep cutoff = Sweep::constant(20000);
    double resonance = 0.707;

    double tremoloRate = 0;
    double tremoloDepth = 0;

    double gain = 1;
    double start = 0;   // seconds after the sound's (or note's) start
    double length = -1; // how long it is held; < 0: as long as the note

    int repeats = 1;
    double repeatEvery = 0;
    double repeatSemitones = 0;
    double repeatGain = 1;
};

// Adds the voice, played at noteHz for `gate` seconds with `velocity`, into `out`
// starting at frame `offset`. Noise is drawn from `seed`, so a render is repeatable.
void renderVoice(const VoiceSpec& voice, double noteHz, double gate, double velocity, std::uint32_t seed,
                 std::vector<float>& out, std::size_t offset);

// How many seconds the voice sounds when held for `gate` seconds, release included.
double voiceDuration(const VoiceSpec& voice, double gate);

// The frequency of a note by its MIDI number (69 = A4 = 440 Hz).
double noteFrequency(double midiNote);

} // namespace assetbake
