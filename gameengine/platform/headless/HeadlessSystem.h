#pragma once

#include "../System.h"

namespace tidewell::platform::headless {

class HeadlessWindow;
class VirtualClock;

// A virtual clock that moves only when the program waits: waiting for the next
// frame jumps straight to it, so a run takes no real time and is the same every time.
class HeadlessSystem : public System {
public:
    HeadlessSystem(VirtualClock& clock, const HeadlessWindow& window);

    bool checkVideo() override;
    bool checkAudio() override;
    bool checkInput() override;
    std::string lastError() const override;
    std::uint32_t milliseconds() override;
    void waitForEvent(std::uint32_t timeoutMs) override;

    // Moves the virtual clock forward, as real time passing during work would.
    void advanceClock(std::uint32_t ms);
    // Makes one start-up check fail, to test how the program reports it.
    void failCheck(bool video, bool audio, bool input);
    // Whether this machine has sound, as the audio check and the audio device both see it.
    bool audioWorks() const { return audioWorks_; }

private:
    VirtualClock& clock_;
    const HeadlessWindow& window_;
    bool videoWorks_ = true;
    bool audioWorks_ = true;
    bool inputWorks_ = true;
    std::string lastError_;
};

} // namespace tidewell::platform::headless
