#include "WebWindow.h"

#include "../PictureFit.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

namespace tidewell::platform::web {
namespace {

constexpr const char* kCanvas = "#canvas";

EM_BOOL onResize(int, const EmscriptenUiEvent*, void* window) {
    static_cast<WebWindow*>(window)->fitToPage();
    return EM_FALSE;
}

EM_BOOL onFullscreenChange(int, const EmscriptenFullscreenChangeEvent*, void* window) {
    static_cast<WebWindow*>(window)->fitToPage();
    return EM_FALSE;
}

// A hidden tab is the program in the background: sound, music and vibration pause, and
// what was typed meanwhile is dropped when it comes back.
EM_BOOL onVisibilityChange(int, const EmscriptenVisibilityChangeEvent* event, void* window) {
    static_cast<WebWindow*>(window)->push(event->hidden ? WindowEventKind::Minimised : WindowEventKind::Restored);
    return EM_FALSE;
}

EM_BOOL onFocus(int type, const EmscriptenFocusEvent*, void* userData) {
    auto& window = *static_cast<WebWindow*>(userData);
    if (type == EMSCRIPTEN_EVENT_BLUR) window.noteFocusLost();
    window.push(type == EMSCRIPTEN_EVENT_FOCUS ? WindowEventKind::FocusGained : WindowEventKind::FocusLost);
    return EM_FALSE;
}

}  // namespace

WebWindow::WebWindow() {
    const char* target = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_resize_callback(target, this, false, &onResize);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, false, &onFullscreenChange);
    emscripten_set_visibilitychange_callback(this, false, &onVisibilityChange);
    emscripten_set_focus_callback(target, this, false, &onFocus);
    emscripten_set_blur_callback(target, this, false, &onFocus);
}

WebWindow::~WebWindow() {
    const char* target = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_resize_callback(target, nullptr, false, nullptr);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, false, nullptr);
    emscripten_set_visibilitychange_callback(nullptr, false, nullptr);
    emscripten_set_focus_callback(target, nullptr, false, nullptr);
    emscripten_set_blur_callback(target, nullptr, false, nullptr);
}

void WebWindow::setTitle(const std::string& title) {
    EM_ASM({ document.title = UTF8ToString($0); }, title.c_str());
}

bool WebWindow::create(bool fullScreen) {
    emscripten_set_canvas_element_size(kCanvas, kLogicalWidth, kLogicalHeight);
    shownRgb_.clear();  // setting the size clears the canvas
    created_ = true;
    fullScreen_ = fullScreen;
    // The browser grants full screen only while it is handling the player's key or click
    // (Alt+Enter, F11, the Options box); asked for at another time it says no, and the
    // page stays as it is.
    EM_ASM({
        var stage = document.getElementById('canvas').parentElement;
        if ($0 && !document.fullscreenElement && stage.requestFullscreen) {
            stage.requestFullscreen().catch(function () {});
        } else if (!$0 && document.fullscreenElement && document.exitFullscreen) {
            document.exitFullscreen().catch(function () {});
        }
    }, fullScreen ? 1 : 0);
    fitToPage();
    return true;
}

void WebWindow::destroy() { created_ = false; }

WindowSize WebWindow::clientSize() const { return WindowSize{cssWidth_, cssHeight_}; }

void WebWindow::push(WindowEventKind kind) {
    events_.push_back(WindowEvent{kind});
    if (eventListener_) eventListener_();
}

