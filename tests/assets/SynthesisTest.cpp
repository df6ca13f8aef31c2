#include "BakeError.h"
#include "Mixing.h"
#include "Score.h"
#include "SoundEffect.h"
#include "VorbisWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using assetbake::BakeError;

namespace {

template <typename Action>
std::string errorOf(Action action) {
    try {
        action();
    } catch (const BakeError& error) {
        return error.what();
    }
    return "";
}

const char* const kBlip = R"(# a blip
length 0.2
peak -6
voice
  wave square 0.3
  pitch 880 -> 220 in 0.1
  envelope 0.001 0.1
)";

TEST(SynthesisTest, AnEffectRendersAtItsLengthAndPeakWithoutAnOffset) {
    const auto samples = assetbake::renderSoundEffect(assetbake::parseSoundEffect(kBlip, "blip.sfx"));
    ASSERT_EQ(samples.size(), 4410u);
    EXPECT_NEAR(assetbake::peakOf(samples), assetbake::decibels(-6), 1e-6);
    // A narrow square has a large constant part; it is taken out.
    double sum = 0;
    for (float sample : samples) sum += sample;
    EXPECT_LT(std::abs(sum / samples.size()), 0.01);
    // The pitch falls: more zero crossings in the first 50 ms than in the 50 ms after 100 ms.
    auto crossings = [&](std::size_t from) {
        int count = 0;
        for (std::size_t at = from + 1; at < from + 1102; ++at) count += (samples[at - 1] < 0) != (samples[at] < 0);
        return count;
    };
    EXPECT_GT(crossings(0), crossings(2205) + 20);
    // It ends in silence, so playing it never clicks.
    EXPECT_EQ(samples.back(), 0.0f);
}

TEST(SynthesisTest, EffectFilesWithMistakesNameTheLineAndTheProblem) {
    auto parse = [](const char* text) { return errorOf([&] { assetbake::parseSoundEffect(text, "x.sfx"); }); };
    EXPECT_EQ(parse("length 0.2\nvoice\n  wave sawtooth\n"), "x.sfx:3: unknown wave 'sawtooth' (sine, triangle, square, saw or noise)");
    EXPECT_EQ(parse("length 0.2\nvoice\n  wobble 3\n"), "x.sfx:3: unknown word 'wobble'");
    EXPECT_EQ(parse("length 0.2\nvoice\n  pitch 880 -> lots\n"), "x.sfx:3: the pitch in Hz must be a number, not 'lots'");
    EXPECT_EQ(parse("length 0.2\npeak 0\nvoice\n"), "x.sfx:2: the peak in dB must be between -60 and -1, not 0");
    EXPECT_EQ(parse("length 0.2\nvoice\n  gain 1 2\n"), "x.sfx:3: unexpected '2' after 'gain'");
    EXPECT_EQ(parse("voice\n  wave sine\n"), "x.sfx:1: a sound effect needs 'length SECONDS'");
}

std::string scoreText(const std::string& tracks, int bars = 10) {
    return "tempo 60\nbars " + std::to_string(bars) + "\nsteps 4\nchords Am F\n"
           "instrument tone\n  voice\n    wave sine\n    envelope 0.01 0.5 0.8 0.5\n" + tracks;
}

std::vector<double> pitches(const assetbake::Score& score, std::size_t count) {
    std::vector<double> result;
    for (const auto& event : score.tracks.at(0).notes.at("tone")) {
        if (result.size() < count) result.push_back(event.midiNote);
    }
    return result;
}

TEST(SynthesisTest, DegreesFollowTheBarsChordAndNotesHoldAndRepeat) {
    const auto degrees = assetbake::parseScore(scoreText("track t tone\n  octave 3\n  degrees 1 3 5 8\n"), "s");
    // Bar 1 is A minor (A3 C4 E4 A4), bar 2 F major (F3 A3 C4 F4), then A minor again.
    EXPECT_EQ(pitches(degrees, 12), (std::vector<double>{57, 60, 64, 69, 53, 57, 60, 65, 57, 60, 64, 69}));

    // "close" folds each chord into one octave, so F's notes sit near A minor's.
    const auto close = assetbake::parseScore(scoreText("track t tone\n  octave 4\n  close\n  degrees 1+3+5 - - -\n"), "s");
    EXPECT_EQ(pitches(close, 6), (std::vector<double>{57, 60, 64, 53, 57, 60}));

    const auto notes = assetbake::parseScore(scoreText("track t tone\n  notes c4 - - . e4! f#4? | bb3 -\n"), "s");
    const auto& events = notes.tracks.at(0).notes.at("tone");
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events[0].midiNote, 60);
    EXPECT_DOUBLE_EQ(events[0].length, 3.0); // three steps of a second at 60 beats a minute, 4 steps a bar
    EXPECT_DOUBLE_EQ(events[1].start, 4.0);
    EXPECT_EQ(events[1].velocity, 1.0);
    EXPECT_EQ(events[2].midiNote, 66);
    EXPECT_EQ(events[2].velocity, 0.5);
    EXPECT_EQ(events[3].midiNote, 58);
    // The 8-step sequence repeats over the 40 steps of the loop.
    EXPECT_EQ(events.size(), 4u * 5);
}

