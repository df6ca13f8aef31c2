#include "VoiceSyntax.h"

namespace assetbake {
namespace {

constexpr double kHighestHz = 20000;

Sweep readSweep(WordReader& words, const char* what, double low, double high, bool exponential) {
    Sweep sweep;
    sweep.exponential = exponential;
    sweep.from = words.number(what, low, high);
    sweep.to = sweep.from;
    if (words.accept("->")) sweep.to = words.number(what, low, high);
    if (words.accept("in")) sweep.time = words.number("the glide's time", 0.0001, 600);
    return sweep;
}

Wave readWave(WordReader& words, double& duty) {
    const std::string name = words.word("a wave: sine, triangle, square, saw or noise");
    if (name == "sine") return Wave::Sine;
    if (name == "triangle") return Wave::Triangle;
    if (name == "saw") return Wave::Saw;
    if (name == "noise") return Wave::Noise;
    if (name == "square") {
        if (!words.atEnd()) duty = words.number("the square's duty", 0.05, 0.95);
        return Wave::Square;
    }
    words.fail("unknown wave '" + name + "' (sine, triangle, square, saw or noise)");
}

void readFilter(VoiceSpec& voice, WordReader& words) {
    const std::string kind = words.word("a filter: lowpass, highpass or bandpass");
    if (kind == "lowpass") {
        voice.filter = FilterKind::Lowpass;
    } else if (kind == "highpass") {
        voice.filter = FilterKind::Highpass;
    } else if (kind == "bandpass") {
        voice.filter = FilterKind::Bandpass;
    } else {
        words.fail("unknown filter '" + kind + "' (lowpass, highpass or bandpass)");
    }
    voice.cutoff = readSweep(words, "the cutoff in Hz", 10, kHighestHz, true);
    if (words.accept("q")) voice.resonance = words.number("the filter's q", 0.1, 30);
}

void readRepeat(VoiceSpec& voice, WordReader& words) {
    voice.repeats = words.integer("the number of strikes", 1, 64);
    if (!words.accept("every")) words.fail("repeat needs 'every SECONDS'");
    voice.repeatEvery = words.number("the time between strikes", 0, 60);
    while (!words.atEnd()) {
        if (words.accept("step")) {
            voice.repeatSemitones = words.number("the step in semitones", -48, 48);
        } else if (words.accept("fade")) {
            voice.repeatGain = words.number("the fade per strike", 0, 4);
        } else {
            words.fail("repeat takes 'step SEMITONES' and 'fade FACTOR', not '" + words.peek() + "'");
        }
    }
}

} // namespace

bool readVoiceParameter(VoiceSpec& voice, const std::string& key, WordReader& words) {
    if (key == "wave") {
        voice.wave = readWave(words, voice.duty);
    } else if (key == "pitch") {
        voice.fixedPitch = true;
        voice.pitch = readSweep(words, "the pitch in Hz", 1, kHighestHz, true);
    } else if (key == "ratio") {
        voice.ratio = words.number("the ratio to the note", 0.01, 64);
    } else if (key == "bend") {
        voice.bend = readSweep(words, "the bend in semitones", -96, 96, false);
    } else if (key == "vibrato") {
        voice.vibratoRate = words.number("the vibrato's rate in Hz", 0, 50);
        voice.vibratoDepth = words.number("the vibrato's depth in semitones", 0, 24);
        if (words.accept("delay")) voice.vibratoDelay = words.number("the vibrato's delay", 0, 60);
    } else if (key == "fm") {
        voice.fmRatio = words.number("the modulator's ratio", 0.01, 64);
        voice.fmIndex = readSweep(words, "the modulation index", 0, 50, false);
    } else if (key == "unison") {
        voice.unison = words.integer("the number of copies", 1, 16);
        voice.unisonCents = words.number("the spread in cents", 0, 100);
    } else if (key == "envelope") {
        voice.envelope.attack = words.number("the attack in seconds", 0, 60);
        voice.envelope.decay = words.number("the decay in seconds", 0, 600);
        if (!words.atEnd()) {
            voice.envelope.sustain = words.number("the sustain level", 0, 1);
            voice.envelope.release = words.number("the release in seconds", 0, 60);
        }
    } else if (key == "filter") {
        readFilter(voice, words);
    } else if (key == "tremolo") {
        voice.tremoloRate = words.number("the tremolo's rate in Hz", 0, 50);
        voice.tremoloDepth = words.number("the tremolo's depth", 0, 1);
    } else if (key == "gain") {
        voice.gain = words.number("the gain", 0, 16);
    } else if (key == "at") {
        voice.start = words.number("the start in seconds", 0, 600);
    } else if (key == "length") {
        voice.length = words.number("the length in seconds", 0, 600);
    } else if (key == "repeat") {
        readRepeat(voice, words);
    } else {
        return false;
    }
    words.finish();
    return true;
}

} // namespace assetbake
