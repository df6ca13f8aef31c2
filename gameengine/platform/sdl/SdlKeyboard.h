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

private:
    SdlInput& input_;
};

}  // namespace tidewell::platform::sdl
