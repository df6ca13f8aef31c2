#include "Score.h"

#include "Mixing.h"
#include "ParameterFile.h"
#include "VoiceSyntax.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace assetbake {
namespace {

struct Token {
    std::string text;
    int line;
};

// A track as written, before its sequences are laid out over the loop.
struct TrackSource {
    Track track;
    std::string instrument;
    int line = 0;
    int steps = 0; // 0: the score's
    int octave = 4;
    bool close = false;
    std::vector<Token> notes;
    std::vector<Token> degrees;
    std::vector<std::pair<std::string, std::vector<Token>>> hits;
};

struct Chord {
    int root = 0; // pitch class, C = 0
    std::vector<int> intervals;
};

struct ChordSpan {
    double startBar; // within the chord line's cycle of bars
    Chord chord;
};

struct ParsedScore {
    Score score;
    std::vector<ChordSpan> chords;
    int chordBars = 0;
    std::vector<TrackSource> tracks;
};

const std::pair<const char*, std::vector<int>> kChordQualities[] = {
    {"", {0, 4, 7}},          {"m", {0, 3, 7}},         {"7", {0, 4, 7, 10}},   {"m7", {0, 3, 7, 10}},
    {"maj7", {0, 4, 7, 11}},  {"sus2", {0, 2, 7}},      {"sus4", {0, 5, 7}},    {"dim", {0, 3, 6}},
    {"aug", {0, 4, 8}},       {"5", {0, 7}},            {"6", {0, 4, 7, 9}},    {"m6", {0, 3, 7, 9}},
    {"add9", {0, 4, 7, 14}},  {"m9", {0, 3, 7, 10, 14}}, {"madd9", {0, 3, 7, 14}}, {"7sus4", {0, 5, 7, 10}},
};

// "c", "c#", "db" → pitch class; the number of letters used goes to `used`.
std::optional<int> pitchClass(const std::string& text, std::size_t& used) {
    static const int kNatural[] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    if (text.empty()) return std::nullopt;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (letter < 'a' || letter > 'g') return std::nullopt;
    int value = kNatural[letter - 'a'];
    used = 1;
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        value += text[1] == '#' ? 1 : -1;
        used = 2;
    }
    return (value + 12) % 12;
}

Chord parseChord(const Token& token, const std::string& path) {
    std::size_t used = 0;
    const std::optional<int> root = pitchClass(token.text, used);
    if (!root || !std::isupper(static_cast<unsigned char>(token.text[0]))) {
        failAt(path, token.line, "a chord starts with its root, A to G, not '" + token.text + "'");
    }
    const std::string quality = token.text.substr(used);
    for (const auto& [name, intervals] : kChordQualities) {
        if (quality == name) return Chord{*root, intervals};
    }
    failAt(path, token.line, "unknown chord '" + token.text + "' (like C, Am, G7, Fmaj7, Dm7, Esus4, Bdim)");
}

// Strips a velocity mark from the end of a token.
double takeVelocity(std::string& text) {
    if (text.size() > 1 && text.back() == '!') {
        text.pop_back();
        return 1.0;
    }
    if (text.size() > 1 && text.back() == '?') {
        text.pop_back();
        return 0.5;
    }
    return 0.8;
}

int parseNote(const std::string& text, const Token& token, const std::string& path) {
    std::size_t used = 0;
    const std::optional<int> pitch = pitchClass(text, used);
    int octave = -1;
    try {
        std::size_t digits = 0;
        octave = std::stoi(text.substr(used), &digits);
        if (used + digits != text.size()) octave = -1;
    } catch (const std::exception&) {
        octave = -1;
    }
    // "cb4" and "b#4" cross into the next octave.
    const bool wraps = used == 2 && ((text[1] == 'b' && *pitch == 11) || (text[1] == '#' && *pitch == 0));
    if (!pitch || octave < 0 || octave > 8) {
        failAt(path, token.line, "'" + token.text + "' is not a note like c4, f#3 or bb2");
    }
    return 12 * (octave + 1) + *pitch + (wraps ? (text[1] == 'b' ? -12 : 12) : 0);
}

