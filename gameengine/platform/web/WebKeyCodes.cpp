#include "WebKeyCodes.h"

namespace tidewell::platform::web {
namespace {

struct DomCodePair {
    std::string_view domCode;
    std::uint8_t code;
};

// The browser names keys by their place on a US keyboard; the game by the PC's set-1 scan
// codes (0x80 added for the extended ones), as in the SDL backend's table.
constexpr DomCodePair kTable[] = {
    {"KeyA", 0x1E}, {"KeyB", 0x30}, {"KeyC", 0x2E}, {"KeyD", 0x20}, {"KeyE", 0x12},
    {"KeyF", 0x21}, {"KeyG", 0x22}, {"KeyH", 0x23}, {"KeyI", 0x17}, {"KeyJ", 0x24},
    {"KeyK", 0x25}, {"KeyL", 0x26}, {"KeyM", 0x32}, {"KeyN", 0x31}, {"KeyO", 0x18},
    {"KeyP", 0x19}, {"KeyQ", 0x10}, {"KeyR", 0x13}, {"KeyS", 0x1F}, {"KeyT", 0x14},
    {"KeyU", 0x16}, {"KeyV", 0x2F}, {"KeyW", 0x11}, {"KeyX", 0x2D}, {"KeyY", 0x15},
    {"KeyZ", 0x2C},
    {"Digit1", 0x02}, {"Digit2", 0x03}, {"Digit3", 0x04}, {"Digit4", 0x05}, {"Digit5", 0x06},
    {"Digit6", 0x07}, {"Digit7", 0x08}, {"Digit8", 0x09}, {"Digit9", 0x0A}, {"Digit0", 0x0B},
    {"Enter", 0x1C}, {"Escape", 0x01}, {"Backspace", 0x0E}, {"Tab", 0x0F}, {"Space", 0x39},
    {"Minus", 0x0C}, {"Equal", 0x0D}, {"BracketLeft", 0x1A}, {"BracketRight", 0x1B},
    {"Backslash", 0x2B}, {"Semicolon", 0x27}, {"Quote", 0x28}, {"Backquote", 0x29},
    {"Comma", 0x33}, {"Period", 0x34}, {"Slash", 0x35}, {"CapsLock", 0x3A},
    {"F1", 0x3B}, {"F2", 0x3C}, {"F3", 0x3D}, {"F4", 0x3E}, {"F5", 0x3F}, {"F6", 0x40},
    {"F7", 0x41}, {"F8", 0x42}, {"F9", 0x43}, {"F10", 0x44}, {"F11", 0x57}, {"F12", 0x58},
    {"PrintScreen", 0xB7}, {"ScrollLock", 0x46}, {"Pause", 0xC5}, {"Insert", 0xD2},
    {"Home", 0xC7}, {"PageUp", 0xC9}, {"Delete", 0xD3}, {"End", 0xCF}, {"PageDown", 0xD1},
    {"ArrowRight", 0xCD}, {"ArrowLeft", 0xCB}, {"ArrowDown", 0xD0}, {"ArrowUp", 0xC8},
    {"NumLock", 0x45}, {"NumpadDivide", 0xB5}, {"NumpadMultiply", 0x37},
    {"NumpadSubtract", 0x4A}, {"NumpadAdd", 0x4E}, {"NumpadEnter", 0x9C},
    {"Numpad1", 0x4F}, {"Numpad2", 0x50}, {"Numpad3", 0x51}, {"Numpad4", 0x4B},
    {"Numpad5", 0x4C}, {"Numpad6", 0x4D}, {"Numpad7", 0x47}, {"Numpad8", 0x48},
    {"Numpad9", 0x49}, {"Numpad0", 0x52}, {"NumpadDecimal", 0x53},
    {"IntlBackslash", 0x56}, {"ContextMenu", 0xDD}, {"Power", 0xDE}, {"NumpadEqual", 0x8D},
    {"F13", 0x64}, {"F14", 0x65}, {"F15", 0x66},
    {"AudioVolumeMute", 0xA0}, {"AudioVolumeUp", 0xB0}, {"AudioVolumeDown", 0xAE},
    {"NumpadComma", 0x7E}, {"IntlRo", 0x73}, {"KanaMode", 0x70}, {"IntlYen", 0x7D},
    {"Convert", 0x79}, {"NonConvert", 0x7B},
    {"ControlLeft", 0x1D}, {"ShiftLeft", 0x2A}, {"AltLeft", 0x38}, {"MetaLeft", 0xDB},
    {"ControlRight", 0x9D}, {"ShiftRight", 0x36}, {"AltRight", 0xB8}, {"MetaRight", 0xDC},
    {"MediaTrackNext", 0x99}, {"MediaTrackPrevious", 0x90}, {"MediaStop", 0xA4},
    {"MediaPlayPause", 0xA2}, {"MediaSelect", 0xED}, {"LaunchMail", 0xEC},
    {"LaunchApp2", 0xA1}, {"LaunchApp1", 0xEB}, {"BrowserSearch", 0xE5},
    {"BrowserHome", 0xB2}, {"BrowserBack", 0xEA}, {"BrowserForward", 0xE9},
    {"BrowserStop", 0xE8}, {"BrowserRefresh", 0xE7}, {"BrowserFavorites", 0xE6},
    {"Sleep", 0xDF},
};

}  // namespace

std::uint8_t keyCodeForDomCode(std::string_view domCode) {
    for (const DomCodePair& pair : kTable) {
        if (pair.domCode == domCode) return pair.code;
    }
    return 0;
}

}  // namespace tidewell::platform::web
