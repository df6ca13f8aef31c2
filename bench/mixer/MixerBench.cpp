// What mixing costs the game: 16 effects (22050 Hz mono, as the game's are) and 2 music
// streams (22050 Hz stereo) playing at once, mixed in the SDL callback's 512-frame blocks.
// One iteration is one second of output, so the CPU time per iteration is the CPU time
// per second of sound. Goal: under 10 ms, 1 % of one core, at either output rate.
//
//   build/release/bench/mixer/mixer_bench
//
// The reference is the least any mixer must do: add the same 18 streams, already in the
// output's format, into the output with clipping. "vs_plain_sum" is the ratio to it.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Mixer.h"

using namespace tidewell::platform;

namespace {

constexpr int kEffects = 16;
constexpr int kMusicStreams = 2;
constexpr std::size_t kBlockFrames = 512;

std::vector<std::uint8_t> noise(std::size_t bytes, std::uint32_t seed) {
    std::vector<std::uint8_t> data(bytes);
    for (auto& byte : data) {
        seed = seed * 214013u + 2531011u;
        byte = static_cast<std::uint8_t>(seed >> 16);
    }
    return data;
}

std::unique_ptr<AudioBuffer> playing(Mixer& mixer, const WaveFormat& format, std::uint32_t bytes, std::uint32_t seed) {
    AudioResult result;
    auto buffer = mixer.createBuffer(format, bytes, result);
    LockedRegion region;
    buffer->lock(0, bytes, region);
    const auto data = noise(bytes, seed);
    std::copy(data.begin(), data.end(), region.first);
    buffer->unlock(region);
    buffer->setVolume(-200);  // quieter than full, so the sum is not clipped all the time
    buffer->play(true);       // looping, so every voice plays for the whole measurement
    return buffer;
}

void MixEighteenVoices(benchmark::State& state) {
    const auto outputRate = static_cast<std::uint32_t>(state.range(0));
    auto mixer = std::make_shared<Mixer>(WaveFormat{1, outputRate, 16});
    std::vector<std::unique_ptr<AudioBuffer>> voices;
    for (int i = 0; i < kEffects; ++i) {
        voices.push_back(playing(*mixer, WaveFormat{1, 22050, 16}, 22050 * 2, 1 + i));
    }
    for (int i = 0; i < kMusicStreams; ++i) {
        voices.push_back(playing(*mixer, WaveFormat{2, 22050, 16}, 22050 * 4 * 2, 100 + i));  // two seconds
    }
    std::vector<std::int16_t> block(kBlockFrames);
    for (auto _ : state) {
        for (std::uint32_t done = 0; done < outputRate; done += kBlockFrames) {
            mixer->mix(block.data(), std::min<std::size_t>(kBlockFrames, outputRate - done));
            benchmark::DoNotOptimize(block.data());
        }
    }
    state.SetLabel(std::to_string(outputRate) + " Hz output");
}
BENCHMARK(MixEighteenVoices)->Arg(22050)->Arg(44100)->Unit(benchmark::kMillisecond);

// The reference: 18 streams of output-rate mono samples summed and clipped, nothing else.
void PlainSumOfEighteenStreams(benchmark::State& state) {
    const auto outputRate = static_cast<std::size_t>(state.range(0));
    std::vector<std::vector<std::int16_t>> streams;
    for (int i = 0; i < kEffects + kMusicStreams; ++i) {
        const auto bytes = noise(outputRate * 2, 7 + i);
        streams.emplace_back(reinterpret_cast<const std::int16_t*>(bytes.data()),
                             reinterpret_cast<const std::int16_t*>(bytes.data()) + outputRate);
    }
    std::vector<std::int32_t> sum(kBlockFrames);
    std::vector<std::int16_t> block(kBlockFrames);
    for (auto _ : state) {
        for (std::size_t done = 0; done < outputRate; done += kBlockFrames) {
            const std::size_t frames = std::min(kBlockFrames, outputRate - done);
            std::fill(sum.begin(), sum.end(), 0);
            for (const auto& stream : streams) {
                for (std::size_t i = 0; i < frames; ++i) sum[i] += (stream[done + i] * 52057) >> 16;
            }
            for (std::size_t i = 0; i < frames; ++i)
                block[i] = static_cast<std::int16_t>(std::clamp(sum[i], -32768, 32767));
            benchmark::DoNotOptimize(block.data());
        }
    }
}
BENCHMARK(PlainSumOfEighteenStreams)->Arg(22050)->Arg(44100)->Unit(benchmark::kMillisecond);

// Prints the usual table, then each mixer run as a share of one core and against the
// plain sum at the same output rate.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // One figure per output rate: a plain run, or the mean of repetitions.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") continue;
            const double cpuMs = run.GetAdjustedCPUTime();  // per iteration, in the run's unit (ms)
            const bool isMixer = run.run_name.function_name.rfind("Mix", 0) == 0;
            (isMixer ? mixer_ : reference_)[run.run_name.args] = cpuMs;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [rate, cpuMs] : mixer_) {
            std::printf("%s Hz output: %.3f ms of CPU per second of sound = %.3f %% of one core (goal < 1 %%)",
                        rate.c_str(), cpuMs, cpuMs / 10.0);
            if (reference_.count(rate) != 0) std::printf(", %.2f x the plain sum", cpuMs / reference_[rate]);
            std::printf("\n");
        }
    }

private:
    std::map<std::string, double> mixer_;
    std::map<std::string, double> reference_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
