#pragma once

#include <cstdint>

#include "resources/ImageResource.h"

namespace tidewell {

// An image built in memory from a colour array (a font's glyph atlas, a picture
// composed in code). Its pixels are always present. The resource manager stores
// each distinct one once.
class ColoursImage : public ImageResource {
public:
    // Copies width × height colours; ErrorGeneric for a zero size or a null array.
    ColoursImage(std::uint32_t width, std::uint32_t height, const std::uint32_t* colours);

    void load() override;
    void unload() override;

    // Same size and byte for byte the same colours.
    bool matches(std::uint32_t width, std::uint32_t height, const std::uint32_t* colours) const;
    bool operator==(const ColoursImage& other) const;
};

} // namespace tidewell
