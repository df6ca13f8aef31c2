#include "Platform.h"

#include "headless/HeadlessPlatform.h"
#ifdef BRINEFALL_WEB
#include "web/WebPlatform.h"
#else
#include "sdl/SdlPlatform.h"
#endif

#include <array>
#include <cstdlib>
#include <stdexcept>

namespace tidewell::platform {
namespace {

const std::array<BackendEntry, 2> kBackends = {{
#ifdef BRINEFALL_WEB
    {web::kBackendName, "a page in a web browser: its canvas, Web Audio, keyboard, mouse and gamepads",
     &web::createPlatform, true},
#else
    {sdl::kBackendName, "SDL 2: a real window, sound card, keyboard, mouse and game controllers",
     &sdl::createPlatform, true},
#endif
    {headless::kBackendName, "deterministic: virtual clock, scripted input, frames kept in memory",
     &headless::createPlatform, false},
}};

std::unique_ptr<Platform> installed;

} // namespace

std::span<const BackendEntry> backends() {
    return kBackends;
}

std::unique_ptr<Platform> createPlatform(std::string_view requested, const PlatformOptions& options,
                                         std::string& whyNot) {
    if (requested.empty()) {
        if (const char* fromEnvironment = std::getenv("BRINEFALL_BACKEND");
            fromEnvironment != nullptr && fromEnvironment[0] != '\0') {
            requested = fromEnvironment;
        }
    }
    if (!requested.empty()) {
        for (const BackendEntry& entry : kBackends) {
            if (requested == entry.name) {
                std::string reason;
                auto platform = entry.create(options, reason);
                if (!platform) {
                    whyNot = std::string("the ") + entry.name + " backend could not start: " + reason;
                }
                return platform;
            }
        }
        whyNot = "there is no backend named \"" + std::string(requested) + "\"";
        return nullptr;
    }
    std::string reasons;
    for (const BackendEntry& entry : kBackends) {
        if (!entry.fallback) {
            continue;
        }
        std::string reason;
        if (auto platform = entry.create(options, reason)) {
            return platform;
        }
        reasons += std::string(reasons.empty() ? "" : "; ") + entry.name + ": " + reason;
    }
    whyNot = "no backend could start (" + reasons + ")";
    return nullptr;
}

void install(std::unique_ptr<Platform> platform) {
    installed = std::move(platform);
}

bool isInstalled() {
    return installed != nullptr;
}

Platform& current() {
    if (!installed) {
        throw std::logic_error("no platform is installed");
    }
    return *installed;
}

} // namespace tidewell::platform
