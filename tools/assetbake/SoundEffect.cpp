#include "SoundEffect.h"

#include "Mixing.h"
#include "ParameterFile.h"
#include "VoiceSyntax.h"

#include <cmath>

namespace assetbake {
namespace {

// Every effect ends with this fade, so that a cut-off tail never clicks.
constexpr double kEndFadeSeconds = 0.005;

void readEffectParameter(SoundEffect& effect, const std::string& key, WordReader& words) {
    if (key == "length") {
        effect.length = words.number("the length in seconds", 0.01, 30);
    } else if (key == "peak") {
        effect.peakDecibels = words.number("the peak in dB", -60, kHighestPeakDecibels);
    } else if (key == "echo") {
        effect.echoDelay = words.number("the echo's delay in seconds", 0.001, 2);
        effect.echoFeedback = words.number("the echo's feedback", 0, 0.95);
        effect.echoMix = words.number("the echo's mix", 0, 1);
    } else {
        words.fail("unknown word '" + key + "'");
    }
    words.finish();
}

} // namespace

SoundEffect parseSoundEffect(const std::string& text, const std::string& path) {
    SoundEffect effect;
    bool inVoice = false;
    for (const ParameterLine& line : parseParameterText(text)) {
        const std::string& key = line.words[0];
        WordReader words(path, line);
        if (key == "voice") {
            words.finish();
            effect.voices.emplace_back();
            inVoice = true;
        } else if (inVoice && readVoiceParameter(effect.voices.back(), key, words)) {
            continue;
        } else if (inVoice && (key == "length" || key == "peak" || key == "echo")) {
            // "length" inside a voice is the voice's own; the others belong before the voices.
            words.fail("'" + key + "' belongs before the first voice");
        } else {
            readEffectParameter(effect, key, words);
        }
    }
    if (effect.length <= 0) failAt(path, 1, "a sound effect needs 'length SECONDS'");
    if (effect.voices.empty()) failAt(path, 1, "a sound effect needs at least one 'voice'");
    return effect;
}

std::vector<float> renderSoundEffect(const SoundEffect& effect) {
    const auto frames = static_cast<std::size_t>(std::llround(effect.length * kSampleRate));
    std::vector<float> samples(frames, 0.0f);
    std::uint32_t seed = 1;
    for (const VoiceSpec& voice : effect.voices) {
        const double held = voice.length >= 0 ? voice.length : effect.length - voice.start;
        renderVoice(voice, 440, std::max(0.0, held), 1.0, seed++, samples, 0);
    }
    applyEcho(samples, static_cast<std::size_t>(std::llround(effect.echoDelay * kSampleRate)), effect.echoFeedback,
              effect.echoMix);
    removeOffset(samples, 1);
    fadeOutEnd(samples, 1, static_cast<std::size_t>(kEndFadeSeconds * kSampleRate));
    normalisePeak(samples, effect.peakDecibels);
    return samples;
}

} // namespace assetbake
