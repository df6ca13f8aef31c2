#include "SdlWindow.h"

#include "SdlEventPump.h"
#include "SdlPictureFit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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
    gpu_.reset();
    destroy();
    releaseVideo();
}

void SdlWindow::releaseVideo() {
    if (holdsVideo_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        holdsVideo_ = false;
    }
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
    if (!holdsVideo_) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            return false;
        }
        holdsVideo_ = true;
    }
    // Full screen is a borderless window the size of the desktop; the picture is
    // scaled into it, so the desktop's own mode is never changed. The window can take
    // an OpenGL context for the graphics card; where OpenGL cannot be loaded at all it
    // is made without, and only the software renderer can draw.
    // A window can be resized at will: the picture keeps its proportions in it. On a
    // high-density display it gets all the display's pixels, so the picture stays sharp.
    const Uint32 flags =
        SDL_WINDOW_ALLOW_HIGHDPI | (fullScreen ? Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP} : Uint32{SDL_WINDOW_RESIZABLE});
    const int scale = fittingScale();
    for (const Uint32 openGl : {Uint32{SDL_WINDOW_OPENGL}, Uint32{0}}) {
        window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kLogicalWidth * scale,
                                   kLogicalHeight * scale, flags | openGl);
        if (window_ != nullptr) {
            break;
        }
    }
    if (window_ == nullptr) {
        releaseVideo();
        return false;
    }
    if (gpu_) {
        // The card drew into the window this one replaces: it makes its context here when restored.
        gpu_->setWindow(window_);
    } else if (!ensureRenderer()) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        releaseVideo();
        return false;
    }
    fullScreen_ = fullScreen;
    applyIcon();
    SDL_ShowWindow(window_);
    return true;
}

bool SdlWindow::ensureRenderer() {
    if (renderer_ != nullptr) {
        return true;
    }
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) {
        return false;
    }
    return true;
}

void SdlWindow::setWindowedScale(int scale) {
    windowedScale_ = std::max(scale, 1);
    scaleNoted_ = false;
}

int SdlWindow::fittingScale() {
    SDL_Rect usable{};
    if (windowedScale_ <= 1 || SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return windowedScale_;
    }
    const int largest = std::max(1, std::min(usable.w / kLogicalWidth, usable.h / kLogicalHeight));
    if (windowedScale_ <= largest) {
        return windowedScale_;
    }
    if (!scaleNoted_) {
        std::fprintf(stderr, "note: a window at %d times %d x %d does not fit the display (%d x %d); it opens at %d times\n",
                     windowedScale_, kLogicalWidth, kLogicalHeight, usable.w, usable.h, largest);
        scaleNoted_ = true;
    }
    return largest;
}

SDL_Rect SdlWindow::pictureRect() const {
    const PictureRect fit = pictureFitOf(window_).destination();
    return SDL_Rect{fit.x, fit.y, fit.width, fit.height};
}

void SdlWindow::releaseRenderer() {
    if (texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
        texture_ = nullptr;
    }
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
    }
}

void SdlWindow::destroy() {
    if (window_ == nullptr) {
        return;
    }
    if (gpu_) {
        gpu_->dropContext();  // the engine sees the card lost and makes it anew
    }
    releaseRenderer();
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    // Events still queued for the old window must not reach the game as a close or
    // a focus change of the new one.
    pump_.drain();
    events_.clear();
    // While the card's device lives the display stays open for the window that replaces
    // this one: closing it would unload OpenGL, and reopening it is slow and can fail.
    if (!gpu_) {
        releaseVideo();
    }
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
    // A resized window is painted again at once with the picture fitted to its new size.
    case SDL_WINDOWEVENT_SIZE_CHANGED: events_.push_back(WindowEvent{WindowEventKind::Exposed}); break;
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
    if (gpu_ || window_ == nullptr || !ensureRenderer() || frame.pixels == nullptr || frame.width != kLogicalWidth ||
        frame.height != kLogicalHeight || !ensureTexture(frame.format)) {
        return;
    }
    SDL_UpdateTexture(texture_, nullptr, frame.pixels, frame.pitchBytes);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);  // the letterbox bars
    SDL_RenderClear(renderer_);
    const SDL_Rect target = pictureRect();
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    SDL_RenderPresent(renderer_);
}

GpuDevice* SdlWindow::openGpu(std::string& whyNot) {
    if (window_ == nullptr) {
        whyNot = "there is no window to draw into";
        return nullptr;
    }
    if (gpu_) {
        return gpu_.get();
    }
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_OPENGL) == 0) {
        whyNot = "OpenGL cannot be loaded for the window";
        return nullptr;
    }
    releaseRenderer();
    gpu_ = SdlGpuDevice::open(window_, whyNot);
    if (!gpu_) {
        ensureRenderer();  // software frames are shown as before
        return nullptr;
    }
    return gpu_.get();
}

void SdlWindow::closeGpu() {
    if (!gpu_) {
        return;
    }
    gpu_.reset();
    if (window_ != nullptr) {
        ensureRenderer();
    } else {
        releaseVideo();
    }
}

void SdlWindow::minimise() {
    if (window_ != nullptr) {
        SDL_MinimizeWindow(window_);
    }
}

bool SdlWindow::cursorPosition(int& x, int& y) const {
    if (window_ == nullptr) {
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
    // Mapped by hand rather than by SDL's 2D renderer, which is put away while the card draws.
    return pictureFitOf(window_).toLogical(windowX, windowY, x, y);
}

void SdlWindow::moveSystemCursor(int x, int y) {
    if (window_ == nullptr) {
        return;
    }
    // The same fit as cursorPosition, so that the cursor reads back where it was put.
    int windowX = 0;
    int windowY = 0;
    pictureFitOf(window_).toWindow(x, y, windowX, windowY);
    SDL_WarpMouseInWindow(window_, windowX, windowY);
}

void SdlWindow::showSystemCursor(bool shown) {
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void SdlWindow::setRelativeMouseMode(bool relative) {
    SDL_SetRelativeMouseMode(relative ? SDL_TRUE : SDL_FALSE);
}

} // namespace tidewell::platform::sdl
