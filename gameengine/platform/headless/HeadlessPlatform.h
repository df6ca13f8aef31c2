#pragma once

#include "../FileSettingsStore.h"
#include "../Platform.h"
#include "HeadlessAudioDevice.h"
#include "HeadlessDialogs.h"
#include "HeadlessInput.h"
#include "HeadlessShell.h"
#include "HeadlessSystem.h"
#include "HeadlessWindow.h"
#include "VirtualClock.h"

namespace tidewell::platform::headless {

inline constexpr const char* kBackendName = "headless";

// The deterministic backend. Settings go to the folder the caller chose, or to a
// private temporary folder that is removed again, so a headless run never touches
// the player's own settings.
class HeadlessPlatform : public Platform {
public:
    explicit HeadlessPlatform(const PlatformOptions& options);
    ~HeadlessPlatform() override;

    const char* name() const override { return kBackendName; }
    HeadlessSystem& system() override { return system_; }
    HeadlessWindow& window() override { return window_; }
    HeadlessDialogs& dialogs() override { return dialogs_; }
    HeadlessShell& shell() override { return shell_; }
    FileSettingsStore& settings() override { return settings_; }
    HeadlessAudioDevice& audio() override { return audio_; }
    HeadlessInput& input() override { return input_; }

private:
    static std::filesystem::path makePrivateSettingsRoot();

    VirtualClock clock_;
    HeadlessWindow window_{clock_};
    HeadlessSystem system_{clock_, window_};
    HeadlessDialogs dialogs_;
    HeadlessShell shell_;
    std::filesystem::path privateRoot_;
    FileSettingsStore settings_;
    HeadlessAudioDevice audio_{system_};
    HeadlessInput input_{window_};
};

// The backend table's create function; fails only when the audio file cannot be written
// or the input script cannot be read.
std::unique_ptr<Platform> createPlatform(const PlatformOptions& options, std::string& whyNot);

} // namespace tidewell::platform::headless
