#include "Entry.h"

#include "DataDirectory.h"
#include "Engine.h"
#include "ErrorDialog.h"
#include "ErrorDirectX.h"
#include "ErrorFile.h"
#include "ErrorGeneric.h"
#include "ErrorNoMemory.h"
#include "InputManager.h"
#include "MainLoop.h"
#include "SettingManager.h"
#include "Sprite.h"
#include "WindowManager.h"
#include "platform/Platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

namespace brinefall {
namespace {

using namespace tidewell;

constexpr const char* kSettingsKey = "Software\\Tidewell\\Brinefall";
constexpr int kGameIcon = 101;

// Graphics and input must start; sound failing only makes the game silent.
void checkPlatformLayers() {
    try {
        platform::System& system = platform::current().system();
        if (!system.checkVideo() || !system.checkInput()) {
            std::fprintf(stderr, "brinefall: %s\n", system.lastError().c_str());
            throw ErrorDirectX();
        }
        if (!system.checkAudio()) {
            std::fprintf(stderr, "brinefall: no sound: %s\n", system.lastError().c_str());
        }
    } catch (const ErrorDirectX&) {
        throw;
    } catch (...) {
        throw ErrorDirectX();
    }
}

void configureEngine(const LaunchOptions& options) {
    // Escape is the game's own key (its menus use it), never an engine-wide quit.
    InputManager::quitOnKey = false;
    WindowManager::setTitle("Brinefall");
    WindowManager::setIcon(kGameIcon, 32, 32);
    SettingManager::setSettingsKey(kSettingsKey);
    bool fullScreen = false;
    SettingManager::readSetting("fullScreen", &fullScreen);
    // --windowed and --fullscreen decide for this run only; the stored choice stays.
    WindowManager::setFullScreen(options.fullScreen.value_or(fullScreen));
    setRandomSeed(options.seed);
    MainLoop::reset();
    MainLoop::setFrameLimit(options.frames);
}

int play(const LaunchOptions& options, const RootFactory& makeRoot) {
    configureEngine(options);
    checkPlatformLayers();
    startEngine();
    Sprite* root = nullptr;
    try {
        root = makeRoot();
    } catch (const std::bad_alloc&) {
        throw ErrorNoMemory();
    }
    setRootSprite(root);
    MainLoop::run();
    stopEngine();
    return 0;
}

} // namespace

// Each handler shuts the engine down first, then lets the error present itself.
int playOnInstalledPlatform(const LaunchOptions& options, const RootFactory& makeRoot) {
    try {
        return play(options, makeRoot);
    } catch (ErrorDirectX& error) {
        stopEngine();
        error.show(addresses::kPlatformHelp);
    } catch (ErrorNoMemory& error) {
        stopEngine();
        error.show();
    } catch (ErrorFile& error) {
        stopEngine();
        error.report(addresses::kContact, addresses::kReportPage);
    } catch (ErrorGeneric& error) {
        stopEngine();
        error.report(addresses::kContact, addresses::kReportPage);
    } catch (Error& error) {
        stopEngine();
        error.show();
    } catch (const std::bad_alloc&) {
        stopEngine();
        ErrorNoMemory().show();
    } catch (...) {
        stopEngine();
        Error().show();
    }
    return 1;
}

namespace {

platform::PlatformOptions platformOptions(const LaunchOptions& launch) {
    platform::PlatformOptions options;
    options.dumpAudioFile = launch.dumpAudioFile;
    if (const char* folder = std::getenv("BRINEFALL_SETTINGS_DIR"); folder != nullptr && folder[0] != '\0') {
        options.settingsRoot = folder;
    }
    return options;
}

// A recording that cannot be written is the user's path at fault, not a missing platform,
// so it is said before the platform starts (and its dialog about SDL would mislead).
bool audioDumpIsWritable(const std::string& path) {
    if (path.empty()) return true;
    errno = 0;
    std::FILE* probe = std::fopen(path.c_str(), "ab");
    if (!probe) {
        std::fprintf(stderr, "brinefall: cannot write the audio file %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    std::fclose(probe);
    return true;
}

} // namespace

int runGame(const LaunchOptions& options, const std::filesystem::path& programPath, const RootFactory& makeRoot) {
    if (!audioDumpIsWritable(options.dumpAudioFile)) {
        return 1;
    }
    std::string whyNot;
    auto machine = platform::createPlatform(options.headless ? "headless" : "", platformOptions(options), whyNot);
    if (!machine) {
        // Without a platform there is no dialog to show: ErrorDirectX's text goes to standard error.
        std::fprintf(stderr, "brinefall: %s\n", whyNot.c_str());
        ErrorDirectX().show(addresses::kPlatformHelp);
        return 1;
    }
    if (!options.dumpAudioFile.empty() && std::string_view(machine->name()) != "headless") {
        std::fprintf(stderr, "brinefall: --dump-audio is only for the headless backend; no file is written\n");
    }
    platform::install(std::move(machine));
    int status = 1;
    if (enterDataDirectory(options.dataDir, programPath, whyNot)) {
        status = playOnInstalledPlatform(options, makeRoot);
    } else {
        std::fprintf(stderr, "brinefall: %s\n", whyNot.c_str());
    }
    platform::install(nullptr);
    return status;
}

Sprite* makeGameRoot() {
    return new Sprite();  // the scene switcher takes this place
}

} // namespace brinefall
