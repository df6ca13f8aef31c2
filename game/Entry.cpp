#include "Entry.h"

#include "DataDirectory.h"
#include "DemoSprites.h"
#include "core/Engine.h"
#include "core/ErrorDialog.h"
#include "core/ErrorDirectX.h"
#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"
#include "core/ErrorNoMemory.h"
#include "graphics/GraphicManager.h"
#include "input/InputManager.h"
#include "JournalSession.h"
#include "core/MainLoop.h"
#include "Milestones.h"
#include "SceneSwitcher.h"
#include "core/SettingManager.h"
#include "display/Sprite.h"
#include "core/WindowManager.h"
#include "autopilot/Autopilot.h"
#include "platform/InputScript.h"
#include "platform/Platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>
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
        if (!system.checkVideo()) {
            std::fprintf(stderr, "brinefall: %s\n", system.lastError().c_str());
            std::fprintf(stderr, "brinefall: to play without a display, run brinefall --headless (see --help)\n");
            throw ErrorDirectX();
        }
        if (!system.checkInput()) {
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
    // The pictures are never fully opaque (at most 15/16), so without a clear each frame the
    // last one would show through every backdrop as a faint trail behind whatever moves. The
    // hardware renderer clears anyway; clearing in software too, both to black, makes the two
    // show one picture, with nothing lighter than the art shining through it.
    GraphicManager::clearBackground = true;
    GraphicManager::clearColour = 0xFF000000;
    // --software rules the graphics card out; --hardware rules drawing in software out.
    GraphicManager::allowHardware3D = !options.hardware.has_value() || *options.hardware;
    GraphicManager::requireHardware3D = options.hardware.value_or(false);
    WindowManager::setTitle("Brinefall");
    WindowManager::setIcon(kGameIcon, 32, 32);
    SettingManager::setSettingsKey(kSettingsKey);
    bool fullScreen = false;
    SettingManager::readSetting("fullScreen", &fullScreen);
    // --windowed and --fullscreen decide for this run only; the stored choice stays.
    WindowManager::setFullScreen(options.fullScreen.value_or(fullScreen));
    bool smoothMotion = true;
    SettingManager::readSetting("smoothMotion", &smoothMotion);
    setRandomSeed(options.seed);
    MainLoop::reset();
    // --smooth and --no-smooth, like --windowed, decide for this run only.
    MainLoop::setSmoothMotion(options.smoothMotion.value_or(smoothMotion));
    MainLoop::setFrameLimit(options.frames);
}

// What a game holds between its start and its end, while the main loop runs.
struct PlayState {
    std::optional<JournalSession> journal;
    std::optional<Autopilot> autopilot;
};

void startPlay(const LaunchOptions& options, const RootFactory& makeRoot, PlayState& state) {
    configureEngine(options);
    checkPlatformLayers();
    startEngine();
    state.journal.emplace(options);
    Sprite* root = nullptr;
    try {
        root = makeRoot();
    } catch (const std::bad_alloc&) {
        throw ErrorNoMemory();
    }
    setRootSprite(root);
    if (options.autopilot) {
        state.autopilot.emplace(options.autopilotCodes);
        state.autopilot->attach();
    }
}

int finishPlay(PlayState& state) {
    state.autopilot.reset();
    const int status = state.journal->finish(0);
    state.journal.reset();
    stopEngine();
    return status;
}

void printMilestone(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);  // a script reading the pipe sees each event as it happens
}