bool WebWindow::pollEvent(WindowEvent& event) {
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void WebWindow::fitToPage() {
    const int width = EM_ASM_INT({ return window.innerWidth; });
    const int height = EM_ASM_INT({ return window.innerHeight; });
    const double ratio = emscripten_get_device_pixel_ratio();
    const PictureFit fit(width, height, static_cast<int>(width * ratio), static_cast<int>(height * ratio));
    const PictureRect shown = fit.destination();
    if (shown.width <= 0 || shown.height <= 0) return;
    cssWidth_ = static_cast<int>(std::lround(shown.width / ratio));
    cssHeight_ = static_cast<int>(std::lround(shown.height / ratio));
    emscripten_set_element_css_size(kCanvas, cssWidth_, cssHeight_);
    // Whole multiples keep every logical pixel a sharp square; a smaller page is smoothed.
    EM_ASM({ document.getElementById('canvas').style.imageRendering = $0 ? 'pixelated' : 'auto'; },
           fit.integerScale() > 0 ? 1 : 0);
}

void WebWindow::present(const FrameView& frame) {
    toRgbPixels(frame, rgb_);
    if (rgb_.empty()) return;
    // A still scene, or a picture between ticks where nothing moved, is not handed to the
    // browser again: comparing costs far less than the browser's upload and compositing.
    if (rgb_ == shownRgb_) return;
    shownRgb_.swap(rgb_);
    const std::vector<std::uint32_t>& rgb = shownRgb_;
    // ImageData wants R, G, B, A bytes: on this little-endian machine the word 0xAABBGGRR.
    rgba_.resize(rgb.size());
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        const std::uint32_t pixel = rgb[i];
        rgba_[i] = 0xFF000000u | ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
    }
    // The context is opaque, so the browser composites the canvas without blending it. The
    // picture is read where it lies in the program's memory; the view of it is made again
    // only when the memory has grown (the old buffer is then gone) or the picture moved.
    EM_ASM({
        var canvas = document.getElementById('canvas');
        var context = canvas.brinefallContext || (canvas.brinefallContext = canvas.getContext('2d', {alpha: false}));
        var image = canvas.brinefallImage;
        if (!image || image.buffer !== HEAPU8.buffer || image.at !== $0 || image.data.width !== $1 || image.data.height !== $2) {
            image = (canvas.brinefallImage = {buffer: HEAPU8.buffer, at: $0,
                data: new ImageData(new Uint8ClampedArray(HEAPU8.buffer, $0, $1 * $2 * 4), $1, $2)});
        }
        context.putImageData(image.data, 0, 0);
    }, rgba_.data(), frame.width, frame.height);
}

GpuDevice* WebWindow::openGpu(std::string& whyNot) {
    whyNot.clear();  // no card at all: the software renderer draws
    return nullptr;
}

bool WebWindow::cursorPosition(int& x, int& y) const {
    if (pointerX_ < 0 || pointerY_ < 0 || cssWidth_ <= 0 || cssHeight_ <= 0) return false;
    x = static_cast<int>(pointerX_ * kLogicalWidth / cssWidth_);
    y = static_cast<int>(pointerY_ * kLogicalHeight / cssHeight_);
    return x < kLogicalWidth && y < kLogicalHeight;
}

void WebWindow::notePointer(double canvasX, double canvasY) {
    pointerX_ = canvasX;
    pointerY_ = canvasY;
}

void WebWindow::showSystemCursor(bool shown) {
    EM_ASM({ document.getElementById('canvas').style.cursor = $0 ? 'default' : 'none'; }, shown ? 1 : 0);
}

void WebWindow::setRelativeMouseMode(bool relative) {
    if (relative) {
        // Granted only during the player's click: until then the cursor is merely hidden.
        emscripten_request_pointerlock(kCanvas, true);
    } else {
        emscripten_exit_pointerlock();
    }
    showSystemCursor(!relative);
}

void WebWindow::noteAnimationFrame(double milliseconds) {
    if (lastFrameTime_ > 0) {
        const double interval = milliseconds - lastFrameTime_;
        // A long gap (a hidden tab, a slow frame) says nothing about the display.
        if (interval > 2 && interval < 100) {
            averageInterval_ = averageInterval_ == 0 ? interval : averageInterval_ * 0.9 + interval * 0.1;
            refreshRate_ = static_cast<std::uint32_t>(std::lround(1000.0 / averageInterval_));
        }
    }
    lastFrameTime_ = milliseconds;
}

}  // namespace tidewell::platform::web
