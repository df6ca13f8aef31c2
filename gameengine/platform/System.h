#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tidewell::platform {

// A wait that only an event ends. Backends without real events (headless) treat
// it as one frame period, so a scripted run can never hang.
inline constexpr std::uint32_t kWaitForever = 0xFFFFFFFFu;

// The machine's services that are not tied to one device: the start-up checks,
// the clock and the wait between frames.
class System {
public:
    virtual ~System() = default;

    // Opens the video subsystem and closes it again; true when a display can be used.
    virtual bool checkVideo() = 0;
    // Opens the audio subsystem and closes it again; false only means the game runs silent.
    virtual bool checkAudio() = 0;
    // Opens joystick and game-controller support and closes it again; true when it works.
    virtual bool checkInput() = 0;
    // The reason the last check or device call failed, for the error dialog.
    virtual std::string lastError() const = 0;

    // Milliseconds since an arbitrary origin; wraps around at 2^32 like timeGetTime.
    virtual std::uint32_t milliseconds() = 0;
    // Returns when an event is waiting or after timeoutMs; never longer. kWaitForever: no timeout.
    virtual void waitForEvent(std::uint32_t timeoutMs) = 0;

    // Whether the main loop must not block this host (a page in a browser, whose own event
    // loop draws and delivers input): the loop's passes then run from hostLoop's callbacks.
    virtual bool hostsLoop() const { return false; }
    // Calls `pass` from the host's own callbacks (each animation frame) until it returns
    // false; returns at once. Only where hostsLoop() is true.
    virtual void hostLoop(std::function<bool()> pass) { (void)pass; }
};

} // namespace tidewell::platform
