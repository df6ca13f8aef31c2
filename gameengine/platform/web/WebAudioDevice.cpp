#include "WebAudioDevice.h"

#include <emscripten.h>

namespace tidewell::platform::web {
namespace {

WebAudioDevice* playing = nullptr;

}  // namespace

// The script processor's way in; returns where the block lies in the program's memory.
extern "C" EMSCRIPTEN_KEEPALIVE std::int16_t* brinefallFillAudio(int frames) {
    return playing != nullptr ? playing->fill(frames) : nullptr;
}

WebAudioDevice::~WebAudioDevice() { close(); }

AudioResult WebAudioDevice::open(const WaveFormat& output) {
    if (open_) return AudioResult::Ok;
    if (!Mixer::canOutput(output)) return AudioResult::BadFormat;
    // The mixer converts to the context's rate and to stereo; the game's format only decides
    // what it accepts.
    const int rate = EM_ASM_INT({
        var AudioContextClass = window.AudioContext || window.webkitAudioContext;
        if (!Module['audioContext'] && AudioContextClass) Module['audioContext'] = new AudioContextClass();
        var context = Module['audioContext'];
        if (!context) return 0;
        var node = context.createScriptProcessor($0, 0, 2);
        node.onaudioprocess = function (event) {
            var left = event.outputBuffer.getChannelData(0);
            var right = event.outputBuffer.getChannelData(1);
            var block = Module['_brinefallFillAudio'](left.length);
            if (!block) { left.fill(0); right.fill(0); return; }
            var samples = new Int16Array(HEAPU8.buffer, block, left.length * 2);
            for (var i = 0; i < left.length; ++i) {
                left[i] = samples[2 * i] / 32768;
                right[i] = samples[2 * i + 1] / 32768;
            }
        };
        node.connect(context.destination);
        Module['brinefallAudioNode'] = node;
        return context.sampleRate;
    }, kBlockFrames);
    if (rate <= 0) return AudioResult::NoDevice;
    WaveFormat mixed;
    mixed.channels = 2;
    mixed.rate = static_cast<std::uint32_t>(rate);
    mixed.bits = 16;
    mixer_->setOutput(mixed);
    playing = this;
    open_ = true;
    return AudioResult::Ok;
}

void WebAudioDevice::close() {
    if (!open_) return;
    EM_ASM({
        if (Module['brinefallAudioNode']) Module['brinefallAudioNode'].disconnect();
        Module['brinefallAudioNode'] = null;
    });
    if (playing == this) playing = nullptr;
    open_ = false;
}

std::unique_ptr<AudioBuffer> WebAudioDevice::createBuffer(const WaveFormat& format, std::uint32_t bytes,
                                                          AudioResult& result) {
    return mixer_->createBuffer(format, bytes, result);
}

std::int16_t* WebAudioDevice::fill(int frames) {
    block_.resize(static_cast<std::size_t>(frames) * 2);
    mixer_->mix(block_.data(), static_cast<std::size_t>(frames));
    return block_.data();
}

}  // namespace tidewell::platform::web