// Runs part of a game; a failure shuts the engine down first, then lets the error present
// itself, and gives 1.
int reportingErrors(const std::function<int()>& part) {
    try {
        return part();
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

int playReportingErrors(const LaunchOptions& options, const RootFactory& makeRoot) {
    return reportingErrors([&] {
        PlayState state;
        startPlay(options, makeRoot, state);
        MainLoop::run();
        return finishPlay(state);
    });
}

// The host (a browser page) runs the loop's passes from its own callbacks; this returns
// once the game has started. The end, by a quit, the frame limit or a failure, is reported
// as the blocking run reports it, and the platform stays installed for the page.
void playOnHostLoop(const LaunchOptions& options, const RootFactory& makeRoot) {
    if (options.milestones) Milestones::setSink(printMilestone);
    auto state = std::make_shared<PlayState>();
    const int failed = reportingErrors([&] {
        startPlay(options, makeRoot, *state);
        return 0;
    });
    const auto end = [state](int status) {
        state->autopilot.reset();
        state->journal.reset();
        Milestones::reportEnd("status " + std::to_string(status));
        return false;
    };
    if (failed != 0) {
        end(failed);
        return;
    }
    platform::current().system().hostLoop([state, end] {
        constexpr int kGoingOn = -1;
        const int status = reportingErrors([&] {
            while (!MainLoop::isFinished()) {
                // The rest waits for the next call; the host learns how long nothing is due.
                if (const std::uint32_t wait = MainLoop::runDue(); wait != 0) {
                    platform::current().system().waitForEvent(wait);
                    return kGoingOn;
                }
            }
            return finishPlay(*state);
        });
        return status == kGoingOn || end(status);
    });
}

} // namespace

int playOnInstalledPlatform(const LaunchOptions& options, const RootFactory& makeRoot) {
    if (options.milestones) Milestones::setSink(printMilestone);
    const int status = playReportingErrors(options, makeRoot);
    Milestones::reportEnd("status " + std::to_string(status));
    if (options.milestones) Milestones::setSink(nullptr);
    return status;
}

namespace {

platform::PlatformOptions platformOptions(const LaunchOptions& launch) {
    platform::PlatformOptions options;
    options.dumpAudioFile = launch.dumpAudioFile;
    options.inputScript = launch.inputScript;
    if (const char* folder = std::getenv("BRINEFALL_SETTINGS_DIR"); folder != nullptr && folder[0] != '\0') {
        options.settingsRoot = folder;
    }
    options.frameDumpDirectory = launch.dumpFramesDir;
    options.frameDumpEvery = launch.dumpEvery.value_or(1);
    options.windowScale = launch.windowScale.value_or(1);
    options.displayRate = launch.displayRate.value_or(0);
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

// The folder for --dump-frames must exist before the first frame; an absolute path is
// kept, since the game changes into its data folder before it runs.
bool prepareFrameDump(LaunchOptions& options, std::string& whyNot) {
    if (options.dumpFramesDir.empty()) {
        if (options.dumpEvery) std::fprintf(stderr, "brinefall: --dump-every has no effect without --dump-frames\n");
        return true;
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::absolute(options.dumpFramesDir, error);
    if (!error) std::filesystem::create_directories(folder, error);
    if (error) {
        whyNot = "cannot make the folder " + options.dumpFramesDir + " for the frames: " + error.message();
        return false;
    }
    options.dumpFramesDir = folder.string();
    return true;
}

// A script that cannot be played is said at once, with the line at fault, before any
// window or sound starts.
bool inputScriptIsPlayable(const std::string& path) {
    if (path.empty()) return true;
    platform::InputScript script;
    std::string whyNot;
    if (!platform::InputScript::load(path, script, whyNot)) {
        std::fprintf(stderr, "brinefall: %s\n", whyNot.c_str());
        return false;
    }
    return true;
}

} // namespace

int runGame(const LaunchOptions& launch, const std::filesystem::path& programPath, const RootFactory& makeRoot) {
    std::string whyNot;
    LaunchOptions options = launch;
    if (!audioDumpIsWritable(options.dumpAudioFile) || !inputScriptIsPlayable(options.inputScript)) {
        return 1;
    }
    if (!JournalSession::prepare(options, whyNot)) {
        std::fprintf(stderr, "brinefall: %s\n", whyNot.c_str());
        return 1;
    }
    if (!prepareFrameDump(options, whyNot)) {
        std::fprintf(stderr, "brinefall: %s\n", whyNot.c_str());
        return 1;
    }
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
    if (!options.dumpFramesDir.empty() && std::string_view(machine->name()) != "headless") {
        std::fprintf(stderr, "brinefall: frames are written only by the headless backend (--headless)\n");
    }
    if (options.displayRate && std::string_view(machine->name()) != "headless") {
        std::fprintf(stderr, "brinefall: --display-rate is for the headless backend; a window uses its display's\n");
    }
    if (!options.inputScript.empty() && std::string_view(machine->name()) != "headless") {
        std::fprintf(stderr, "brinefall: --input is played only by the headless backend; the real devices are used\n");
    }
    platform::install(std::move(machine));
    int status = 1;
    if (enterDataDirectory(options.dataDir, programPath, whyNot)) {
        if (platform::current().system().hostsLoop()) {
            playOnHostLoop(options, makeRoot);
            return 0;
        }
        status = playOnInstalledPlatform(options, makeRoot);
    } else {
        std::fprintf(stderr, "brinefall: %s\n", whyNot.c_str());
    }
    platform::install(nullptr);
    return status;
}

Sprite* makeDemoSpritesRoot() {
    return makeDemoSpritesScene();
}

Sprite* makeGameRoot() {
    return new SceneSwitcher();
}

RootFactory gameRootFor(const LaunchOptions& options) {
    const PlayOptions play{options.startStage, options.invincible, options.fullPower};
    return [play] { return new SceneSwitcher(play); };
}

} // namespace brinefall
