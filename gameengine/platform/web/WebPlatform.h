#pragma once

#include "../Platform.h"
#include "WebAudioDevice.h"
#include "WebDialogs.h"
#include "WebInput.h"
#include "WebSettingsStore.h"
#include "WebShell.h"
#include "WebSystem.h"
#include "WebWindow.h"

namespace tidewell::platform::web {

inline constexpr const char* kBackendName = "web";

// The program in a page of a web browser: the canvas with id "canvas" is its window, the
// browser's animation frames run its loop, Web Audio plays its sound.
class WebPlatform : public Platform {
public:
    const char* name() const override { return kBackendName; }
    WebSystem& system() override { return system_; }
    WebWindow& window() override { return window_; }
    WebDialogs& dialogs() override { return dialogs_; }
    WebShell& shell() override { return shell_; }
    WebSettingsStore& settings() override { return settings_; }
    WebAudioDevice& audio() override { return audio_; }
    WebInput& input() override { return input_; }

private:
    WebWindow window_;
    WebSystem system_{window_};
    WebDialogs dialogs_;
    WebShell shell_;
    WebSettingsStore settings_;
    WebAudioDevice audio_;
    WebInput input_{window_};
};

// The backend table's create function; fails outside a web page (under Node.js).
std::unique_ptr<Platform> createPlatform(const PlatformOptions& options, std::string& whyNot);

}  // namespace tidewell::platform::web
