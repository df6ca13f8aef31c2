#pragma once

// A headless platform installed for one test and removed after it, with its
// settings in a fresh folder the test can look into.

#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <cstdlib>

class HeadlessFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-core-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        settingsRoot = pattern;
        auto made = std::make_unique<tidewell::platform::headless::HeadlessPlatform>(
            tidewell::platform::PlatformOptions{settingsRoot});
        machine = made.get();
        tidewell::platform::install(std::move(made));
    }

    void TearDown() override {
        tidewell::platform::install(nullptr);
        std::filesystem::remove_all(settingsRoot);
    }

    std::filesystem::path settingsFile() const { return settingsRoot / "Tidewell" / "Brinefall" / "settings"; }

    std::filesystem::path settingsRoot;
    tidewell::platform::headless::HeadlessPlatform* machine = nullptr;
};
