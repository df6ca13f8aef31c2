#include "resources/ImageResource.h"

#include <algorithm>
#include <cstdlib>

#include "core/ErrorNoMemory.h"

namespace tidewell {

void ImageResource::reload() {
    unload();
    load();
}

ImageResource::~ImageResource() { freePixels(); }

void ImageResource::allocatePixels(std::size_t count) {
    freePixels();
    // At least one pixel, so that a loaded image never has null pixels even when it is empty.
    pixels = static_cast<std::uint32_t*>(std::calloc(std::max<std::size_t>(count, 1), sizeof(std::uint32_t)));
    if (!pixels) throw ErrorNoMemory();
}

void ImageResource::freePixels() {
    std::free(pixels);
    pixels = nullptr;
}

} // namespace tidewell
