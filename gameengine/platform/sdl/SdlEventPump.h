#pragma once

#include <SDL.h>

#include <functional>
#include <vector>

namespace tidewell::platform::sdl {

// Drains SDL's one event queue and hands each event to the devices that want it,
// the way one message loop feeds every window procedure. Devices register a sink.
class SdlEventPump {
public:
    using Sink = std::function<void(const SDL_Event&)>;

    // Adds a receiver of every event; sinks live as long as the pump.
    void addSink(Sink sink);
    // Takes every waiting event off SDL's queue and passes it to each sink in turn.
    void drain();

private:
    std::vector<Sink> sinks_;
};

} // namespace tidewell::platform::sdl
