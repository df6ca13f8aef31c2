#include "HeadlessAudioDevice.h"

#include <algorithm>
#include <cstdio>

#include "HeadlessSystem.h"

namespace tidewell::platform::headless {

HeadlessAudioDevice::HeadlessAudioDevice(const HeadlessSystem& system) : system_(system) {}

AudioResult HeadlessAudioDevice::open(const WaveFormat& output) {
    if (open_) {
        return AudioResult::Ok;
    }
    if (!system_.audioWorks()) {
        return AudioResult::NoDevice;  // a machine told to have no sound card
    }
    if (!Mixer::canOutput(output)) {
        return AudioResult::BadFormat;
    }
    mixer_->setOutput(output);
    dump_.setFormat(output);
    open_ = true;
    ++opens_;
    return AudioResult::Ok;
}

void HeadlessAudioDevice::close() { open_ = false; }

bool HeadlessAudioDevice::isOpen() const { return open_; }

std::unique_ptr<AudioBuffer> HeadlessAudioDevice::createBuffer(const WaveFormat& format, std::uint32_t bytes,
                                                               AudioResult& result) {
    return mixer_->createBuffer(format, bytes, result);
}

void HeadlessAudioDevice::frameStep() {
    if (!open_) {
        return;
    }
    const std::uint32_t units = mixer_->output().rate + carried_;
    carried_ = units % kStepsPerSecond;
    mixFrames(units / kStepsPerSecond);
}

void HeadlessAudioDevice::mixFrames(std::size_t frames) {
    const std::size_t samples = frames * mixer_->output().channels;
    scratch_.resize(samples);
    if (unplugged_) {
        std::fill(scratch_.begin(), scratch_.end(), std::int16_t{0});
    } else {
        mixer_->mix(scratch_.data(), frames);
    }
    if (keepMixed_) {
        mixed_.insert(mixed_.end(), scratch_.begin(), scratch_.end());
    }
    if (dump_.isOpen() && !dump_.append(scratch_.data(), samples)) {
        // The run goes on without its recording rather than failing over a full disk.
        std::fprintf(stderr, "brinefall: stopped writing %s: %s\n", dumpPath_.c_str(), dump_.lastError().c_str());
        dump_.close();
    }
}

bool HeadlessAudioDevice::dumpTo(const std::filesystem::path& path, std::string& whyNot) {
    dumpPath_ = path;
    return dump_.open(path, mixer_->output(), whyNot);
}

std::vector<std::int16_t> HeadlessAudioDevice::takeMixed() {
    std::vector<std::int16_t> taken;
    taken.swap(mixed_);
    return taken;
}

void HeadlessAudioDevice::loseBuffers() { mixer_->loseBuffers(); }

void HeadlessAudioDevice::unplug() {
    mixer_->loseBuffers();
    unplugged_ = true;
}

void HeadlessAudioDevice::plugIn() { unplugged_ = false; }

}  // namespace tidewell::platform::headless
