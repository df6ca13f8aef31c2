#include "SdlWindow.h"

#include "SdlEventPump.h"

#include <cmath>

namespace tidewell::platform::sdl {
namespace {

Uint32 sdlFormat(PixelFormat format) {
    return format == PixelFormat::Rgb565 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
}

} // namespace

SdlWindow::SdlWindow(SdlEventPump& pump) : pump_(pump) {
    pump_.addSink([this](const SDL_Event& event) { acceptEvent(event); });
}

SdlWindow::~SdlWindow() {
    destroy();
}

void SdlWindow::setTitle(const std::string& title) {
    title_ = title;
    if (window_ != nullptr) {
        SDL_SetWindowTitle(window_, title_.c_str());
    }
}

void SdlWindow::setIcon(const std::uint32_t* argbPixels, int width, int height) {
    if (argbPixels == nullptr || width <= 0 || height <= 0) {
        icon_.clear();
        iconWidth_ = iconHeight_ = 0;
        return;
    }
    icon_.assign(argbPixels, argbPixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    iconWidth_ = width;
    iconHeight_ = height;
    applyIcon();
}

void SdlWindow::applyIcon() {
    if (window_ == nullptr || icon_.empty()) {
        return;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon_.data(), iconWidth_, iconHeight_, 32,
                                                              iconWidth_ * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface != nullptr) {
        SDL_SetWindowIcon(window_, surface);
        SDL_FreeSurface(surface);
    }
}

bool SdlWindow::create(bool fullScreen) {
    if (window_ != nullptr) {
        destroy();
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    // Full screen is a borderless window the size of the desktop; the picture is
    // scaled into it, so the desktop's own mode is never changed.
    const Uint32 flags = fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kLogicalWidth,
                               kLogicalHeight, flags);
    if (window_ == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_RenderSetLogicalSize(renderer_, kLogicalWidth, kLogicalHeight);
    fullScreen_ = fullScreen;
    applyIcon();
    SDL_ShowWindow(window_);
    return true;
}

void SdlWindow::destroy() {
    if (window_ == nullptr) {
        return;
    }
    if (texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
        texture_ = nullptr;
    }
    SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    // Events still queued for the old window must not reach the game as a close or
    // a focus change of the new one.
    pump_.drain();
    events_.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindow::isCreated() const {
    return window_ != nullptr;
}

bool SdlWindow::isFullScreen() const {
    return fullScreen_;
}

WindowSize SdlWindow::clientSize() const {
    if (window_ == nullptr) {
        return {};
    }
    WindowSize size;
    SDL_GetWindowSize(window_, &size.width, &size.height);
    return size;
}

bool SdlWindow::pollEvent(WindowEvent& event) {
    if (events_.empty()) {
        pump_.drain();
    }
    if (events_.empty()) {
        return false;
    }
    event = events_.front();
    events_.pop_front();
    return true;
}

void SdlWindow::acceptEvent(const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        events_.push_back(WindowEvent{WindowEventKind::Close});
        return;
    }
    if (event.type != SDL_WINDOWEVENT || window_ == nullptr || event.window.windowID != SDL_GetWindowID(window_)) {
        return;
    }
    switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE: events_.push_back(WindowEvent{WindowEventKind::Close}); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: events_.push_back(WindowEvent{WindowEventKind::FocusGained}); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: events_.push_back(WindowEvent{WindowEventKind::FocusLost}); break;
    case SDL_WINDOWEVENT_MINIMIZED: events_.push_back(WindowEvent{WindowEventKind::Minimised}); break;
    case SDL_WINDOWEVENT_RESTORED: events_.push_back(WindowEvent{WindowEventKind::Restored}); break;
    case SDL_WINDOWEVENT_EXPOSED: events_.push_back(WindowEvent{WindowEventKind::Exposed}); break;
    default: break;
    }
}

bool SdlWindow::ensureTexture(PixelFormat format) {
    if (texture_ != nullptr && textureFormat_ == format) {
        return true;
    }
    if (texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
    }
    texture_ = SDL_CreateTexture(renderer_, sdlFormat(format), SDL_TEXTUREACCESS_STREAMING, kLogicalWidth,
                                 kLogicalHeight);
    textureFormat_ = format;
    return texture_ != nullptr;
}

void SdlWindow::present(const FrameView& frame) {
    if (renderer_ == nullptr || frame.pixels == nullptr || frame.width != kLogicalWidth ||
        frame.height != kLogicalHeight || !ensureTexture(frame.format)) {
        return;
    }
    SDL_UpdateTexture(texture_, nullptr, frame.pixels, frame.pitchBytes);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);  // the letterbox bars
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

void SdlWindow::minimise() {
    if (window_ != nullptr) {
        SDL_MinimizeWindow(window_);
    }
}

bool SdlWindow::cursorPosition(int& x, int& y) const {
    if (renderer_ == nullptr) {
        return false;
    }
    int windowX = 0;
    int windowY = 0;
    if (SDL_GetMouseFocus() == window_) {
        SDL_GetMouseState(&windowX, &windowY);
    } else {
        // Outside the window SDL stops following the cursor; the desktop position still
        // says where it went, so the pointer can tell that it left the picture.
        int desktopX = 0;
        int desktopY = 0;
        int left = 0;
        int top = 0;
        SDL_GetGlobalMouseState(&desktopX, &desktopY);
        SDL_GetWindowPosition(window_, &left, &top);
        windowX = desktopX - left;
        windowY = desktopY - top;
    }
    float logicalX = 0;
    float logicalY = 0;
    SDL_RenderWindowToLogical(renderer_, windowX, windowY, &logicalX, &logicalY);
    x = static_cast<int>(std::floor(logicalX));
    y = static_cast<int>(std::floor(logicalY));
    return logicalX >= 0 && logicalX < kLogicalWidth && logicalY >= 0 && logicalY < kLogicalHeight;
}

void SdlWindow::moveSystemCursor(int x, int y) {
    if (renderer_ == nullptr) {
        return;
    }
    int windowX = 0;
    int windowY = 0;
    SDL_RenderLogicalToWindow(renderer_, static_cast<float>(x), static_cast<float>(y), &windowX, &windowY);
    SDL_WarpMouseInWindow(window_, windowX, windowY);
}

void SdlWindow::showSystemCursor(bool shown) {
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void SdlWindow::setRelativeMouseMode(bool relative) {
    SDL_SetRelativeMouseMode(relative ? SDL_TRUE : SDL_FALSE);
}

} // namespace tidewell::platform::sdl
