#pragma once

#include <cstdint>

namespace tidewell::platform::headless {

// The headless backend's notion of now: milliseconds that pass only when told to.
class VirtualClock {
public:
    std::uint32_t now() const { return now_; }
    // Moves time forward; wraps at 2^32 like a real 32-bit millisecond clock.
    void advance(std::uint32_t ms) { now_ += ms; }

private:
    std::uint32_t now_ = 0;
};

} // namespace tidewell::platform::headless
