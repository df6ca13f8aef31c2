#include "HeadlessSystem.h"

#include "HeadlessWindow.h"

namespace tidewell::platform::headless {
namespace {

// An unbounded wait with nothing queued can never end headless, so it lasts one
// frame period of the game's 20 frames a second instead.
constexpr std::uint32_t kIdleWaitMs = 50;

} // namespace

HeadlessSystem::HeadlessSystem(const HeadlessWindow& window) : window_(window) {}

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
    return now_;
}

void HeadlessSystem::waitForEvent(std::uint32_t timeoutMs) {
    if (window_.hasPendingEvents()) {
        return;
    }
    advanceClock(timeoutMs == kWaitForever ? kIdleWaitMs : timeoutMs);
}

void HeadlessSystem::advanceClock(std::uint32_t ms) {
    now_ += ms;  // wraps at 2^32 like the real millisecond clock
}

void HeadlessSystem::failCheck(bool video, bool audio, bool input) {
    videoWorks_ = !video;
    audioWorks_ = !audio;
    inputWorks_ = !input;
}

} // namespace tidewell::platform::headless
