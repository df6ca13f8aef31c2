#pragma once

#include <cstdint>
#include <span>

namespace tidewell::platform::sdl {

// One row of the keyboard table: an SDL scancode and the game's scan code for that key.
struct ScanCodePair {
    int sdlScancode;
    std::uint8_t code;
};

// Every SDL scancode that has a key code, in SDL's order.
std::span<const ScanCodePair> scanCodeTable();

// The game's scan code for an SDL scancode; 0 for a key the game has no code for.
std::uint8_t keyCodeForScancode(int sdlScancode);

}  // namespace tidewell::platform::sdl
