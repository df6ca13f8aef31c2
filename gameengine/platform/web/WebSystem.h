#pragma once

#include "../System.h"

#include <functional>

namespace tidewell::platform::web {

class WebWindow;

// A page's machine: the browser's clock, and its animation frames driving the main loop,
// which must never block the page (it would stop drawing and input with it).
class WebSystem : public System {
public:
    explicit WebSystem(WebWindow& window) : window_(window) {}

    bool checkVideo() override;
    bool checkAudio() override;
    bool checkInput() override;
    std::string lastError() const override { return lastError_; }
    std::uint32_t milliseconds() override;
    // Returns at once rather than freeze the page: called from a pass, it tells the page how
    // long nothing is due, and the page sleeps that long unless an event comes.
    void waitForEvent(std::uint32_t timeoutMs) override { idleFor_ = timeoutMs; }
    bool hostsLoop() const override { return true; }
    void hostLoop(std::function<bool()> pass) override;

private:
    static void animationFrame(void* self);
    static void wake(void* self);
    // After a pass: animation frames while there is something to draw at the display's rate,
    // else a timer for when the next work is due.
    void pace();
    // One pass of the loop; when it says the game is over, the loop stops and the page is told.
    void runPass();

    WebWindow& window_;
    std::function<bool()> pass_;
    bool inPass_ = false;
    std::uint32_t idleFor_ = 0;
    bool sleeping_ = false;
    double wakeAt_ = 0;
    std::string lastError_;
};

}  // namespace tidewell::platform::web
