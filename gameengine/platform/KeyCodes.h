#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tidewell::platform {

// Keyboard scan codes as the game knows them (DirectInput's numbering, the PC's set-1
// scan codes with 0x80 added for the extended keys). keyStates is indexed by these.
namespace keyCode {
inline constexpr std::uint8_t escape = 0x01;
inline constexpr std::uint8_t enter = 0x1C;
inline constexpr std::uint8_t leftControl = 0x1D;
inline constexpr std::uint8_t space = 0x39;
inline constexpr std::uint8_t up = 0xC8;
inline constexpr std::uint8_t left = 0xCB;
inline constexpr std::uint8_t right = 0xCD;
inline constexpr std::uint8_t down = 0xD0;
}  // namespace keyCode

struct KeyName {
    std::string_view name;  // DirectInput's name without its DIK_ prefix, upper case
    std::uint8_t code;
};

// Every key that has a code, by its DirectInput name, in code order.
std::span<const KeyName> keyNames();

// The code of a key name: a DirectInput name ("RETURN", "LCONTROL", "NUMPAD7"), one of the
// everyday names ("ENTER", "ESC", "LCTRL", "PAGEUP" ...), in any letter case, or a number
// (decimal or 0x hexadecimal) from 1 to 255. Nothing for anything else.
std::optional<std::uint8_t> keyCodeByName(std::string_view name);

// The DirectInput name of a code; empty when the code names no key.
std::string_view keyNameOf(std::uint8_t code);

}  // namespace tidewell::platform
