#pragma once

// The colours the game tints its pictures and shapes with, as 0xRRGGBB for setRGB.
namespace brinefall::Colours {

inline constexpr int kBlack = 0x000000;
inline constexpr int kRed = 0xFF0000;
inline constexpr int kWhite = 0xFFFFFF;
// Explosion sparks, the life bar and the menus' cursor.
inline constexpr int kYellow = 0xFFFF00;

}  // namespace brinefall::Colours
