#include "VideoDriverPolicy.h"

#include <algorithm>
#include <cctype>

namespace tidewell::platform::sdl {
namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool drawsForNobody(std::string_view driver) {
    return sameName(driver, "offscreen") || sameName(driver, "dummy");
}

bool listNames(std::string_view list, std::string_view name) {
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        std::string_view entry = list.substr(0, comma);
        while (!entry.empty() && entry.front() == ' ') entry.remove_prefix(1);
        while (!entry.empty() && entry.back() == ' ') entry.remove_suffix(1);
        if (sameName(entry, name)) return true;
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return false;
}

} // namespace

bool acceptsVideoDriver(std::string_view current, std::string_view requested) {
    return !drawsForNobody(current) || listNames(requested, current);
}

std::string refusedVideoDriverText(std::string_view current) {
    return "no display was found (DISPLAY and WAYLAND_DISPLAY name none that can be opened), and SDL's \"" +
           std::string(current) + "\" video driver would show the game to nobody";
}

} // namespace tidewell::platform::sdl
