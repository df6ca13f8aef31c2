#pragma once

#include "../Shell.h"

namespace tidewell::platform::sdl {

// Opens web addresses with the desktop's browser through SDL.
class SdlShell : public Shell {
public:
    bool openAddress(const std::string& address) override;
};

} // namespace tidewell::platform::sdl
