#include "HeadlessWindow.h"

#include "../PngFile.h"

#include <cstdio>

namespace tidewell::platform::headless {

HeadlessWindow::HeadlessWindow(const VirtualClock& clock) : clock_(clock) {}

void HeadlessWindow::setTitle(const std::string& title) {
    title_ = title;
}

void HeadlessWindow::setIcon(const std::uint32_t* argbPixels, int width, int height) {
    if (argbPixels == nullptr || width <= 0 || height <= 0) {
        icon_.clear();
        iconWidth_ = iconHeight_ = 0;
        return;
    }
    icon_.assign(argbPixels, argbPixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    iconWidth_ = width;
    iconHeight_ = height;
}

bool HeadlessWindow::create(bool fullScreen) {
    if (failCreation_) {
        return false;
    }
    created_ = true;
    fullScreen_ = fullScreen;
    minimised_ = false;
    ++creations_;
    return true;
}

void HeadlessWindow::destroy() {
    created_ = false;
    // The card's context went with the window; the device stays, lost, until it is given up.
    if (gpu_) gpu_->lose();
}

bool HeadlessWindow::isCreated() const {
    return created_;
}

bool HeadlessWindow::isFullScreen() const {
    return fullScreen_;
}

WindowSize HeadlessWindow::clientSize() const {
    return created_ ? WindowSize{kLogicalWidth, kLogicalHeight} : WindowSize{};
}

bool HeadlessWindow::pollEvent(WindowEvent& event) {
    releaseDueEvents();
    if (events_.empty()) {
        return false;
    }
    event = events_.front();
    events_.pop_front();
    return true;
}

void HeadlessWindow::present(const FrameView& frame) {
    if (!created_ || gpu_ || frame.pixels == nullptr || frame.width <= 0 || frame.height <= 0) {
        return;
    }
    lastFrameWidth_ = frame.width;
    lastFrameHeight_ = frame.height;
    toRgbPixels(frame, lastFrame_);  // into the same memory every frame
    ++framesPresented_;
    if (pictureInTick_ == 0) ++tickPicturesPresented_;
    dumpFrame();
    if (pictureListener_) pictureListener_(tickPicturesPresented_, pictureInTick_);
    pictureInTick_ = 0;  // unless told otherwise, the next picture is a tick's own
}

std::uint32_t HeadlessWindow::refreshRate() const {
    return displayRate_;
}

void HeadlessWindow::notePicture(unsigned betweenTicks) {
    pictureInTick_ = betweenTicks;
}

void HeadlessWindow::setFrameDump(const std::filesystem::path& directory, unsigned every) {
    dumpDirectory_ = directory;
    dumpEvery_ = every > 0 ? every : 1;
}

void HeadlessWindow::dumpFrame() {
    if (dumpDirectory_.empty() || tickPicturesPresented_ % dumpEvery_ != 0) {
        return;
    }
    char name[48];
    if (pictureInTick_ == 0) {
        std::snprintf(name, sizeof name, "frame-%06ld.png", tickPicturesPresented_);
    } else {
        std::snprintf(name, sizeof name, "frame-%06ld-%u.png", tickPicturesPresented_, pictureInTick_);
    }
    std::string whyNot;
    if (!writePng(dumpDirectory_ / name, lastFrame_.data(), lastFrameWidth_, lastFrameHeight_, whyNot)) {
        std::fprintf(stderr, "brinefall: cannot write %s: %s; no more frames are written\n",
                     (dumpDirectory_ / name).c_str(), whyNot.c_str());
        dumpDirectory_.clear();
        return;
    }
    ++framesDumped_;
}

GpuDevice* HeadlessWindow::openGpu(std::string& whyNot) {
    if (!created_) {
        whyNot = "there is no window to draw into";
        return nullptr;
    }
    if (!offeredGpu_) {
        // No reason given: a machine without a card draws in software without a word.
        whyNot.clear();
        return nullptr;
    }
    gpu_ = std::make_unique<HeadlessGpuDevice>(*offeredGpu_);
    return gpu_.get();
}

void HeadlessWindow::closeGpu() {
    gpu_.reset();
}

void HeadlessWindow::minimise() {
    minimised_ = true;
}

bool HeadlessWindow::cursorPosition(int& x, int& y) const {
    x = cursorX_;
    y = cursorY_;
    return cursorX_ >= 0 && cursorX_ < kLogicalWidth && cursorY_ >= 0 && cursorY_ < kLogicalHeight;
}

void HeadlessWindow::moveSystemCursor(int x, int y) {
    setCursor(x, y);
}

void HeadlessWindow::showSystemCursor(bool shown) {
    cursorShown_ = shown;
}

void HeadlessWindow::setRelativeMouseMode(bool relative) {
    relativeMouse_ = relative;
}

void HeadlessWindow::pushEvent(WindowEventKind kind) {
    events_.push_back(WindowEvent{kind});
}

void HeadlessWindow::scheduleEvent(std::uint32_t atMs, WindowEventKind kind) {
    auto later = scheduled_.begin();
    while (later != scheduled_.end() && later->atMs <= atMs) {
        ++later;
    }
    scheduled_.insert(later, Scheduled{atMs, kind});
}

bool HeadlessWindow::hasPendingEvents() const {
    return !events_.empty() || (!scheduled_.empty() && scheduled_.front().atMs <= clock_.now());
}

std::optional<std::uint32_t> HeadlessWindow::nextScheduledTime() const {
    if (scheduled_.empty()) {
        return std::nullopt;
    }
    return scheduled_.front().atMs;
}

void HeadlessWindow::releaseDueEvents() {
    while (!scheduled_.empty() && scheduled_.front().atMs <= clock_.now()) {
        events_.push_back(WindowEvent{scheduled_.front().kind});
        scheduled_.erase(scheduled_.begin());
    }
}

void HeadlessWindow::setCursor(int x, int y) {
    cursorX_ = x;
    cursorY_ = y;
}

} // namespace tidewell::platform::headless
