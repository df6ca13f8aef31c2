#include "Voice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetbake {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Decays reach 1 % of the way in their stated time: e^-4.6 ≈ 0.01.
constexpr double kDecayTimeConstants = 4.6;
// Filter coefficients are recomputed this often; sweeps are slow next to it.
constexpr int kCoefficientInterval = 16;

// A small, fast generator: noise must be the same on every bake.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {
        if (state_ == 0) state_ = 1;
    }
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

// Band-limited step correction, so that saw and square waves do not alias
// into a buzz at high notes.
double polyBlep(double phase, double increment) {
    if (phase < increment) {
        const double t = phase / increment;
        return t + t - t * t - 1;
    }
    if (phase > 1 - increment) {
        const double t = (phase - 1) / increment;
        return t * t + t + t + 1;
    }
    return 0;
}

class Oscillator {
public:
    Oscillator(Wave wave, double duty, double startPhase, std::uint32_t seed)
        : wave_(wave), duty_(duty), phase_(startPhase), noise_(seed) {}

    // One sample at frequency hz; phaseOffset (in cycles) is frequency modulation.
    double next(double hz, double phaseOffset) {
        const double increment = std::min(hz / kSampleRate, 0.5);
        double value = 0;
        switch (wave_) {
        case Wave::Sine:
            value = std::sin(kTwoPi * (phase_ + phaseOffset));
            break;
        case Wave::Triangle:
            value = 4 * std::abs(phase_ - std::floor(phase_ + 0.5)) - 1;
            value = -value;
            break;
        case Wave::Saw:
            value = 2 * phase_ - 1 - polyBlep(phase_, increment);
            break;
        case Wave::Square: {
            value = phase_ < duty_ ? 1.0 : -1.0;
            value += polyBlep(phase_, increment);
            double shifted = phase_ - duty_;
            if (shifted < 0) shifted += 1;
            value -= polyBlep(shifted, increment);
            break;
        }
        case Wave::Noise:
            // Pitched noise holds each random value for one cycle, which gives
            // explosions and hisses a pitch that can sweep.
            if (phase_ + increment >= 1 || !held_) {
                heldValue_ = noise_.next();
                held_ = true;
            }
            value = heldValue_;
            break;
        }
        phase_ += increment;
        if (phase_ >= 1) phase_ -= std::floor(phase_);
        return value;
    }

private:
    Wave wave_;
    double duty_;
    double phase_;
    NoiseSource noise_;
    double heldValue_ = 0;
    bool held_ = false;
};

// Topology-preserving state-variable filter: stable while its cutoff moves.
class Filter {
public:
    Filter(FilterKind kind, double resonance) : kind_(kind), damping_(1 / std::max(resonance, 0.1)) {}

