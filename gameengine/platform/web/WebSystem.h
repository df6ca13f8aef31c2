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
    // Never called while the page runs the loop; returns at once rather than freeze the page.
    void waitForEvent(std::uint32_t) override {}
    bool hostsLoop() const override { return true; }
    void hostLoop(std::function<bool()> pass) override;

private:
    static void animationFrame(void* self);
    // One pass of the loop; when it says the game is over, the loop stops and the page is told.
    void runPass();

    WebWindow& window_;
    std::function<bool()> pass_;
    bool inPass_ = false;
    std::string lastError_;
};

}  // namespace tidewell::platform::web
