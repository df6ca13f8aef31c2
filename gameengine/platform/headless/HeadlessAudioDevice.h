#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../AudioDevice.h"
#include "../Mixer.h"
#include "WaveFileWriter.h"

namespace tidewell::platform::headless {

class HeadlessSystem;

// A sound card without a clock of its own: every frame step mixes one frame's worth
// of output (the rate / 20 frames a second, the remainder carried to the next step),
// so a run sounds the same every time. What it mixes can go to a WAV file and, for
// tests, into memory.
class HeadlessAudioDevice : public AudioDevice {
public:
    // The game's frame rate, which one frame step stands for.
    static constexpr std::uint32_t kStepsPerSecond = 20;

    explicit HeadlessAudioDevice(const HeadlessSystem& system);

    AudioResult open(const WaveFormat& output) override;
    void close() override;
    bool isOpen() const override;
    std::unique_ptr<AudioBuffer> createBuffer(const WaveFormat& format, std::uint32_t bytes,
                                              AudioResult& result) override;
    void frameStep() override;

    // Writes everything mixed from now on to a WAV file; false with the reason in whyNot.
    bool dumpTo(const std::filesystem::path& path, std::string& whyNot);
    // Keeps what is mixed in memory until takeMixed() collects it.
    void keepMixed(bool keep) { keepMixed_ = keep; }
    // The samples mixed since the last call, interleaved; empties the store.
    std::vector<std::int16_t> takeMixed();
    // Loses every buffer that exists, as a real output does when the sound card goes away and comes back.
    void loseBuffers();
    // The output goes away (headphones pulled out): every buffer is lost, and until
    // plugIn() the steps mix nothing, so what is kept or written is silence and no buffer
    // moves on. Buffers can still be made meanwhile, as on a real output.
    void unplug();
    void plugIn();
    bool isUnplugged() const { return unplugged_; }
    // Mixes `frames` output frames now, as frame steps do.
    void mixFrames(std::size_t frames);

    // How often the output was opened; the format it was last opened with.
    int opens() const { return opens_; }
    WaveFormat outputFormat() const { return mixer_->output(); }
    std::size_t bufferCount() const { return mixer_->bufferCount(); }

private:
    const HeadlessSystem& system_;
    std::shared_ptr<Mixer> mixer_ = std::make_shared<Mixer>();
    bool open_ = false;
    int opens_ = 0;
    std::uint32_t carried_ = 0;  // rate units left over from earlier steps, below kStepsPerSecond
    bool keepMixed_ = false;
    bool unplugged_ = false;
    std::vector<std::int16_t> mixed_;
    std::vector<std::int16_t> scratch_;
    WaveFileWriter dump_;
    std::filesystem::path dumpPath_;
};

}  // namespace tidewell::platform::headless
