#pragma once

#include <map>
#include <optional>
#include <vector>

#include "../GpuDevice.h"

namespace tidewell::platform::headless {

// A graphics card that only remembers: it reports the capabilities a test chose and
// keeps every texture's pixels and every draw, so the engine's use of a card can be
// checked without one. It draws no picture.
class HeadlessGpuDevice : public GpuDevice {
public:
    struct TextureRecord {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        GpuTextureFormat format;
        std::vector<std::uint32_t> texels;  // packed pixels as uploaded, rows from the top; never written: 0
        int uploads = 0;
    };
    struct DrawRecord {
        GpuPrimitive primitive = GpuPrimitive::Points;
        std::vector<GpuVertex> vertices;
        GpuTexture texture = 0;
        std::optional<GpuRect> clip;
    };

    explicit HeadlessGpuDevice(GpuCapabilities capabilities);

    const GpuCapabilities& capabilities() const override { return capabilities_; }
    bool isLost() const override { return lost_; }
    bool restore() override;
    GpuTexture createTexture(std::uint32_t width, std::uint32_t height, const GpuTextureFormat& format) override;
    bool uploadTexture(GpuTexture texture, std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height,
                       const void* pixels, std::size_t pitchBytes) override;
    void destroyTexture(GpuTexture texture) override;
    bool beginFrame() override;
    bool clear(std::uint32_t argb) override;
    void setClip(const GpuRect& rect) override { clip_ = rect; }
    void clearClip() override { clip_.reset(); }
    bool draw(GpuPrimitive primitive, const GpuVertex* vertices, int count, GpuTexture texture) override;
    void endFrame() override { inFrame_ = false; }
    bool present() override;
    bool readBackBuffer(std::vector<std::uint32_t>& pixels) override;
    void finish() override {}

    // The context goes, as when the driver resets the card: every texture is forgotten.
    void lose();
    // Lets `count` more textures be made, then fails every creation as a card out of
    // memory would; a negative count lifts the limit.
    void failTexturesAfter(int count) { texturesLeft_ = count; }
    // Makes restore() fail, as when no new context can be had.
    void failRestore(bool fail) { failRestore_ = fail; }

    const std::map<GpuTexture, TextureRecord>& textures() const { return textures_; }
    const TextureRecord* texture(GpuTexture handle) const;
    const std::vector<DrawRecord>& draws() const { return draws_; }
    void forgetDraws() { draws_.clear(); }
    std::uint32_t lastClearColour() const { return lastClear_; }
    int framesBegun() const { return framesBegun_; }
    int presents() const { return presents_; }
    int restores() const { return restores_; }

private:
    GpuCapabilities capabilities_;
    std::map<GpuTexture, TextureRecord> textures_;
    std::vector<DrawRecord> draws_;
    std::optional<GpuRect> clip_;
    GpuTexture nextHandle_ = 1;
    std::uint32_t lastClear_ = 0;
    bool lost_ = false;
    bool inFrame_ = false;
    int texturesLeft_ = -1;
    bool failRestore_ = false;
    int framesBegun_ = 0;
    int presents_ = 0;
    int restores_ = 0;
};

}  // namespace tidewell::platform::headless
