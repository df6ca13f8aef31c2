#pragma once

#include <cstdint>

namespace tidewell {

// The logical screen every frame is drawn for, in pixels.
inline constexpr std::uint32_t screenWidth = 800;
inline constexpr std::uint32_t screenHeight = 600;

} // namespace tidewell