// Semitones above the chord's root for a degree: odd degrees are chord tones,
// even ones the scale steps between; every 7 degrees is an octave.
int degreeInterval(int degree, const Chord& chord) {
    int octaves = 0;
    if (degree < 0) {
        degree = -degree;
        octaves = -1;
    }
    while (degree > 7) {
        degree -= 7;
        ++octaves;
    }
    int interval = 0;
    if (degree % 2 == 1) {
        const std::size_t index = static_cast<std::size_t>(degree / 2);
        if (index < chord.intervals.size()) {
            interval = chord.intervals[index] % 12;
        } else {
            // A seventh the chord does not name: minor seventh over a minor or
            // plain chord, which suits the game's modes.
            interval = degree == 7 ? 10 : 7;
        }
    } else {
        interval = degree == 2 ? 2 : degree == 4 ? 5 : 9;
        if (degree == 6 && chord.intervals.size() > 1 && chord.intervals[1] == 3) interval = 8;
    }
    return interval + 12 * octaves;
}

class TrackLayout {
public:
    TrackLayout(const ParsedScore& parsed, const TrackSource& source, const std::string& path)
        : parsed_(parsed), source_(source), path_(path) {
        steps_ = source.steps > 0 ? source.steps : parsed.score.stepsPerBar;
        total_ = parsed.score.bars * steps_;
        stepSeconds_ = parsed.score.barSeconds() / steps_;
    }

    double timeOfStep(int step) const {
        double time = step * stepSeconds_;
        if (step % 2 == 1) time += parsed_.score.swing * stepSeconds_;
        return time;
    }

    const Chord& chordAtStep(int step) const {
        const double bar = std::fmod(static_cast<double>(step) / steps_, parsed_.chordBars);
        const ChordSpan* current = &parsed_.chords.front();
        for (const ChordSpan& span : parsed_.chords) {
            if (span.startBar <= bar + 1e-9) current = &span;
        }
        return current->chord;
    }

    // Lays a sequence out over the loop; `pitches` turns a note token into notes.
    template <typename Pitches>
    std::vector<NoteEvent> layOut(const std::vector<Token>& tokens, Pitches pitches) const {
        std::vector<NoteEvent> events;
        if (tokens.empty()) return events;
        if (static_cast<int>(tokens.size()) > total_) {
            failAt(path_, tokens[total_].line, "this sequence is longer than the loop's " + std::to_string(total_) +
                                                   " steps");
        }
        std::vector<std::size_t> open;
        auto close = [&](int step) {
            for (std::size_t index : open) events[index].length = timeOfStep(step) - events[index].start;
            open.clear();
        };
        for (int step = 0; step < total_; ++step) {
            const Token& token = tokens[static_cast<std::size_t>(step) % tokens.size()];
            if (token.text == "-") continue;
            close(step);
            if (token.text == ".") continue;
            std::string text = token.text;
            const double velocity = takeVelocity(text);
            for (double note : pitches(text, token, step)) {
                open.push_back(events.size());
                events.push_back(NoteEvent{timeOfStep(step), 0, note, velocity});
            }
        }
        close(total_);
        return events;
    }

    std::vector<NoteEvent> notes() const {
        return layOut(source_.notes, [&](const std::string& text, const Token& token, int) {
            std::vector<double> pitches;
            for (const std::string& part : split(text)) pitches.push_back(parseNote(part, token, path_));
            return pitches;
        });
    }