TEST(SynthesisTest, ScoresWithMistakesNameTheLineAndTheProblem) {
    auto parse = [](const std::string& text) { return errorOf([&] { assetbake::parseScore(text, "s.score"); }); };
    EXPECT_EQ(parse(scoreText("track t tone\n  notes c4 h4\n")), "s.score:10: 'h4' is not a note like c4, f#3 or bb2");
    EXPECT_EQ(parse(scoreText("track t flute\n  notes c4\n")), "s.score:9: no instrument named 'flute'");
    EXPECT_EQ(parse(scoreText("track t\n  hits tone x y\n")), "s.score:10: a drum step is x, X, o or ., not 'y'");
    EXPECT_NE(parse(scoreText("track t tone\n  notes c4\n", 4)).find("music loops for at least 20 s"), std::string::npos);
    EXPECT_EQ(parse("tempo 60\nbars 10\nchords Hm\n"), "s.score:3: a chord starts with its root, A to G, not 'Hm'");
    std::string tooLong = "track t tone\n  notes";
    for (int step = 0; step < 41; ++step) tooLong += " c4";
    EXPECT_EQ(parse(scoreText(tooLong + "\n")), "s.score:10: this sequence is longer than the loop's 40 steps");
}

TEST(SynthesisTest, ALoopStartsWithTheTailOfItsEndSoItFlowsRoundWithoutAClick) {
    // One note held over the loop's end and a long echo: the rendered loop must
    // begin inside both, not in silence.
    const auto score = assetbake::parseScore(
        scoreText("track t tone\n  echo 3 0.5 0.5\n  notes . . . . . . . . | " + std::string(31, ' ') +
                  ". . . . . . . . . . . . . . . . . . . . . . . . . . . . . c4 - -\n"),
        "s");
    const std::vector<float> loop = assetbake::renderScore(score);
    ASSERT_EQ(loop.size(), 2u * 10 * 4 * 22050);
    float largestStep = 0;
    for (std::size_t at = 2; at < loop.size(); ++at) largestStep = std::max(largestStep, std::abs(loop[at] - loop[at - 2]));
    for (std::size_t channel = 0; channel < 2; ++channel) {
        EXPECT_GT(std::abs(loop[200 + channel]), 0.01f);
        EXPECT_LE(std::abs(loop[channel] - loop[loop.size() - 2 + channel]), largestStep);
    }
    EXPECT_NEAR(assetbake::peakOf(loop), assetbake::decibels(-1.5), 1e-6);
}

TEST(SynthesisTest, VorbisStreamsKeepTheirLengthStayUnderTheirPeakAndRepeatExactly) {
    // A full-scale square wave: lossy coding overshoots it, so the encoder must turn it down.
    std::vector<float> square(22050);
    for (std::size_t at = 0; at < square.size(); ++at) square[at] = (at / 50) % 2 == 0 ? 1.0f : -1.0f;
    const std::vector<std::uint8_t> stream = assetbake::encodeVorbis(square, 1, -1.0);
    int channels = 0;
    long rate = 0;
    const std::vector<std::int16_t> decoded = assetbake::decodeVorbis(stream, channels, rate);
    EXPECT_EQ(channels, 1);
    EXPECT_EQ(rate, 22050);
    EXPECT_EQ(decoded.size(), square.size());
    int peak = 0;
    for (std::int16_t sample : decoded) peak = std::max(peak, std::abs(static_cast<int>(sample)));
    EXPECT_LE(peak, 32767 * assetbake::decibels(-1.0));
    EXPECT_GT(peak, 32767 * assetbake::decibels(-2.0));
    EXPECT_EQ(stream, assetbake::encodeVorbis(square, 1, -1.0));
}

} // namespace
