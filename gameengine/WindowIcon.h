#pragma once

#include <cstdint>
#include <vector>

namespace tidewell {

// The program's built-in icons, drawn at the size asked for as 32-bit ARGB pixels,
// row by row. Resource 101 is the game's window icon; unknown ids give nothing.
std::vector<std::uint32_t> makeWindowIcon(int resourceId, int width, int height);

} // namespace tidewell
