#pragma once

#include <SDL.h>

#include "../BufferedDevice.h"

namespace tidewell::platform::sdl {

class SdlInput;

// The keyboard: SDL's key events as the game's scan codes. A key held down until the
// system repeats it is still one press.
class SdlKeyboard : public BufferedDevice<KeyboardDevice> {
public:
    explicit SdlKeyboard(SdlInput& input);
    ~SdlKeyboard() override;

    InputResult readState(KeyboardState& state) override;
    void accept(const SDL_Event& event);
    // A key pressed or released by a program: buffered like a real one and held in the
    // state until released, whatever the real keyboard does.
    void inject(std::uint8_t code, bool down);

private:
    SdlInput& input_;
    std::uint8_t injected_[256] = {};
};

}  // namespace tidewell::platform::sdl
