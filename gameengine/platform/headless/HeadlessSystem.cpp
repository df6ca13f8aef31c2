#include "HeadlessSystem.h"

#include "HeadlessWindow.h"
#include "VirtualClock.h"

namespace tidewell::platform::headless {
namespace {

// An unbounded wait with nothing queued can never end headless, so it lasts one
// frame period of the game's 20 frames a second instead.
constexpr std::uint32_t kIdleWaitMs = 50;

} // namespace

HeadlessSystem::HeadlessSystem(VirtualClock& clock, const HeadlessWindow& window)
    : clock_(clock), window_(window) {}

bool HeadlessSystem::checkVideo() {
    lastError_ = videoWorks_ ? "" : "the headless video check was told to fail";
    return videoWorks_;
}

bool HeadlessSystem::checkAudio() {
    lastError_ = audioWorks_ ? "" : "the headless audio check was told to fail";
    return audioWorks_;
}

bool HeadlessSystem::checkInput() {
    lastError_ = inputWorks_ ? "" : "the headless input check was told to fail";
    return inputWorks_;
}

std::string HeadlessSystem::lastError() const {
    return lastError_;
}

std::uint32_t HeadlessSystem::milliseconds() {
    return clock_.now();
}

void HeadlessSystem::waitForEvent(std::uint32_t timeoutMs) {
    if (window_.hasPendingEvents()) {
        return;
    }
    std::uint32_t wait = timeoutMs == kWaitForever ? kIdleWaitMs : timeoutMs;
    if (const auto next = window_.nextScheduledTime()) {
        const std::uint32_t untilNext = *next - clock_.now();
        if (timeoutMs == kWaitForever || untilNext < wait) {
            wait = untilNext;  // a scheduled event ends the wait when it arrives
        }
    }
    clock_.advance(wait);
}

void HeadlessSystem::advanceClock(std::uint32_t ms) {
    clock_.advance(ms);
}

void HeadlessSystem::failCheck(bool video, bool audio, bool input) {
    videoWorks_ = !video;
    audioWorks_ = !audio;
    inputWorks_ = !input;
}

} // namespace tidewell::platform::headless
