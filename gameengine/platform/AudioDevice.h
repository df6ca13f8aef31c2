#pragma once

#include <memory>

#include "AudioBuffer.h"

namespace tidewell::platform {

// The sound output: buffers of samples in any format, mixed into one stream at the
// output's format. Every buffer operation and the mixing are safe to overlap; all
// calls of this interface come from the main thread.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // Opens the output at `output` (the device converts to what the card takes); NoDevice
    // when this machine has none, BadFormat when the format cannot be mixed to. Opening an
    // open device does nothing.
    virtual AudioResult open(const WaveFormat& output) = 0;
    // Closes the output; buffers stay usable but are not heard until it opens again.
    virtual void close() = 0;
    // True between a successful open and close.
    virtual bool isOpen() const = 0;
    // A new buffer of `bytes` bytes in `format`, or null with the reason in `result`.
    virtual std::unique_ptr<AudioBuffer> createBuffer(const WaveFormat& format, std::uint32_t bytes,
                                                      AudioResult& result) = 0;
    // Once per frame from the main loop: a device without its own clock mixes one frame's
    // samples here; a real one looks whether its output went away and opens it again.
    virtual void frameStep() = 0;
};

}  // namespace tidewell::platform
