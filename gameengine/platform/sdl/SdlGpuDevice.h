#pragma once

#include <SDL.h>
#include <epoxy/gl.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "../GpuDevice.h"

namespace tidewell::platform::sdl {

// The graphics card through OpenGL 3.3 (core profile, which Mesa's software
// rasteriser offers as well): one context on the SDL window, an 800 x 600 framebuffer
// object as the back buffer, one small shader for every draw, and the back buffer
// blitted into the window, letterboxed, to present it.
class SdlGpuDevice : public GpuDevice {
public:
    // A device drawing into the window (made with SDL_WINDOW_OPENGL); null with the reason when none can be had.
    static std::unique_ptr<SdlGpuDevice> open(SDL_Window* window, std::string& whyNot);
    ~SdlGpuDevice() override;
    SdlGpuDevice(const SdlGpuDevice&) = delete;
    SdlGpuDevice& operator=(const SdlGpuDevice&) = delete;

    const GpuCapabilities& capabilities() const override { return capabilities_; }
    bool isLost() const override { return context_ == nullptr; }
    bool restore() override;
    GpuTexture createTexture(std::uint32_t width, std::uint32_t height, const GpuTextureFormat& format) override;
    bool uploadTexture(GpuTexture texture, std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height,
                       const void* pixels, std::size_t pitchBytes) override;
    void destroyTexture(GpuTexture texture) override;
    bool beginFrame() override;
    bool clear(std::uint32_t argb) override;
    void setClip(const GpuRect& rect) override;
    void clearClip() override;
    bool draw(GpuPrimitive primitive, const GpuVertex* vertices, int count, GpuTexture texture) override;
    void endFrame() override {}
    bool present() override;
    bool readBackBuffer(std::vector<std::uint32_t>& pixels) override;
    void finish() override;

    // The window is about to be destroyed: the context goes with it, the device is lost.
    void dropContext();
    // The window the device draws into after a re-creation (restore() then makes the context).
    void setWindow(SDL_Window* window) { window_ = window; }

private:
    struct TextureObject {
        GLuint name = 0;
        GLenum format = 0;  // how packed pixels are handed over
        GLenum type = 0;
        int bytesPerPixel = 0;
    };

    explicit SdlGpuDevice(SDL_Window* window);
    bool makeContext(std::string& whyNot);
    bool makePipeline(std::string& whyNot);
    void releaseContext();
    // False, and the device lost, when the driver reset the card since the last look.
    bool stillValid();
    void readCapabilities();

    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    bool resetReported_ = false;  // the context can tell of a reset by the driver
    GLuint program_ = 0;
    GLuint vertexArray_ = 0;
    GLuint vertexBuffer_ = 0;
    GLuint framebuffer_ = 0;
    GLuint colourBuffer_ = 0;
    GLint texturedUniform_ = -1;
    bool texturedNow_ = false;
    GpuCapabilities capabilities_;
    std::unordered_map<GpuTexture, TextureObject> textures_;
    GpuTexture nextHandle_ = 1;
};

}  // namespace tidewell::platform::sdl
