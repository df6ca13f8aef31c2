#pragma once

#include <string>
#include <vector>

namespace assetbake {

// The theme sizes a Linux desktop looks for, in pixels.
inline const std::vector<int> kDesktopIconSides = {16, 32, 64, 128, 256};

// The icon's file name in the theme, the same as the desktop entry's id.
inline constexpr const char* kDesktopIconName = "org.tidewell.Brinefall";

// Writes the game's icon for the desktop's hicolor theme into outputDirectory:
// hicolor/NxN/apps/<name>.png for every side and hicolor/scalable/apps/<name>.svg,
// all from the manifest's icon row, so they always show what the window icon shows.
// BakeError when the manifest has no icon row or a file cannot be written.
void writeDesktopIcons(const std::string& assetsDirectory, const std::string& outputDirectory);

// The scalable icon: the SVG sheet with everything but its first frame clipped away,
// centred in a square.
std::string scalableIconSvg(const std::string& sheetSvg, int frameWidth, int frameHeight);

} // namespace assetbake
