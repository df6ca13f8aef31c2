#pragma once

#include <array>
#include <cstdint>

#include "graphics/DisplayFormat.h"

namespace tidewell {

// One display colour laid with one alpha over many back-buffer pixels, as a translucent
// rectangle draws it (a fade, a flash, a shade over the whole screen). Each channel of
// the result depends only on the same channel of the pixel under it, so the blend is
// worked out once for every value a channel can hold, with the display format's own
// blendPixel, and every pixel is then three look-ups: the same pixels, at a fraction of
// the work of blending each one.
class FlatBlend {
public:
    FlatBlend(const DisplayFormat& format, std::uint32_t colour, std::uint32_t alpha);

    void apply(std::uint32_t* pixels, int count) const;
    void apply(std::uint16_t* pixels, int count) const;

    // Below this many pixels, making the tables costs more than it saves.
    static constexpr int kWorthwhilePixels = 2048;

private:
    std::uint32_t blended(std::uint32_t pixel) const {
        return tables_[0][(pixel & masks_[0]) >> shifts_[0]] | tables_[1][(pixel & masks_[1]) >> shifts_[1]] |
               tables_[2][(pixel & masks_[2]) >> shifts_[2]];
    }

    std::array<std::uint32_t, 3> masks_{};
    std::array<int, 3> shifts_{};
    // For each channel, indexed by its value: that channel of the blended pixel, in place.
    std::array<std::array<std::uint32_t, 256>, 3> tables_{};
};

}  // namespace tidewell
