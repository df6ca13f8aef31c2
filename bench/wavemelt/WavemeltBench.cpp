// Decoding throughput of the wavemelt program against `oggdec -R` on the same
// 60-second stereo Ogg Vorbis file. Both decode with libvorbisfile, so the
// ratio shows what buffering, output handling and the safe replacement of the
// target cost. Each iteration runs both programs, alternating which goes first.
//
//   speed_ratio = oggdec wall time / wavemelt wall time   (1.0 or more: wavemelt keeps up)
//   cpu_ratio   = the same for processor time, steadier on a busy machine
//
// wavemelt's wall time includes what oggdec does not do: syncing its output to
// disk before it deletes the source.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "VorbisEncoder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr long kRate = 44100;
constexpr std::size_t kFrames = 60 * kRate;

// Music-like material: a few tones per channel and some noise, so that the
// encoder spends a realistic number of bits.
std::vector<std::int16_t> sixtySecondsOfStereo() {
    std::vector<std::int16_t> left = wavemelt::testing::sineWave(220.0, kRate, kFrames, 5000.0);
    std::vector<std::int16_t> right = wavemelt::testing::sineWave(330.0, kRate, kFrames, 5000.0);
    const std::vector<std::int16_t> high = wavemelt::testing::sineWave(1760.0, kRate, kFrames, 2000.0);
    std::minstd_rand noise(7);
    std::uniform_int_distribution<int> hiss(-1500, 1500);
    for (std::size_t frame = 0; frame < kFrames; ++frame) {
        left[frame] = static_cast<std::int16_t>(left[frame] + high[frame] + hiss(noise));
        right[frame] = static_cast<std::int16_t>(right[frame] - high[frame] + hiss(noise));
    }
    return wavemelt::testing::interleave(left, right);
}

struct Workspace {
    fs::path directory;
    fs::path reference;  // the encoded file, never handed to wavemelt, which deletes its sources

    Workspace() {
        std::string pattern = (fs::temp_directory_path() / "wavemelt-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        directory = pattern;
        reference = directory / "reference.ogg";
        wavemelt::testing::writeFile(reference, wavemelt::testing::encodeVorbis(sixtySecondsOfStereo(), 2, kRate));
    }
    ~Workspace() { fs::remove_all(directory); }
};

const Workspace& workspace() {
    static const Workspace instance;
    return instance;
}

// Runs a program in the workspace with its standard output discarded and
// returns its wall-clock and processor time in seconds; the exit status must
// be 0. Processor time is steadier than wall-clock time on a busy machine.
struct Timing {
    double wall = -1.0;
    double processor = 0.0;
};

double secondsOf(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

Timing timeProgram(std::vector<std::string> args) {
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int devNull = open("/dev/null", O_WRONLY);
        if (chdir(workspace().directory.c_str()) != 0 || devNull < 0 || dup2(devNull, STDOUT_FILENO) < 0) _exit(126);
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return Timing{};
    }
    return Timing{elapsed.count(), secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime)};
}

std::vector<char> contentsOf(const fs::path& path, std::size_t skip = 0) {
    std::ifstream in(path, std::ios::binary);
    in.ignore(static_cast<std::streamsize>(skip));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Timing timeWavemelt() {
    fs::copy_file(workspace().reference, workspace().directory / "music.ogg", fs::copy_options::overwrite_existing);
    return timeProgram({WAVEMELT_PATH, "music.ogg"});
}

Timing timeOggdec() { return timeProgram({"oggdec", "-Q", "-R", "-o", "music.raw", "reference.ogg"}); }

void BM_WavemeltAgainstOggdec(benchmark::State& state) {
    Timing wavemeltTotal{0.0, 0.0}, oggdecTotal{0.0, 0.0};
    bool wavemeltFirst = true;
    for (auto _ : state) {
        const Timing first = wavemeltFirst ? timeWavemelt() : timeOggdec();
        const Timing second = wavemeltFirst ? timeOggdec() : timeWavemelt();
        const Timing& wavemelt = wavemeltFirst ? first : second;
        const Timing& oggdec = wavemeltFirst ? second : first;
        if (wavemelt.wall < 0 || oggdec.wall < 0) {
            state.SkipWithError("wavemelt or oggdec failed (is vorbis-tools installed?)");
            return;
        }
        state.SetIterationTime(wavemelt.wall);
        wavemeltTotal.wall += wavemelt.wall;
        wavemeltTotal.processor += wavemelt.processor;
        oggdecTotal.wall += oggdec.wall;
        oggdecTotal.processor += oggdec.processor;
        wavemeltFirst = !wavemeltFirst;
    }
    // The same library with the same settings must give the same samples.
    if (contentsOf(workspace().directory / "music.tws", 16) != contentsOf(workspace().directory / "music.raw")) {
        state.SkipWithError("wavemelt and oggdec decoded different samples");
        return;
    }
    const auto average = [](double seconds) {
        return benchmark::Counter(seconds * 1000.0, benchmark::Counter::kAvgIterations);
    };
    state.counters["wavemelt_ms"] = average(wavemeltTotal.wall);
    state.counters["oggdec_ms"] = average(oggdecTotal.wall);
    state.counters["wavemelt_cpu_ms"] = average(wavemeltTotal.processor);
    state.counters["oggdec_cpu_ms"] = average(oggdecTotal.processor);
    state.counters["speed_ratio"] = oggdecTotal.wall / wavemeltTotal.wall;
    state.counters["cpu_ratio"] = oggdecTotal.processor / wavemeltTotal.processor;
}
BENCHMARK(BM_WavemeltAgainstOggdec)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
