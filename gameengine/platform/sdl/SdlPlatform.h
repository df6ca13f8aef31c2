#pragma once

#include "../FileSettingsStore.h"
#include "../Platform.h"

#include <memory>

namespace tidewell::platform::sdl {

inline constexpr const char* kBackendName = "sdl";

// The backend table's create function: starts SDL's event and timer services.
std::unique_ptr<Platform> createPlatform(const PlatformOptions& options, std::string& whyNot);

} // namespace tidewell::platform::sdl
