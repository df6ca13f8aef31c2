#include "HeadlessGpuDevice.h"

#include <cstring>
#include <utility>

namespace tidewell::platform::headless {

HeadlessGpuDevice::HeadlessGpuDevice(GpuCapabilities capabilities) : capabilities_(std::move(capabilities)) {}

bool HeadlessGpuDevice::restore() {
    if (failRestore_) return false;
    if (lost_) ++restores_;
    lost_ = false;
    return true;
}

GpuTexture HeadlessGpuDevice::createTexture(std::uint32_t width, std::uint32_t height, const GpuTextureFormat& format) {
    if (lost_ || texturesLeft_ == 0 || width == 0 || height == 0 || width > capabilities_.maxTextureWidth ||
        height > capabilities_.maxTextureHeight) {
        return 0;
    }
    if (texturesLeft_ > 0) --texturesLeft_;
    TextureRecord record;
    record.width = width;
    record.height = height;
    record.format = format;
    record.texels.assign(std::size_t{width} * height, 0);
    const GpuTexture handle = nextHandle_++;
    textures_.emplace(handle, std::move(record));
    return handle;
}

bool HeadlessGpuDevice::uploadTexture(GpuTexture texture, std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                      std::uint32_t height, const void* pixels, std::size_t pitchBytes) {
    auto found = textures_.find(texture);
    if (lost_ || found == textures_.end() || pixels == nullptr) return false;
    TextureRecord& record = found->second;
    if (x + width > record.width || y + height > record.height) return false;
    const int bytes = record.format.bitCount / 8;
    const auto* rows = static_cast<const std::uint8_t*>(pixels);
    for (std::uint32_t row = 0; row < height; ++row) {
        for (std::uint32_t column = 0; column < width; ++column) {
            std::uint32_t value = 0;
            if (bytes == 2) {
                std::uint16_t narrow;
                std::memcpy(&narrow, rows + row * pitchBytes + column * 2, 2);
                value = narrow;
            } else {
                std::memcpy(&value, rows + row * pitchBytes + column * 4, 4);
            }
            record.texels[std::size_t{y + row} * record.width + x + column] = value;
        }
    }
    ++record.uploads;
    return true;
}

void HeadlessGpuDevice::destroyTexture(GpuTexture texture) { textures_.erase(texture); }

bool HeadlessGpuDevice::beginFrame() {
    if (lost_) return false;
    inFrame_ = true;
    ++framesBegun_;
    return true;
}

bool HeadlessGpuDevice::clear(std::uint32_t argb) {
    if (lost_ || !inFrame_) return false;
    lastClear_ = argb;
    return true;
}

bool HeadlessGpuDevice::draw(GpuPrimitive primitive, const GpuVertex* vertices, int count, GpuTexture texture) {
    if (lost_ || !inFrame_ || vertices == nullptr || count <= 0) return false;
    if (texture != 0 && textures_.count(texture) == 0) return false;
    draws_.push_back(DrawRecord{primitive, std::vector<GpuVertex>(vertices, vertices + count), texture, clip_});
    return true;
}

bool HeadlessGpuDevice::present() {
    if (lost_) return false;
    ++presents_;
    return true;
}

bool HeadlessGpuDevice::readBackBuffer(std::vector<std::uint32_t>&) {
    return false;  // nothing is ever drawn here
}

void HeadlessGpuDevice::lose() {
    lost_ = true;
    inFrame_ = false;
    textures_.clear();
}

const HeadlessGpuDevice::TextureRecord* HeadlessGpuDevice::texture(GpuTexture handle) const {
    auto found = textures_.find(handle);
    return found == textures_.end() ? nullptr : &found->second;
}

}  // namespace tidewell::platform::headless
