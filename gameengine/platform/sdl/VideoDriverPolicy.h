#pragma once

#include <string>
#include <string_view>

namespace tidewell::platform::sdl {

// SDL falls back to its offscreen (or dummy) video driver on its own when no display
// can be opened; a game that starts there runs with nobody seeing it and never ends.
// Those drivers are taken only when SDL_VIDEODRIVER names them (tests, benchmarks).
// current: the driver SDL started; requested: SDL_VIDEODRIVER's value ("" when unset),
// one name or several separated by commas, in any letter case as SDL reads it.
bool acceptsVideoDriver(std::string_view current, std::string_view requested);

// What to say when a display is missing: the driver SDL fell back to and why it is refused.
std::string refusedVideoDriverText(std::string_view current);

} // namespace tidewell::platform::sdl
