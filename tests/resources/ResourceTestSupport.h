#pragma once

// A scratch directory per test, and peak memory of the test process.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "FormatWriters.h"
#include "resources/ResourceManager.h"

class ScratchFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-resources-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        directory = pattern;
    }

    void TearDown() override {
        tidewell::ResourceManager::stop();
        std::filesystem::remove_all(directory);
    }

    std::string path(const std::string& name) const { return (directory / name).string(); }

    std::string write(const std::string& name, const formats::Bytes& bytes) const {
        EXPECT_TRUE(formats::writeFile(path(name), bytes));
        return path(name);
    }

    std::filesystem::path directory;
};

// The most memory the process has had resident so far, in kilobytes.
inline long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The most address space the process has had mapped so far, in kilobytes. An allocation
// shows here even when its pages are never touched, as a huge one from a damaged size
// field need not be.
inline long peakAddressSpaceKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmPeak:", 0) == 0) return std::stol(line.substr(7));
    }
    return 0;
}

// A few megabytes of slack for the test framework's own allocations.
constexpr long kPeakSlackKilobytes = 8 * 1024;

// The error of type E that `action` throws, or nothing when it throws none.
template <typename E, typename Action>
std::optional<E> thrown(Action action) {
    try {
        action();
    } catch (const E& error) {
        return error;
    }
    return std::nullopt;
}
