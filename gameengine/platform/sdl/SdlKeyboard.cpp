#include "SdlKeyboard.h"

#include "SdlInput.h"
#include "SdlScanCodes.h"

namespace tidewell::platform::sdl {

SdlKeyboard::SdlKeyboard(SdlInput& input) : input_(input) { input_.connect(this); }

SdlKeyboard::~SdlKeyboard() { input_.disconnect(this); }

InputResult SdlKeyboard::readState(KeyboardState& state) {
    if (const InputResult problem = readProblem(); !succeeded(problem)) {
        return problem;
    }
    state = KeyboardState{};
    int count = 0;
    const Uint8* pressed = SDL_GetKeyboardState(&count);
    for (int scancode = 0; scancode < count; ++scancode) {
        if (pressed[scancode] != 0) {
            if (const std::uint8_t code = keyCodeForScancode(scancode); code != 0) {
                state.keys[code] = 0x80;
            }
        }
    }
    for (int code = 0; code < 256; ++code) {
        state.keys[code] |= injected_[code];
    }
    return InputResult::Ok;
}

void SdlKeyboard::inject(std::uint8_t code, bool down) {
    const std::uint8_t value = down ? 0x80 : 0;
    if (code == 0 || injected_[code] == value) {
        return;
    }
    injected_[code] = value;
    record(InputDatum{code, value, input_.takeSequence()});
}

void SdlKeyboard::accept(const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN && event.key.repeat != 0) {
        return;  // the system repeating a held key is not another press
    }
    const std::uint8_t code = keyCodeForScancode(event.key.keysym.scancode);
    if (code == 0) {
        return;
    }
    const std::uint32_t value = event.type == SDL_KEYDOWN ? 0x80 : 0;
    record(InputDatum{code, value, input_.takeSequence()});
}

}  // namespace tidewell::platform::sdl
