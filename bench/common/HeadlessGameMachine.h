#pragma once

// The machine the game benchmarks run on: the headless backend from the baked data
// folder, a settings folder of its own, the picture drawn in software at one depth (the
// full-screen picture at 16 bits, the window's at 32, as the game does) and cleared to
// black each frame as the game draws it, and the random generator at seed 1. The engine
// is started here and stopped when the machine goes.

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "core/Engine.h"
#include "graphics/GraphicManager.h"
#include "core/MainLoop.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

class HeadlessGameMachine {
public:
    // `name` names the settings folder under the temporary directory.
    HeadlessGameMachine(const std::string& name, int depth)
        : settings_(std::filesystem::temp_directory_path() / name), previous_(std::filesystem::current_path()) {
        using namespace tidewell;
        std::filesystem::create_directories(settings_);
        std::filesystem::current_path(BRINEFALL_DATA_DIR);
        platform::install(std::make_unique<platform::headless::HeadlessPlatform>(platform::PlatformOptions{settings_}));
        WindowManager::setFullScreen(depth == 16);
        GraphicManager::clearBackground = true;
        GraphicManager::clearColour = 0xFF000000;
        GraphicManager::allowHardware3D = false;  // the software renderer is what is measured
        setRandomSeed(1);
        MainLoop::reset();
        startEngine();
    }

    ~HeadlessGameMachine() {
        tidewell::stopEngine();
        tidewell::platform::install(nullptr);
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(settings_, ignored);
    }

    HeadlessGameMachine(const HeadlessGameMachine&) = delete;
    HeadlessGameMachine& operator=(const HeadlessGameMachine&) = delete;

private:
    std::filesystem::path settings_;
    std::filesystem::path previous_;
};
