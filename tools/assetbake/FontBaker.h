#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetbake {

// A .twf file of the face at `path` rendered at pixelSize pixels per em with
// anti-aliased coverage, for the codes 33–126 and 161–255 read as ISO 8859-1
// (which are the same numbers in Unicode). Codes without ink get no record;
// the space's advance is the default advance, the face's line spacing the line height.
// BakeError when the face cannot be read or lacks one of the characters.
std::vector<std::uint8_t> bakeFont(const std::string& path, int pixelSize);

// Whether a code is one the fonts carry.
inline bool isFontCode(std::uint32_t code) { return (code >= 33 && code <= 126) || (code >= 161 && code <= 255); }

} // namespace assetbake
