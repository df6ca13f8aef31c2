#pragma once

#include <cstddef>
#include <vector>

namespace assetbake {

// A feedback echo: each repeat `delayFrames` later and `feedback` times quieter,
// mixed under the dry sound at `mix`.
void applyEcho(std::vector<float>& samples, std::size_t delayFrames, double feedback, double mix);

// A room reverb (eight damped comb filters and four all-pass filters per side,
// the sides tuned apart for width) mixed into interleaved stereo samples.
void applyReverb(std::vector<float>& stereo, double mix, double roomSize);

// Scales the samples so that the largest magnitude is `peakDecibels` below full
// scale. Silence stays silence.
void normalisePeak(std::vector<float>& samples, double peakDecibels);

// The largest magnitude, 1.0 being full scale.
double peakOf(const std::vector<float>& samples);

// Fades the last `frames` frames of interleaved samples to silence.
void fadeOutEnd(std::vector<float>& samples, int channels, std::size_t frames);

// Removes the constant offset (and rumble below about 20 Hz) that pulse waves
// and pitched noise leave, channel by channel: it wastes headroom and thumps
// when a sound starts or stops.
void removeOffset(std::vector<float>& samples, int channels);

// Decibels to a linear factor.
double decibels(double value);

} // namespace assetbake
