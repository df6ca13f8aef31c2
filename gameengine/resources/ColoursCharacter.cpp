#include "resources/ColoursCharacter.h"

#include <cstring>

#include "core/ErrorGeneric.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\ColoursCharacter";
constexpr int kLineZeroSize = 28;
constexpr int kLineNullColours = 33;

} // namespace

ColoursCharacter::ColoursCharacter(std::uint32_t code, std::int32_t top, std::int32_t left, std::int32_t right,
                                   std::uint32_t width, std::uint32_t height, const std::uint32_t* colours) {
    if (width == 0 || height == 0) throw ErrorGeneric(kModulePath, kLineZeroSize, 0);
    if (!colours) throw ErrorGeneric(kModulePath, kLineNullColours, 0);
    const std::size_t count = std::size_t{width} * height;
    allocatePixels(count);
    std::memcpy(pixels, colours, count * sizeof(std::uint32_t));
    this->width = width;
    this->height = height;
    this->code = code;
    this->top = top;
    this->left = left;
    this->right = right;
    loaded = true;
}

void ColoursCharacter::load() { loaded = true; }

// The colours stay: they cannot be made again from anywhere else.
void ColoursCharacter::unload() { loaded = false; }

bool ColoursCharacter::matches(std::uint32_t code, std::int32_t top, std::int32_t left, std::int32_t right,
                               std::uint32_t width, std::uint32_t height, const std::uint32_t* colours) const {
    return colours && code == this->code && top == this->top && left == this->left && right == this->right &&
           width == this->width && height == this->height &&
           std::memcmp(pixels, colours, std::size_t{width} * height * sizeof(std::uint32_t)) == 0;
}

} // namespace tidewell
