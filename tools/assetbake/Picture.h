#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetbake {

// A rendered picture as cairo makes it: 32-bit ARGB words with the colour
// premultiplied by alpha, rows from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> premultiplied;

    std::uint32_t at(int x, int y) const { return premultiplied[static_cast<std::size_t>(y) * width + x]; }
};

// The size an SVG file declares: its width and height in pixels, or without
// them the size of its viewBox. BakeError when it declares neither or cannot be read.
void svgSize(const std::string& path, double& width, double& height);

// Renders the whole SVG into a picture of its declared size, which must be
// exactly width × height pixels (the sheet of the manifest).
Picture renderSvgSheet(const std::string& path, int width, int height);

// Renders the frame at (0, 0) of size frameWidth × frameHeight of the SVG, scaled
// to fit a side × side picture with its aspect kept and centred; the rest stays clear.
Picture renderSvgFrameFitted(const std::string& path, int frameWidth, int frameHeight, int side);

} // namespace assetbake
