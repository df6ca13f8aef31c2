#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tidewell::platform {

// Writes width × height 0xRRGGBB words, row by row, as an 8-bit RGB PNG file. False,
// with the reason in whyNot, when the file cannot be written; a partial file is removed.
bool writePng(const std::filesystem::path& path, const std::uint32_t* rgb, int width, int height, std::string& whyNot);

}  // namespace tidewell::platform
