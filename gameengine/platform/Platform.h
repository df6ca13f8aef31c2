#pragma once

#include "AudioDevice.h"
#include "Dialogs.h"
#include "InputDevices.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "System.h"
#include "Window.h"

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace tidewell::platform {

// What a backend is told when it is created.
struct PlatformOptions {
    // Where the settings store keeps its files; empty = the backend's own default.
    std::filesystem::path settingsRoot;
    // Where the headless backend writes the sound it mixes, as a WAV file; empty = nowhere.
    std::filesystem::path dumpAudioFile{};
    // Headless: write every frameDumpEvery-th presented frame as a PNG file into this
    // folder (frame-000001.png ...); empty = write none.
    std::filesystem::path frameDumpDirectory{};
    unsigned frameDumpEvery = 1;
    // Headless: a virtual display showing this many pictures a second, so that pictures are
    // drawn between ticks; 0 = none, one picture a tick.
    std::uint32_t displayRate = 0;
    // The input script the headless backend plays (see InputScript.h); empty = no player.
    std::filesystem::path inputScript{};
    // A window opens at this many times the logical size (the display permitting).
    int windowScale = 1;
};

// One started backend: the machine as the engine sees it. Destroying it shuts the backend down.
class Platform {
public:
    virtual ~Platform() = default;

    // The backend's name as listed in the backend table.
    virtual const char* name() const = 0;
    // Clock, waiting and the start-up checks.
    virtual System& system() = 0;
    // The program's window.
    virtual Window& window() = 0;
    // Error message boxes.
    virtual Dialogs& dialogs() = 0;
    // Opening web addresses.
    virtual Shell& shell() = 0;
    // The user's persistent settings.
    virtual SettingsStore& settings() = 0;
    // The sound output and its mixer.
    virtual AudioDevice& audio() = 0;
    // Keyboard, mouse, joysticks and force feedback.
    virtual InputDevices& input() = 0;
};

// One row of the backend table. create returns null (and says why) when the
// backend cannot start on this machine.
struct BackendEntry {
    const char* name;
    const char* description;
    std::unique_ptr<Platform> (*create)(const PlatformOptions& options, std::string& whyNot);
    bool fallback;  // may be chosen when no backend was named; never true for headless
};

// Every backend compiled in, in order of preference.
std::span<const BackendEntry> backends();

// Starts the backend named `requested`, else the one named by $BRINEFALL_BACKEND,
// else the first fallback backend that starts. Null with a message in whyNot on failure.
std::unique_ptr<Platform> createPlatform(std::string_view requested, const PlatformOptions& options,
                                         std::string& whyNot);

// The platform the engine runs on. install() hands it over (null uninstalls and shuts
// it down); current() must only be called while one is installed.
void install(std::unique_ptr<Platform> platform);
bool isInstalled();
Platform& current();

} // namespace tidewell::platform