    void setCutoff(double hz) {
        const double limited = std::clamp(hz, 10.0, 0.45 * kSampleRate);
        const double g = std::tan(std::numbers::pi * limited / kSampleRate);
        a1_ = 1 / (1 + g * (g + damping_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }

    double process(double input) {
        const double v3 = input - ic2_;
        const double band = a1_ * ic1_ + a2_ * v3;
        const double low = ic2_ + a2_ * ic1_ + a3_ * v3;
        ic1_ = 2 * band - ic1_;
        ic2_ = 2 * low - ic2_;
        switch (kind_) {
        case FilterKind::Lowpass: return low;
        case FilterKind::Highpass: return input - damping_ * band - low;
        case FilterKind::Bandpass: return band;
        case FilterKind::None: break;
        }
        return input;
    }

private:
    FilterKind kind_;
    double damping_;
    double a1_ = 0, a2_ = 0, a3_ = 0;
    double ic1_ = 0, ic2_ = 0;
};

double pitchAt(const VoiceSpec& voice, double noteHz, double t, double gate) {
    double hz = voice.fixedPitch ? voice.pitch.at(t, gate) : noteHz * voice.ratio;
    double semitones = voice.bend.at(t, gate);
    if (voice.vibratoRate > 0 && t > voice.vibratoDelay) {
        // The vibrato fades in over a quarter second instead of starting at once.
        const double fadeIn = std::min(1.0, (t - voice.vibratoDelay) / 0.25);
        semitones += fadeIn * voice.vibratoDepth * std::sin(kTwoPi * voice.vibratoRate * (t - voice.vibratoDelay));
    }
    if (semitones != 0) hz *= std::exp2(semitones / 12);
    return hz;
}

// One strike of the voice (a repeat is another strike).
void renderStrike(const VoiceSpec& voice, double noteHz, double gate, double level, std::uint32_t seed,
                  std::vector<float>& out, std::size_t offset) {
    const double duration = voiceDuration(voice, gate);
    const std::size_t frames = static_cast<std::size_t>(std::ceil(duration * kSampleRate));
    if (offset >= out.size()) return;
    const std::size_t end = std::min(out.size(), offset + frames);
    const int unison = std::max(1, voice.unison);

    for (int copy = 0; copy < unison; ++copy) {
        // Unison copies spread evenly over ±cents, each starting at its own phase.
        const double spread = unison == 1 ? 0 : (2.0 * copy / (unison - 1) - 1) * voice.unisonCents;
        const double detune = std::exp2(spread / 1200);
        const double startPhase = unison == 1 ? 0 : std::fmod(copy * 0.618034, 1.0);
        Oscillator carrier(voice.wave, voice.duty, startPhase, seed + 7919u * static_cast<std::uint32_t>(copy));
        Oscillator modulator(Wave::Sine, 0.5, 0, 0);
        Filter filter(voice.filter, voice.resonance);
        const double copyLevel = level / std::sqrt(static_cast<double>(unison));
        for (std::size_t frame = offset; frame < end; ++frame) {
            const double t = static_cast<double>(frame - offset) / kSampleRate;
            const double hz = pitchAt(voice, noteHz, t, gate) * detune;
            double modulation = 0;
            if (voice.fmRatio > 0) modulation = voice.fmIndex.at(t, gate) * modulator.next(hz * voice.fmRatio, 0) / kTwoPi;
            double sample = carrier.next(hz, modulation);
            if (voice.filter != FilterKind::None) {
                if ((frame - offset) % kCoefficientInterval == 0) filter.setCutoff(voice.cutoff.at(t, gate));
                sample = filter.process(sample);
            }
            double amplitude = voice.envelope.at(t, gate) * copyLevel;
            if (voice.tremoloRate > 0) {
                amplitude *= 1 - voice.tremoloDepth * 0.5 * (1 - std::cos(kTwoPi * voice.tremoloRate * t));
            }
            out[frame] += static_cast<float>(sample * amplitude);
        }
    }
}

} // namespace

double Sweep::at(double seconds, double wholeLength) const {
    if (from == to) return from;
    const double span = time > 0 ? time : wholeLength;
    const double x = span > 0 ? std::clamp(seconds / span, 0.0, 1.0) : 1.0;
    if (exponential && from > 0 && to > 0) return from * std::pow(to / from, x);
    return from + (to - from) * x;
}

double Envelope::at(double seconds, double gate) const {
    auto held = [&](double t) {
        if (t < attack) return t / attack;
        const double x = decay > 0 ? (t - attack) / decay : 1e9;
        return sustain + (1 - sustain) * std::exp(-kDecayTimeConstants * x);
    };
    if (seconds < gate) return held(seconds);
    if (release <= 0) return 0.0;
    const double x = (seconds - gate) / release;
    if (x >= 1) return 0.0;
    // A curve that reaches silence exactly, so that no note ends with a click.
    return held(gate) * (1 - x) * (1 - x);
}

double voiceDuration(const VoiceSpec& voice, double gate) {
    const double held = voice.length >= 0 ? voice.length : gate;
    return held + std::max(voice.envelope.release, 0.0);
}

void renderVoice(const VoiceSpec& voice, double noteHz, double gate, double velocity, std::uint32_t seed,
                 std::vector<float>& out, std::size_t offset) {
    const double held = voice.length >= 0 ? voice.length : gate;
    double level = voice.gain * velocity;
    for (int strike = 0; strike < std::max(1, voice.repeats); ++strike) {
        const double at = voice.start + strike * voice.repeatEvery;
        const double hz = noteHz * std::exp2(strike * voice.repeatSemitones / 12);
        VoiceSpec struck = voice;
        if (voice.fixedPitch) {
            const double factor = std::exp2(strike * voice.repeatSemitones / 12);
            struck.pitch.from *= factor;
            struck.pitch.to *= factor;
        }
        struck.length = held;
        renderStrike(struck, hz, held, level, seed + 104729u * static_cast<std::uint32_t>(strike), out,
                     offset + static_cast<std::size_t>(std::llround(at * kSampleRate)));
        level *= voice.repeatGain;
    }
}

double noteFrequency(double midiNote) { return 440.0 * std::exp2((midiNote - 69) / 12); }

} // namespace assetbake
