#pragma once

#include "../Window.h"

#include <SDL.h>

#include <deque>
#include <vector>

namespace tidewell::platform::sdl {

class SdlEventPump;

// The SDL window with a 2D renderer that scales the logical 800 x 600 picture to the
// window, letterboxed. Frames are uploaded into a streaming texture of their format.
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

    // Called by the event pump with every SDL event; keeps the ones about this window.
    void acceptEvent(const SDL_Event& event);

private:
    void applyIcon();
    bool ensureTexture(PixelFormat format);

    SdlEventPump& pump_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    PixelFormat textureFormat_ = PixelFormat::Xrgb8888;
    bool fullScreen_ = false;
    std::string title_;
    std::vector<std::uint32_t> icon_;
    int iconWidth_ = 0;
    int iconHeight_ = 0;
    std::deque<WindowEvent> events_;
};

} // namespace tidewell::platform::sdl
