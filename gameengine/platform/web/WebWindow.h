#pragma once

#include "../Window.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace tidewell::platform::web {

// The page's canvas (id "canvas") as the program's window. Its pixels are always the
// logical 800 x 600; it is shown on the page the way the desktop window shows its picture
// (whole multiples when there is room, scaled down and centred below that). Full screen is
// the browser's, asked for the canvas's parent element. A hidden tab is a minimised window.
class WebWindow : public Window {
public:
    WebWindow();
    ~WebWindow() override;

    void setTitle(const std::string& title) override;
    void setIcon(const std::uint32_t*, int, int) override {}  // the page's own icon stays
    bool create(bool fullScreen) override;
    void destroy() override;
    bool isCreated() const override { return created_; }
    bool isFullScreen() const override { return fullScreen_; }
    WindowSize clientSize() const override;
    bool pollEvent(WindowEvent& event) override;
    void present(const FrameView& frame) override;
    std::uint32_t refreshRate() const override { return refreshRate_; }
    void notePicture(unsigned) override {}
    // No graphics card: the page shows the software renderer's frames.
    GpuDevice* openGpu(std::string& whyNot) override;
    void closeGpu() override {}
    // A page cannot iconify its browser; opening an address shows its new tab anyway.
    void minimise() override {}
    bool cursorPosition(int& x, int& y) const override;
    // A page cannot move the system's cursor.
    void moveSystemCursor(int, int) override {}
    void showSystemCursor(bool shown) override;
    void setRelativeMouseMode(bool relative) override;

    // The page stopped asking for animation frames: the gap to the next says nothing about
    // the display's rate.
    void noteAnimationFramesPaused() { lastFrameTime_ = 0; }
    // Each animation frame's time, from which the display's rate is measured.
    void noteAnimationFrame(double milliseconds);
    // Fits the canvas to the page again (the page or the full screen changed size).
    void fitToPage();
    // Where the pointer is on the page, in CSS pixels from the canvas's top left corner.
    void notePointer(double canvasX, double canvasY);
    // Queues a window event and tells the listener, if there is one.
    void push(WindowEventKind kind);
    void whenEventArrives(std::function<void()> listener) { eventListener_ = std::move(listener); }
    // Told when the page loses the focus (the one handler of the page's blur event).
    void whenFocusLost(std::function<void()> listener) { focusLostListener_ = std::move(listener); }
    void noteFocusLost() {
        if (focusLostListener_) focusLostListener_();
    }

private:
    bool created_ = false;
    bool fullScreen_ = false;
    std::deque<WindowEvent> events_;
    std::function<void()> eventListener_;
    std::function<void()> focusLostListener_;
    std::vector<std::uint32_t> rgb_;
    std::vector<std::uint32_t> shownRgb_;  // what the canvas shows; empty when unknown
    std::vector<std::uint32_t> rgba_;
    double lastFrameTime_ = 0;
    double averageInterval_ = 0;
    std::uint32_t refreshRate_ = 0;
    double pointerX_ = -1;
    double pointerY_ = -1;
    int cssWidth_ = kLogicalWidth;
    int cssHeight_ = kLogicalHeight;
};

}  // namespace tidewell::platform::web
