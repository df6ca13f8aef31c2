#include "SdlEventPump.h"

namespace tidewell::platform::sdl {

void SdlEventPump::addSink(Sink sink) {
    sinks_.push_back(std::move(sink));
}

void SdlEventPump::drain() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        for (const Sink& sink : sinks_) {
            sink(event);
        }
    }
}

} // namespace tidewell::platform::sdl
