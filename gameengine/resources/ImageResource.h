#pragma once

#include <cstddef>
#include <cstdint>

namespace tidewell {

// A picture held in memory as 32-bit ARGB colours, rows from the top, each row
// left to right. Textures are made on it; it is shared and counted by the
// resource manager, which is also the one that deletes it.
class ImageResource {
public:
    ImageResource() = default;
    ImageResource(const ImageResource&) = delete;
    ImageResource& operator=(const ImageResource&) = delete;

    // Makes the pixels available; does nothing when they already are.
    virtual void load() = 0;
    // Gives the pixels up.
    virtual void unload() = 0;
    // unload() then load(), for every kind of image.
    virtual void reload();
    virtual ~ImageResource();

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // width × height colours, owned; null while not loaded.
    std::uint32_t* pixels = nullptr;
    bool loaded = false;

protected:
    // Replaces the pixels with `count` transparent black ones; ErrorNoMemory when they
    // cannot be had. They come zeroed from calloc, which hands out untouched pages for
    // big arrays, so the part of a large image that a short file never fills costs no memory.
    void allocatePixels(std::size_t count);
    void freePixels();
};

} // namespace tidewell
