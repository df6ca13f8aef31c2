#pragma once

// The sound manager on a headless platform for one test: a scratch folder to write
// .tws files into, the manager started on the headless device, and what the device
// mixes kept in memory so a test can listen to it.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../resources/FormatWriters.h"
#include "sound/Music.h"
#include "resources/ResourceManager.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

using Samples = std::vector<std::int16_t>;

// Frames the headless device mixes per second of output, and per frame step on average.
constexpr std::size_t kRate = 22050;
constexpr std::size_t kStepsPerSecond = 20;

// A recognisable signal: no two samples within 60000 of each other are alike and none
// is silent, so a lost, repeated or silenced sample shows.
inline Samples signal(std::size_t count, std::size_t seed = 1) {
    Samples samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int value = static_cast<int>((i + seed * 7919) % 60000);
        samples[i] = static_cast<std::int16_t>(value < 30000 ? value - 30000 : value - 29999);
    }
    return samples;
}

// `cycle` repeated from index `from` until `count` samples are had.
inline Samples looped(const Samples& cycle, std::size_t count, std::size_t from = 0) {
    Samples out(count);
    for (std::size_t i = 0; i < count; ++i) out[i] = cycle[(from + i) % cycle.size()];
    return out;
}

inline Samples silence(std::size_t count) { return Samples(count, 0); }

inline Samples joined(Samples first, const Samples& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The first index at which the two differ (or at which one ends), or -1 when they are equal.
inline long firstDifference(const Samples& actual, const Samples& expected) {
    const std::size_t common = std::min(actual.size(), expected.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (actual[i] != expected[i]) return static_cast<long>(i);
    }
    return actual.size() == expected.size() ? -1 : static_cast<long>(common);
}

inline formats::Bytes bytesOf(const Samples& samples) {
    formats::Bytes bytes;
    for (std::int16_t sample : samples) formats::put16(bytes, static_cast<std::uint16_t>(sample));
    return bytes;
}

class SoundFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-sound-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        directory = pattern;
        auto made = std::make_unique<tidewell::platform::headless::HeadlessPlatform>(
            tidewell::platform::PlatformOptions{directory / "settings"});
        machine = made.get();
        tidewell::platform::install(std::move(made));
        device().keepMixed(true);
        resetManagerState();
        tidewell::SoundMusicManager::start();
    }

    void TearDown() override {
        tidewell::SoundMusicManager::stop();
        tidewell::ResourceManager::stop();
        tidewell::platform::install(nullptr);
        resetManagerState();
        std::filesystem::remove_all(directory);
    }

    // The flags and volumes as a fresh program has them.
    static void resetManagerState() {
        tidewell::SoundMusicManager::soundAvailable = true;
        tidewell::SoundMusicManager::musicAvailable = true;
        tidewell::SoundMusicManager::soundVolume = 1.0f;
        tidewell::SoundMusicManager::musicVolume = 1.0f;
    }

    tidewell::platform::headless::HeadlessAudioDevice& device() { return machine->audio(); }

    // Writes a .tws file of 16-bit samples and returns its path.
    std::string writeSound(const std::string& name, const Samples& samples, std::uint32_t channels = 1,
                           std::uint32_t rate = kRate) {
        const std::string path = (directory / name).string();
        EXPECT_TRUE(formats::writeFile(path, formats::tws(channels, rate, bytesOf(samples))));
        return path;
    }

    // Runs `steps` frame steps of the manager and returns what the device mixed meanwhile.
    Samples listen(std::size_t steps) {
        for (std::size_t i = 0; i < steps; ++i) tidewell::SoundMusicManager::update();
        return device().takeMixed();
    }

    // How many samples `steps` frame steps mix after `stepsBefore` steps since the output opened.
    static std::size_t samplesIn(std::size_t steps, std::size_t stepsBefore = 0) {
        const auto upTo = [](std::size_t n) { return n * kRate / kStepsPerSecond; };
        return upTo(stepsBefore + steps) - upTo(stepsBefore);
    }

    std::filesystem::path directory;
    tidewell::platform::headless::HeadlessPlatform* machine = nullptr;
};
