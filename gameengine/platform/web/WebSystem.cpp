#include "WebSystem.h"

#include "WebWindow.h"

#include <emscripten.h>
#include <emscripten/html5.h>

namespace tidewell::platform::web {

bool WebSystem::checkVideo() {
    if (EM_ASM_INT({ return document.getElementById('canvas') ? 1 : 0; }) != 0) return true;
    lastError_ = "the page has no canvas with the id \"canvas\" to draw on";
    return false;
}

bool WebSystem::checkAudio() {
    if (EM_ASM_INT({ return (Module['audioContext'] || window.AudioContext) ? 1 : 0; }) != 0) return true;
    lastError_ = "this browser has no Web Audio";
    return false;
}

bool WebSystem::checkInput() { return true; }

std::uint32_t WebSystem::milliseconds() {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now()));
}

void WebSystem::hostLoop(std::function<bool()> pass) {
    pass_ = std::move(pass);
    // A tab that is hidden gets no animation frames: its events are served at once, so that
    // sound and music pause as the tab goes and not when it comes back.
    window_.whenEventArrives([this] { runPass(); });
    // 0 frames a second: the browser's own animation frames, at the display's rate.
    emscripten_set_main_loop_arg(&WebSystem::animationFrame, this, 0, false);
}

void WebSystem::animationFrame(void* self) {
    auto& system = *static_cast<WebSystem*>(self);
    system.window_.noteAnimationFrame(emscripten_get_now());
    system.runPass();
}

void WebSystem::runPass() {
    // A page event can arrive inside a pass (the browser's own dialogs let it through); the
    // pass that runs serves it.
    if (!pass_ || inPass_) return;
    inPass_ = true;
    idleFor_ = 0;
    const bool goingOn = pass_();
    inPass_ = false;
    if (goingOn) {
        pace();
        return;
    }
    sleeping_ = false;
    pass_ = nullptr;
    window_.whenEventArrives(nullptr);
    emscripten_cancel_main_loop();
    // The page says the game has ended and offers to start it again.
    EM_ASM({
        if (Module['onGameEnded']) Module['onGameEnded']();
    });
}

void WebSystem::pace() {
    // Longer than a display frame: one picture a tick, or a game in the background. Asking
    // the browser for 60 animation frames a second that draw nothing costs more than the
    // game itself, so the frames stop and a timer wakes the loop when its work is due.
    constexpr std::uint32_t kDisplayFrameMs = 20;
    if (idleFor_ <= kDisplayFrameMs) {
        if (sleeping_) emscripten_resume_main_loop();
        sleeping_ = false;
        return;
    }
    if (!sleeping_) {
        emscripten_pause_main_loop();
        window_.noteAnimationFramesPaused();
    }
    sleeping_ = true;
    // Nothing at all is due (a minimised game): only a window event wakes it.
    if (idleFor_ == kWaitForever) {
        wakeAt_ = -1;
        return;
    }
    wakeAt_ = emscripten_get_now() + idleFor_;
    emscripten_async_call(&WebSystem::wake, this, static_cast<int>(idleFor_));
}

void WebSystem::wake(void* self) {
    auto& system = *static_cast<WebSystem*>(self);
    // A timer of an earlier sleep, ended since by an event, finds another time set.
    if (!system.sleeping_ || system.wakeAt_ < 0 || emscripten_get_now() + 1 < system.wakeAt_) return;
    system.runPass();
}

}  // namespace tidewell::platform::web