    std::vector<NoteEvent> degrees() const {
        return layOut(source_.degrees, [&](const std::string& text, const Token& token, int step) {
            const Chord& chord = chordAtStep(step);
            std::vector<double> pitches;
            for (const std::string& part : split(text)) {
                int degree = 0;
                try {
                    std::size_t used = 0;
                    degree = std::stoi(part, &used);
                    if (used != part.size()) degree = 0;
                } catch (const std::exception&) {
                    degree = 0;
                }
                if (degree == 0 || degree > 21 || degree < -21) {
                    failAt(path_, token.line, "'" + token.text + "' is not a degree like 1, 5, 8 or 1+3+5");
                }
                int interval = degreeInterval(degree, chord);
                const int base = 12 * (source_.octave + 1) + chord.root;
                if (source_.close) {
                    // Fold into the octave from F below the track's octave C up to E,
                    // so that chord changes move each voice by a step or two.
                    const int low = 12 * (source_.octave + 1) - 7;
                    int note = base + interval;
                    while (note < low) note += 12;
                    while (note >= low + 12) note -= 12;
                    pitches.push_back(note);
                } else {
                    pitches.push_back(base + interval);
                }
            }
            return pitches;
        });
    }

    std::vector<NoteEvent> hits(const std::vector<Token>& tokens) const {
        std::vector<NoteEvent> events;
        if (static_cast<int>(tokens.size()) > total_) {
            failAt(path_, tokens[total_].line, "this pattern is longer than the loop");
        }
        if (tokens.empty()) return events;
        for (int step = 0; step < total_; ++step) {
            const Token& token = tokens[static_cast<std::size_t>(step) % tokens.size()];
            double velocity = 0;
            if (token.text == "x") {
                velocity = 0.8;
            } else if (token.text == "X") {
                velocity = 1.0;
            } else if (token.text == "o") {
                velocity = 0.45;
            } else if (token.text != "." && token.text != "-") {
                failAt(path_, token.line, "a drum step is x, X, o or ., not '" + token.text + "'");
            }
            if (velocity > 0) events.push_back(NoteEvent{timeOfStep(step), stepSeconds_, 60, velocity});
        }
        return events;
    }

private:
    static std::vector<std::string> split(const std::string& text) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        while (true) {
            const std::size_t plus = text.find('+', start);
            parts.push_back(text.substr(start, plus - start));
            if (plus == std::string::npos) break;
            start = plus + 1;
        }
        return parts;
    }

    const ParsedScore& parsed_;
    const TrackSource& source_;
    const std::string& path_;
    int steps_ = 16;
    int total_ = 0;
    double stepSeconds_ = 0;
};

void appendTokens(std::vector<Token>& tokens, const ParameterLine& line, std::size_t first) {
    for (std::size_t index = first; index < line.words.size(); ++index) {
        if (line.words[index] != "|") tokens.push_back(Token{line.words[index], line.number});
    }
}

