#pragma once

#include <cmath>

#include "../Window.h"

namespace tidewell::platform::sdl {

// Where the logical picture lands in an output of the given size: as large as fits
// with its aspect kept, centred, the rest left for black bars. The same rule as SDL's
// logical size, so the mouse maps back the same way whichever path drew the frame.
struct Letterbox {
    int x = 0;
    int y = 0;
    int width = kLogicalWidth;
    int height = kLogicalHeight;
    float scale = 1.0f;
};

inline Letterbox letterbox(int outputWidth, int outputHeight) {
    Letterbox box;
    if (outputWidth <= 0 || outputHeight <= 0) {
        return box;
    }
    const float wanted = static_cast<float>(kLogicalWidth) / kLogicalHeight;
    const float real = static_cast<float>(outputWidth) / static_cast<float>(outputHeight);
    if (wanted > real) {
        box.scale = static_cast<float>(outputWidth) / kLogicalWidth;
        box.width = outputWidth;
        box.height = static_cast<int>(std::floor(kLogicalHeight * box.scale));
        box.y = (outputHeight - box.height) / 2;
    } else {
        box.scale = static_cast<float>(outputHeight) / kLogicalHeight;
        box.height = outputHeight;
        box.width = static_cast<int>(std::floor(kLogicalWidth * box.scale));
        box.x = (outputWidth - box.width) / 2;
    }
    return box;
}

}  // namespace tidewell::platform::sdl
