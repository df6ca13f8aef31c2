#include "resources/ColoursImage.h"

#include <cstring>

#include "core/ErrorGeneric.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\ColoursImage";
constexpr int kLineBadColours = 53;

} // namespace

ColoursImage::ColoursImage(std::uint32_t width, std::uint32_t height, const std::uint32_t* colours) {
    if (width == 0 || height == 0 || !colours) throw ErrorGeneric(kModulePath, kLineBadColours, 0);
    const std::size_t count = std::size_t{width} * height;
    allocatePixels(count);
    std::memcpy(pixels, colours, count * sizeof(std::uint32_t));
    this->width = width;
    this->height = height;
    loaded = true;
}

// The colours are the image itself: there is nothing to read and nothing to give up.
void ColoursImage::load() {}
void ColoursImage::unload() {}

bool ColoursImage::matches(std::uint32_t width, std::uint32_t height, const std::uint32_t* colours) const {
    return colours && width == this->width && height == this->height &&
           std::memcmp(pixels, colours, std::size_t{width} * height * sizeof(std::uint32_t)) == 0;
}

bool ColoursImage::operator==(const ColoursImage& other) const {
    return matches(other.width, other.height, other.pixels);
}

} // namespace tidewell
