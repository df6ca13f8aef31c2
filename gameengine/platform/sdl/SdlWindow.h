#pragma once

#include "../Window.h"
#include "SdlGpuDevice.h"

#include <SDL.h>

#include <deque>
#include <memory>
#include <vector>

namespace tidewell::platform::sdl {

class SdlEventPump;

// The SDL window. Frames drawn in software are uploaded into a streaming texture of SDL's
// 2D renderer, which scales the logical 800 x 600 picture to the window, letterboxed.
// While the graphics card draws (openGpu) the 2D renderer is put away, since both
// would use OpenGL on the same window, and the card presents its own back buffer.
class SdlWindow : public Window {
public:
    explicit SdlWindow(SdlEventPump& pump);
    ~SdlWindow() override;

    void setTitle(const std::string& title) override;
    void setIcon(const std::uint32_t* argbPixels, int width, int height) override;
    bool create(bool fullScreen) override;
    void destroy() override;
    bool isCreated() const override;
    bool isFullScreen() const override;
    WindowSize clientSize() const override;
    bool pollEvent(WindowEvent& event) override;
    void present(const FrameView& frame) override;
    void minimise() override;
    bool cursorPosition(int& x, int& y) const override;
    void moveSystemCursor(int x, int y) override;
    void showSystemCursor(bool shown) override;
    void setRelativeMouseMode(bool relative) override;
    GpuDevice* openGpu(std::string& whyNot) override;
    void closeGpu() override;

    // Called by the event pump with every SDL event; keeps the ones about this window.
    void acceptEvent(const SDL_Event& event);
    // The window opens at scale times the logical size (1 by default), as far as the display has room.
    void setWindowedScale(int scale);

private:
    void applyIcon();
    bool ensureRenderer();
    void releaseVideo();
    void releaseRenderer();
    bool ensureTexture(PixelFormat format);
    // The windowed scale reduced to what the display can hold; says so once when it must.
    int fittingScale();
    // Where the picture goes in the window's pixels.
    SDL_Rect pictureRect() const;

    SdlEventPump& pump_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    PixelFormat textureFormat_ = PixelFormat::Xrgb8888;
    bool fullScreen_ = false;
    int windowedScale_ = 1;
    bool scaleNoted_ = false;
    bool holdsVideo_ = false;  // one reference to SDL's video subsystem, from create on
    std::string title_;
    std::vector<std::uint32_t> icon_;
    int iconWidth_ = 0;
    int iconHeight_ = 0;
    std::deque<WindowEvent> events_;
    std::unique_ptr<SdlGpuDevice> gpu_;
};

} // namespace tidewell::platform::sdl
