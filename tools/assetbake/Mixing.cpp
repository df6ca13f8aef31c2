#include "Mixing.h"

#include <algorithm>
#include <cmath>

namespace assetbake {
namespace {

// Delay lengths of the reverb at 22050 Hz; prime-ish and unrelated, so the
// echoes never line up into a ringing pitch.
constexpr std::size_t kCombLengths[] = {558, 594, 639, 678, 711, 746, 779, 809};
constexpr std::size_t kAllPassLengths[] = {278, 221, 171, 113};
constexpr std::size_t kRightSideSpread = 12;
constexpr double kDamping = 0.35;
constexpr double kInputGain = 0.03;

class Comb {
public:
    explicit Comb(std::size_t length) : buffer_(length, 0.0f) {}
    float process(float input, double feedback) {
        const float output = buffer_[index_];
        filtered_ = static_cast<float>(output * (1 - kDamping) + filtered_ * kDamping);
        buffer_[index_] = static_cast<float>(input + filtered_ * feedback);
        index_ = (index_ + 1) % buffer_.size();
        return output;
    }

private:
    std::vector<float> buffer_;
    std::size_t index_ = 0;
    float filtered_ = 0;
};

class AllPass {
public:
    explicit AllPass(std::size_t length) : buffer_(length, 0.0f) {}
    float process(float input) {
        const float delayed = buffer_[index_];
        buffer_[index_] = input + delayed * 0.5f;
        index_ = (index_ + 1) % buffer_.size();
        return delayed - input;
    }

private:
    std::vector<float> buffer_;
    std::size_t index_ = 0;
};

class ReverbSide {
public:
    explicit ReverbSide(std::size_t spread) {
        for (std::size_t length : kCombLengths) combs_.emplace_back(length + spread);
        for (std::size_t length : kAllPassLengths) allPasses_.emplace_back(length + spread);
    }
    float process(float input, double feedback) {
        float sum = 0;
        for (Comb& comb : combs_) sum += comb.process(input, feedback);
        for (AllPass& allPass : allPasses_) sum = allPass.process(sum);
        return sum;
    }

private:
    std::vector<Comb> combs_;
    std::vector<AllPass> allPasses_;
};

} // namespace

void removeOffset(std::vector<float>& samples, int channels) {
    constexpr double kPole = 1 - 2 * 3.141592653589793 * 20 / 22050;
    for (int channel = 0; channel < channels; ++channel) {
        double previousInput = 0, previousOutput = 0;
        for (std::size_t at = static_cast<std::size_t>(channel); at < samples.size(); at += static_cast<std::size_t>(channels)) {
            const double output = samples[at] - previousInput + kPole * previousOutput;
            previousInput = samples[at];
            previousOutput = output;
            samples[at] = static_cast<float>(output);
        }
    }
}

double decibels(double value) { return std::pow(10.0, value / 20); }

void applyEcho(std::vector<float>& samples, std::size_t delayFrames, double feedback, double mix) {
    if (delayFrames == 0 || mix <= 0) return;
    std::vector<float> line(delayFrames, 0.0f);
    std::size_t index = 0;
    for (float& sample : samples) {
        const float echoed = line[index];
        line[index] = static_cast<float>(sample + echoed * feedback);
        index = (index + 1) % delayFrames;
        sample += static_cast<float>(echoed * mix);
    }
}

void applyReverb(std::vector<float>& stereo, double mix, double roomSize) {
    if (mix <= 0) return;
    ReverbSide left(0), right(kRightSideSpread);
    const double feedback = 0.7 + 0.28 * std::clamp(roomSize, 0.0, 1.0);
    for (std::size_t frame = 0; frame + 1 < stereo.size(); frame += 2) {
        const float input = static_cast<float>((stereo[frame] + stereo[frame + 1]) * kInputGain);
        const float wetLeft = left.process(input, feedback);
        const float wetRight = right.process(input, feedback);
        stereo[frame] = static_cast<float>(stereo[frame] * (1 - mix * 0.5) + wetLeft * mix);
        stereo[frame + 1] = static_cast<float>(stereo[frame + 1] * (1 - mix * 0.5) + wetRight * mix);
    }
}

double peakOf(const std::vector<float>& samples) {
    double peak = 0;
    for (float sample : samples) peak = std::max(peak, static_cast<double>(std::abs(sample)));
    return peak;
}

void normalisePeak(std::vector<float>& samples, double peakDecibels) {
    const double peak = peakOf(samples);
    if (peak <= 0) return;
    const double factor = decibels(peakDecibels) / peak;
    for (float& sample : samples) sample = static_cast<float>(sample * factor);
}

void fadeOutEnd(std::vector<float>& samples, int channels, std::size_t frames) {
    const std::size_t total = samples.size() / static_cast<std::size_t>(channels);
    frames = std::min(frames, total);
    for (std::size_t frame = total - frames; frame < total; ++frame) {
        const double level = static_cast<double>(total - 1 - frame) / static_cast<double>(frames);
        for (int channel = 0; channel < channels; ++channel) {
            samples[frame * channels + channel] = static_cast<float>(samples[frame * channels + channel] * level);
        }
    }
}

} // namespace assetbake
