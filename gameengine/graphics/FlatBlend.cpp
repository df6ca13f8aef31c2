#include "graphics/FlatBlend.h"

#include <bit>

namespace tidewell {

FlatBlend::FlatBlend(const DisplayFormat& format, std::uint32_t colour, std::uint32_t alpha) {
    for (int channel = 0; channel < 3; ++channel) {
        const std::uint32_t mask = format.masks[channel];
        masks_[channel] = mask;
        shifts_[channel] = std::countr_zero(mask);
        const std::uint32_t values = (mask >> shifts_[channel]) + 1;  // at most 256: 8 bits a channel
        for (std::uint32_t value = 0; value < values; ++value) {
            tables_[channel][value] = mask & format.blendPixel(value << shifts_[channel], colour, alpha);
        }
    }
}

void FlatBlend::apply(std::uint32_t* pixels, int count) const {
    for (int i = 0; i < count; ++i) pixels[i] = blended(pixels[i]);
}

void FlatBlend::apply(std::uint16_t* pixels, int count) const {
    for (int i = 0; i < count; ++i) pixels[i] = static_cast<std::uint16_t>(blended(pixels[i]));
}

}  // namespace tidewell