void readChords(ParsedScore& parsed, const ParameterLine& line, const std::string& path) {
    for (std::size_t index = 1; index < line.words.size(); ++index) {
        if (line.words[index] == "|") continue;
        std::vector<Token> parts;
        std::string word = line.words[index];
        std::size_t start = 0;
        while (true) {
            const std::size_t comma = word.find(',', start);
            parts.push_back(Token{word.substr(start, comma - start), line.number});
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        for (std::size_t part = 0; part < parts.size(); ++part) {
            parsed.chords.push_back(ChordSpan{parsed.chordBars + static_cast<double>(part) / parts.size(),
                                              parseChord(parts[part], path)});
        }
        ++parsed.chordBars;
    }
    if (line.words.size() < 2) failAt(path, line.number, "'chords' needs at least one chord");
}

bool readSongParameter(ParsedScore& parsed, const std::string& key, WordReader& words, const ParameterLine& line,
                       const std::string& path) {
    Score& score = parsed.score;
    if (key == "tempo") {
        score.tempo = words.number("the tempo in beats per minute", 20, 400);
    } else if (key == "bars") {
        score.bars = words.integer("the number of bars", 1, 512);
    } else if (key == "swing") {
        score.swing = words.number("the swing in steps", 0, 0.5);
    } else if (key == "reverb") {
        score.reverbMix = words.number("the reverb's mix", 0, 1);
        score.reverbSize = words.number("the room's size", 0, 1);
    } else if (key == "peak") {
        score.peakDecibels = words.number("the peak in dB", -60, -1);
    } else if (key == "chords") {
        readChords(parsed, line, path);
        return true;
    } else {
        return false;
    }
    words.finish();
    return true;
}

bool readTrackParameter(TrackSource& source, const std::string& key, WordReader& words, const ParameterLine& line) {
    if (key == "gain") {
        source.track.gain = words.number("the track's gain", 0, 16);
    } else if (key == "pan") {
        source.track.pan = words.number("the pan", -1, 1);
    } else if (key == "echo") {
        source.track.echoSteps = words.number("the echo's delay in steps", 0.01, 64);
        source.track.echoFeedback = words.number("the echo's feedback", 0, 0.95);
        source.track.echoMix = words.number("the echo's mix", 0, 1);
    } else if (key == "octave") {
        source.octave = words.integer("the octave", 0, 8);
    } else if (key == "steps") {
        source.steps = words.integer("the steps per bar", 1, 64);
    } else if (key == "close") {
        source.close = true;
    } else if (key == "notes") {
        appendTokens(source.notes, line, 1);
        return true;
    } else if (key == "degrees") {
        appendTokens(source.degrees, line, 1);
        return true;
    } else if (key == "hits") {
        const std::string instrument = words.word("the drum's instrument");
        auto found = std::find_if(source.hits.begin(), source.hits.end(),
                                  [&](const auto& entry) { return entry.first == instrument; });
        if (found == source.hits.end()) {
            source.hits.emplace_back(instrument, std::vector<Token>{});
            found = source.hits.end() - 1;
        }
        appendTokens(found->second, line, 2);
        return true;
    } else {
        return false;
    }
    words.finish();
    return true;
}

ParsedScore parseLines(const std::string& text, const std::string& path) {
    enum class Block { Song, Instrument, Voice, Track };
    ParsedScore parsed;
    Block block = Block::Song;
    std::string instrument;
    for (const ParameterLine& line : parseParameterText(text)) {
        const std::string& key = line.words[0];
        WordReader words(path, line);
        if (key == "instrument") {
            instrument = words.word("the instrument's name");
            words.finish();
            if (parsed.score.instruments.count(instrument) != 0) words.fail(instrument + " is defined twice");
            parsed.score.instruments[instrument];
            block = Block::Instrument;
        } else if (key == "voice") {
            words.finish();
            if (block != Block::Instrument && block != Block::Voice) words.fail("'voice' belongs to an instrument");
            parsed.score.instruments[instrument].emplace_back();
            block = Block::Voice;
        } else if (key == "track") {
            TrackSource source;
            source.track.name = words.word("the track's name");
            if (!words.atEnd()) source.instrument = words.word("the track's instrument");
            words.finish();
            source.line = line.number;
            parsed.tracks.push_back(std::move(source));
            block = Block::Track;
        } else if (block == Block::Voice && readVoiceParameter(parsed.score.instruments[instrument].back(), key, words)) {
            continue;
        } else if (block == Block::Track && readTrackParameter(parsed.tracks.back(), key, words, line)) {
            continue;
        } else if (key == "steps" && block == Block::Song) {
            parsed.score.stepsPerBar = words.integer("the steps per bar", 1, 64);
            words.finish();
        } else if (!readSongParameter(parsed, key, words, line, path)) {
            words.fail("unknown word '" + key + "' here");
        }
    }
    return parsed;
}

void checkInstrument(const Score& score, const std::string& name, int line, const std::string& path) {
    const auto found = score.instruments.find(name);
    if (found == score.instruments.end()) failAt(path, line, "no instrument named '" + name + "'");
    if (found->second.empty()) failAt(path, line, "instrument '" + name + "' has no voice");
}

} // namespace

