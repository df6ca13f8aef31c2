#pragma once

#include "../Window.h"
#include "HeadlessGpuDevice.h"
#include "VirtualClock.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tidewell::platform::headless {

// A window that exists only in memory. It always has the logical size, keeps a
// copy of the last presented frame and takes its events from whoever drives the run.
class HeadlessWindow : public Window {
public:
    explicit HeadlessWindow(const VirtualClock& clock);

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

    // Gives the window a graphics card with these capabilities (none by default, so
    // that a headless run always draws in software); it opens at the next openGpu().
    void offerGpu(const GpuCapabilities& capabilities) { offeredGpu_ = capabilities; }
    void withdrawGpu() { offeredGpu_.reset(); }
    // The card drawing into the window now, or null.
    HeadlessGpuDevice* gpu() { return gpu_.get(); }

    // Queues an event as if the window system had sent it.
    void pushEvent(WindowEventKind kind);
    // Queues an event that arrives when the clock reaches atMs, so a run can script focus changes.
    void scheduleEvent(std::uint32_t atMs, WindowEventKind kind);
    // Whether an event can be taken now.
    bool hasPendingEvents() const;
    // When the earliest scheduled event arrives; nothing when none is scheduled.
    std::optional<std::uint32_t> nextScheduledTime() const;

    // Writes the pictures of every `every`-th tick into the folder: the tick's own as
    // frame-NNNNNN.png, numbered from 1 by the ticks' pictures presented, and those drawn
    // after it before the next tick as frame-NNNNNN-1.png, frame-NNNNNN-2.png ...; an empty
    // folder writes none. A failing write is reported once on standard error and ends the
    // writing, never the run.
    void setFrameDump(const std::filesystem::path& directory, unsigned every);
    long framesDumped() const { return framesDumped_; }
    // A virtual display of this many pictures a second (0: none, one picture a tick).
    void setDisplayRate(std::uint32_t picturesPerSecond) { displayRate_ = picturesPerSecond; }

    // Makes create() fail, as on a machine where no window can be opened.
    void failCreation(bool fail) { failCreation_ = fail; }

    // Places the simulated system cursor, in logical pixels; outside the picture it is "not over".
    void setCursor(int x, int y);

    const std::string& title() const { return title_; }
    const std::vector<std::uint32_t>& icon() const { return icon_; }
    int iconWidth() const { return iconWidth_; }
    int iconHeight() const { return iconHeight_; }
    int creations() const { return creations_; }
    bool minimised() const { return minimised_; }
    bool systemCursorShown() const { return cursorShown_; }
    bool relativeMouseMode() const { return relativeMouse_; }

    // How many frames were presented, and the last one as 0xRRGGBB words, row by row.
    long framesPresented() const { return framesPresented_; }
    // How many of them were a tick's own picture; the others came between ticks.
    long tickPicturesPresented() const { return tickPicturesPresented_; }
    // Called after every present with the picture's place: the tick's picture count and 0
    // for a tick's own, k for the k-th after it. lastFrame() holds the picture then.
    using PictureListener = std::function<void(long tickPicture, unsigned betweenTicks)>;
    void setPictureListener(PictureListener listener) { pictureListener_ = std::move(listener); }
    const std::vector<std::uint32_t>& lastFrame() const { return lastFrame_; }
    int lastFrameWidth() const { return lastFrameWidth_; }
    int lastFrameHeight() const { return lastFrameHeight_; }

private:
    struct Scheduled {
        std::uint32_t atMs;
        WindowEventKind kind;
    };
    void releaseDueEvents();

    const VirtualClock& clock_;
    std::string title_;
    std::vector<std::uint32_t> icon_;
    int iconWidth_ = 0;
    int iconHeight_ = 0;
    bool created_ = false;
    bool failCreation_ = false;
    bool fullScreen_ = false;
    bool minimised_ = false;
    int creations_ = 0;
    int cursorX_ = 400;
    int cursorY_ = 300;
    bool cursorShown_ = true;
    bool relativeMouse_ = false;
    std::deque<WindowEvent> events_;
    std::vector<Scheduled> scheduled_;  // in arrival order
    long framesPresented_ = 0;
    long tickPicturesPresented_ = 0;
    unsigned pictureInTick_ = 0;
    std::uint32_t displayRate_ = 0;
    PictureListener pictureListener_;
    std::vector<std::uint32_t> lastFrame_;
    int lastFrameWidth_ = 0;
    int lastFrameHeight_ = 0;
    std::optional<GpuCapabilities> offeredGpu_;
    std::unique_ptr<HeadlessGpuDevice> gpu_;
    std::filesystem::path dumpDirectory_;
    unsigned dumpEvery_ = 1;
    long framesDumped_ = 0;

    void dumpFrame();
};

} // namespace tidewell::platform::headless
