#include "SdlPlatform.h"

#include "SdlAudioDevice.h"
#include "SdlDialogs.h"
#include "SdlEventPump.h"
#include "SdlInput.h"
#include "SdlShell.h"
#include "SdlSystem.h"
#include "SdlWindow.h"

#include <SDL.h>

namespace tidewell::platform::sdl {
namespace {

// Owns SDL for as long as it lives: SDL_Init in the constructor, SDL_Quit last.
class SdlPlatform : public Platform {
public:
    explicit SdlPlatform(const PlatformOptions& options)
        : settings_(options.settingsRoot.empty() ? FileSettingsStore::userConfigRoot() : options.settingsRoot) {
        window_.setWindowedScale(options.windowScale);
    }

    ~SdlPlatform() override {
        window_.destroy();
        audio_.close();
        input_.close();
        SDL_Quit();
    }

    const char* name() const override { return kBackendName; }
    System& system() override { return system_; }
    Window& window() override { return window_; }
    Dialogs& dialogs() override { return dialogs_; }
    Shell& shell() override { return shell_; }
    SettingsStore& settings() override { return settings_; }
    AudioDevice& audio() override { return audio_; }
    InputDevices& input() override { return input_; }

private:
    SdlEventPump pump_;
    SdlSystem system_;
    SdlWindow window_{pump_};
    SdlDialogs dialogs_;
    SdlShell shell_;
    FileSettingsStore settings_;
    SdlAudioDevice audio_;
    SdlInput input_{pump_};
};

} // namespace

std::unique_ptr<Platform> createPlatform(const PlatformOptions& options, std::string& whyNot) {
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        whyNot = SDL_GetError();
        return nullptr;
    }
    return std::make_unique<SdlPlatform>(options);
}

} // namespace tidewell::platform::sdl
