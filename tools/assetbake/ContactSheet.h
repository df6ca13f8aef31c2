#pragma once

#include <string>

namespace assetbake {

// Writes a PNG showing every .twi file of the data folder at once, in name order,
// each on a checkerboard (so translucency shows) and labelled with its name and
// size; pictures wider or taller than a cell are scaled down to fit it.
// Returns how many pictures it shows; BakeError when a file cannot be read or the
// PNG cannot be written.
int writeContactSheet(const std::string& dataDirectory, const std::string& pngPath);

} // namespace assetbake
