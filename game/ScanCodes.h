#pragma once

// The keys the game answers, by the DirectInput scan codes that the input manager's key
// events and key states carry.
namespace brinefall {

inline constexpr int kKeyEnter = 28;
inline constexpr int kKeyLeftCtrl = 29;
inline constexpr int kKeyLeftAlt = 56;
inline constexpr int kKeySpace = 57;
inline constexpr int kKeyF11 = 87;
inline constexpr int kKeyF12 = 88;
inline constexpr int kKeyNumpadEnter = 156;
inline constexpr int kKeyRightAlt = 184;
inline constexpr int kKeyUp = 200;
inline constexpr int kKeyLeft = 203;
inline constexpr int kKeyRight = 205;
inline constexpr int kKeyDown = 208;

} // namespace brinefall
