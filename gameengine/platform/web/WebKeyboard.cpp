#include "WebKeyboard.h"

#include "WebInput.h"
#include "WebKeyCodes.h"

namespace tidewell::platform::web {

WebKeyboard::WebKeyboard(WebInput& input) : input_(input) { input_.connect(this); }

WebKeyboard::~WebKeyboard() { input_.disconnect(this); }

InputResult WebKeyboard::readState(KeyboardState& state) {
    if (const InputResult problem = readProblem(); !succeeded(problem)) return problem;
    for (int code = 0; code < 256; ++code) state.keys[code] = held_[code] | injected_[code];
    return InputResult::Ok;
}

bool WebKeyboard::accept(const char* domCode, bool down, bool repeat) {
    const std::uint8_t code = keyCodeForDomCode(domCode);
    if (code == 0) return false;
    if (repeat) return true;  // the browser repeating a held key is not another press
    const std::uint8_t value = down ? 0x80 : 0;
    if (held_[code] != value) {
        held_[code] = value;
        record(InputDatum{code, value, input_.takeSequence()});
    }
    return true;
}

void WebKeyboard::inject(std::uint8_t code, bool down) {
    const std::uint8_t value = down ? 0x80 : 0;
    if (code == 0 || injected_[code] == value) return;
    injected_[code] = value;
    record(InputDatum{code, value, input_.takeSequence()});
}

void WebKeyboard::releaseAll() {
    for (int code = 0; code < 256; ++code) {
        if (held_[code] != 0) {
            held_[code] = 0;
            record(InputDatum{static_cast<std::uint32_t>(code), 0, input_.takeSequence()});
        }
    }
}

}  // namespace tidewell::platform::web
