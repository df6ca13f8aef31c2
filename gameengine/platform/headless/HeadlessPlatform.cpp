#include "HeadlessPlatform.h"

#include <cstdlib>
#include <system_error>

namespace tidewell::platform::headless {

HeadlessPlatform::HeadlessPlatform(const PlatformOptions& options)
    : privateRoot_(options.settingsRoot.empty() ? makePrivateSettingsRoot() : std::filesystem::path()),
      settings_(options.settingsRoot.empty() ? privateRoot_ : options.settingsRoot) {
    window_.setFrameDump(options.frameDumpDirectory, options.frameDumpEvery);
    window_.setDisplayRate(options.displayRate);
}

HeadlessPlatform::~HeadlessPlatform() {
    if (!privateRoot_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(privateRoot_, ignored);
    }
}

std::filesystem::path HeadlessPlatform::makePrivateSettingsRoot() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) {
        base = "/tmp";
    }
    std::string pattern = (base / "brinefall-settings-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};  // settings then read as defaults and are not kept
    }
    return pattern;
}

std::unique_ptr<Platform> createPlatform(const PlatformOptions& options, std::string& whyNot) {
    auto platform = std::make_unique<HeadlessPlatform>(options);
    if (!options.dumpAudioFile.empty() && !platform->audio().dumpTo(options.dumpAudioFile, whyNot)) {
        return nullptr;
    }
    if (!options.inputScript.empty()) {
        InputScript script;
        if (!InputScript::load(options.inputScript, script, whyNot)) {
            return nullptr;
        }
        platform->input().play(script);
    }
    return platform;
}

} // namespace tidewell::platform::headless
