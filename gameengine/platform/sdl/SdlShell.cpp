#include "SdlShell.h"

#include <SDL.h>

namespace tidewell::platform::sdl {

bool SdlShell::openAddress(const std::string& address) {
    return isWebAddress(address) && SDL_OpenURL(address.c_str()) == 0;
}

} // namespace tidewell::platform::sdl
