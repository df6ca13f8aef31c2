#pragma once

#include <string_view>

namespace tidewell::platform {

// Whether an OpenGL renderer string names a rasteriser that runs on the processor
// (Mesa's llvmpipe, softpipe, swrast and its classic software rasteriser), whatever
// the case and whatever the driver adds around the name.
bool isSoftwareRasteriser(std::string_view rendererName);

}  // namespace tidewell::platform
