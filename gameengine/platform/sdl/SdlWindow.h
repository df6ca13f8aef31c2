#pragma once

#include "../Window.h"
#include "SdlGpuDevice.h"

#include <SDL.h>

#include <deque>
#include <memory>
#include <vector>

namespace tidewell::platform::sdl {

class SdlEventPump;

// The SDL window. Frames drawn in software are copied into the window's own surface,
// letterboxed and scaled by the processor, and handed to the display as they are: no
// OpenGL is involved, which on a machine without a GPU driver would be a software
// rasteriser costing more than the frame. While the graphics card draws (openGpu) it
// presents its own back buffer and software frames are not shown.
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
    std::uint32_t refreshRate() const override;
    void notePicture(unsigned betweenTicks) override;
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
    void releaseVideo();
    void releaseFrameSurfaces();
    // The frame's pixels as an SDL surface, made again only when they move.
    SDL_Surface* frameSurface(const FrameView& frame);
    // The frame in the window surface's format, ready to be stretched; null when it cannot be had.
    SDL_Surface* scaledSource(SDL_Surface* frame, const SDL_Surface* target);
    // The windowed scale reduced to what the display can hold; says so once when it must.
    int fittingScale();

    SdlEventPump& pump_;
    SDL_Window* window_ = nullptr;
    SDL_Surface* frameSurface_ = nullptr;  // borrows the renderer's pixels
    SDL_Surface* scaledSource_ = nullptr;  // the frame converted, for a scaled present
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