Score parseScore(const std::string& text, const std::string& path) {
    ParsedScore parsed = parseLines(text, path);
    Score& score = parsed.score;
    if (score.bars <= 0) failAt(path, 1, "a score needs 'bars N'");
    if (score.loopSeconds() < kShortestLoopSeconds) {
        failAt(path, 1, "the loop lasts " + std::to_string(score.loopSeconds()) + " s; music loops for at least " +
                            std::to_string(static_cast<int>(kShortestLoopSeconds)) + " s");
    }
    if (parsed.chords.empty()) parsed.chords.push_back(ChordSpan{0, Chord{0, {0, 4, 7}}}), parsed.chordBars = 1;
    for (const TrackSource& source : parsed.tracks) {
        Track track = source.track;
        const TrackLayout layout(parsed, source, path);
        if (!source.notes.empty() || !source.degrees.empty()) {
            if (source.instrument.empty()) failAt(path, source.line, "track " + track.name + " plays notes: name its instrument");
            checkInstrument(score, source.instrument, source.line, path);
            std::vector<NoteEvent>& events = track.notes[source.instrument];
            for (const NoteEvent& event : layout.notes()) events.push_back(event);
            for (const NoteEvent& event : layout.degrees()) events.push_back(event);
        }
        for (const auto& [drum, tokens] : source.hits) {
            checkInstrument(score, drum, tokens.empty() ? source.line : tokens.front().line, path);
            std::vector<NoteEvent>& events = track.notes[drum];
            for (const NoteEvent& event : layout.hits(tokens)) events.push_back(event);
        }
        score.tracks.push_back(std::move(track));
    }
    if (score.tracks.empty()) failAt(path, 1, "a score needs at least one track");
    return score;
}

std::vector<float> renderScore(const Score& score) {
    const auto loopFrames = static_cast<std::size_t>(std::llround(score.loopSeconds() * kSampleRate));
    constexpr int kPasses = 2;
    std::vector<float> stereo(loopFrames * kPasses * 2, 0.0f);
    std::uint32_t trackSeed = 0;
    for (const Track& track : score.tracks) {
        ++trackSeed;
        std::vector<float> mono(loopFrames * kPasses, 0.0f);
        for (const auto& [instrumentName, events] : track.notes) {
            const std::vector<VoiceSpec>& voices = score.instruments.at(instrumentName);
            std::uint32_t eventSeed = trackSeed * 1000003u;
            for (const NoteEvent& event : events) {
                ++eventSeed;
                const double hz = noteFrequency(event.midiNote);
                for (int pass = 0; pass < kPasses; ++pass) {
                    const std::size_t offset =
                        pass * loopFrames + static_cast<std::size_t>(std::llround(event.start * kSampleRate));
                    std::uint32_t voiceSeed = eventSeed * 31u;
                    for (const VoiceSpec& voice : voices) {
                        renderVoice(voice, hz, event.length, event.velocity, ++voiceSeed, mono, offset);
                    }
                }
            }
        }
        const double stepSeconds = score.barSeconds() / score.stepsPerBar;
        applyEcho(mono, static_cast<std::size_t>(std::llround(track.echoSteps * stepSeconds * kSampleRate)),
                  track.echoFeedback, track.echoMix);
        // Equal-power panning keeps a track as loud wherever it sits.
        const double angle = (track.pan + 1) * std::numbers::pi / 4;
        const double left = std::cos(angle) * std::numbers::sqrt2 * track.gain;
        const double right = std::sin(angle) * std::numbers::sqrt2 * track.gain;
        for (std::size_t frame = 0; frame < mono.size(); ++frame) {
            stereo[2 * frame] += static_cast<float>(mono[frame] * left);
            stereo[2 * frame + 1] += static_cast<float>(mono[frame] * right);
        }
    }
    applyReverb(stereo, score.reverbMix, score.reverbSize);
    removeOffset(stereo, 2);
    std::vector<float> loop(stereo.begin() + static_cast<std::ptrdiff_t>(loopFrames * 2), stereo.end());
    normalisePeak(loop, score.peakDecibels);
    return loop;
}

} // namespace assetbake
