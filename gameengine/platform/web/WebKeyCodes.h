#pragma once

#include <cstdint>
#include <string_view>

namespace tidewell::platform::web {

// The game's scan code for a KeyboardEvent.code ("KeyA", "ArrowLeft" ...); 0 for a key the
// game has no code for. The codes name a key by its place on the keyboard, as SDL's
// scancodes do, and map to the same scan codes as the SDL backend's table.
std::uint8_t keyCodeForDomCode(std::string_view domCode);

}  // namespace tidewell::platform::web
