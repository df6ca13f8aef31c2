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

// The black bars beside or above and below the picture.
void fillBars(SDL_Surface* target, const PictureRect& box) {
    const Uint32 black = SDL_MapRGB(target->format, 0, 0, 0);
    if (box.x > 0) {
        const SDL_Rect left{0, 0, box.x, target->h};
        const SDL_Rect right{box.x + box.width, 0, target->w - box.x - box.width, target->h};
        SDL_FillRect(target, &left, black);
        SDL_FillRect(target, &right, black);
    }
    if (box.y > 0) {
        const SDL_Rect top{0, 0, target->w, box.y};
        const SDL_Rect bottom{0, box.y + box.height, target->w, target->h - box.y - box.height};
        SDL_FillRect(target, &top, black);
        SDL_FillRect(target, &bottom, black);
    }
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
    // Frames drawn in software reach the window as plain pixels (shared memory on X11).
    // Without this SDL would show its window surface through a 2D renderer, which on a
    // machine without a GPU driver is a software OpenGL costing more than drawing the frame.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
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
    } else if (SDL_GetWindowSurface(window_) == nullptr) {
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

void SdlWindow::releaseFrameSurfaces() {
    if (frameSurface_ != nullptr) {
        SDL_FreeSurface(frameSurface_);
        frameSurface_ = nullptr;
    }
    if (scaledSource_ != nullptr) {
        SDL_FreeSurface(scaledSource_);
        scaledSource_ = nullptr;
    }
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

void SdlWindow::destroy() {
    if (window_ == nullptr) {
        return;
    }
    if (gpu_) {
        gpu_->dropContext();  // the engine sees the card lost and makes it anew
    }
    releaseFrameSurfaces();
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
    if (!serverWindowSize(window_, size.width, size.height)) {
        SDL_GetWindowSize(window_, &size.width, &size.height);
    }
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

SDL_Surface* SdlWindow::frameSurface(const FrameView& frame) {
    const Uint32 format = sdlFormat(frame.format);
    if (frameSurface_ != nullptr && frameSurface_->pixels == frame.pixels && frameSurface_->pitch == frame.pitchBytes &&
        frameSurface_->format->format == format) {
        return frameSurface_;
    }
    if (frameSurface_ != nullptr) {
        SDL_FreeSurface(frameSurface_);
    }
    // The frame's own pixels, borrowed: nothing is copied before the blit into the window.
    frameSurface_ = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<void*>(frame.pixels), frame.width, frame.height,
                                                       SDL_BITSPERPIXEL(format), frame.pitchBytes, format);
    return frameSurface_;
}

SDL_Surface* SdlWindow::scaledSource(SDL_Surface* frame, const SDL_Surface* target) {
    // SDL stretches quickly only between surfaces of one pixel format; a frame in
    // another one is converted first, so the stretch never takes SDL's slow generic blit.
    if (frame->format->format == target->format->format) {
        return frame;
    }
    if (scaledSource_ == nullptr || scaledSource_->format->format != target->format->format) {
        if (scaledSource_ != nullptr) {
            SDL_FreeSurface(scaledSource_);
        }
        scaledSource_ = SDL_CreateRGBSurfaceWithFormat(0, frame->w, frame->h, target->format->BitsPerPixel,
                                                       target->format->format);
    }
    if (scaledSource_ == nullptr || SDL_BlitSurface(frame, nullptr, scaledSource_, nullptr) != 0) {
        return nullptr;
    }
    return scaledSource_;
}

void SdlWindow::present(const FrameView& frame) {
    if (gpu_ || window_ == nullptr || frame.pixels == nullptr || frame.width != kLogicalWidth ||
        frame.height != kLogicalHeight) {
        return;
    }
    // Asked for every frame: SDL makes the window's surface anew after a resize.
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    SDL_Surface* picture = frameSurface(frame);
    if (target == nullptr || picture == nullptr) {
        return;
    }
    // The surface is in the window's pixels, whatever the display's density. SDL makes it
    // the size it believes the window has; where the window is really smaller (a full
    // screen not granted), only the part the window shows is used.
    int shownWidth = target->w;
    int shownHeight = target->h;
    if (serverWindowSize(window_, shownWidth, shownHeight)) {
        shownWidth = std::min(shownWidth, target->w);
        shownHeight = std::min(shownHeight, target->h);
    }
    const PictureRect box = PictureFit(shownWidth, shownHeight).destination();
    fillBars(target, box);
    SDL_Rect where{box.x, box.y, box.width, box.height};
    if (box.width == frame.width && box.height == frame.height) {
        SDL_BlitSurface(picture, nullptr, target, &where);
    } else if (SDL_Surface* source = scaledSource(picture, target)) {
        SDL_BlitScaled(source, nullptr, target, &where);  // nearest pixel, as the card's present
    }
    SDL_UpdateWindowSurface(window_);
}

// The rate of the display the window is on; a display that does not say is taken for
// the common 60 Hz.
std::uint32_t SdlWindow::refreshRate() const {
    constexpr std::uint32_t kUsualRate = 60;
    SDL_DisplayMode mode;
    const int display = window_ != nullptr ? SDL_GetWindowDisplayIndex(window_) : 0;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0 || mode.refresh_rate <= 0) return kUsualRate;
    return static_cast<std::uint32_t>(mode.refresh_rate);
}

// A window shows every picture alike, between ticks or not.
void SdlWindow::notePicture(unsigned) {}

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
    gpu_ = SdlGpuDevice::open(window_, whyNot);
    return gpu_.get();  // without one, software frames are shown as before
}

void SdlWindow::closeGpu() {
    if (!gpu_) {
        return;
    }
    gpu_.reset();
    if (window_ == nullptr) {
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
