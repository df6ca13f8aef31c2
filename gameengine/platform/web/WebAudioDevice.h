#pragma once

#include "../AudioDevice.h"
#include "../Mixer.h"

#include <memory>
#include <vector>

namespace tidewell::platform::web {

// The page's Web Audio: the engine's own mixer fills a script processor's blocks at the
// audio context's rate. The page makes the context when the player first clicks or types
// (browsers start sound only then) and hands it over as Module.audioContext, so nothing
// of the first sound is lost; without one, a context is made here and starts when it may.
class WebAudioDevice : public AudioDevice {
public:
    // 2048 frames: 43 ms at 48000 Hz, short enough for effects, long enough never to starve
    // while the page draws a frame.
    static constexpr int kBlockFrames = 2048;

    ~WebAudioDevice() override;
    AudioResult open(const WaveFormat& output) override;
    void close() override;
    bool isOpen() const override { return open_; }
    std::unique_ptr<AudioBuffer> createBuffer(const WaveFormat& format, std::uint32_t bytes,
                                              AudioResult& result) override;
    // The browser's audio thread asks for blocks itself.
    void frameStep() override {}

    // Called from the script processor: one block of interleaved 16-bit stereo samples.
    std::int16_t* fill(int frames);

private:
    std::shared_ptr<Mixer> mixer_ = std::make_shared<Mixer>();
    std::vector<std::int16_t> block_;
    bool open_ = false;
};

}  // namespace tidewell::platform::web
