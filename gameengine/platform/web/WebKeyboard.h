#pragma once

#include "../BufferedDevice.h"

namespace tidewell::platform::web {

class WebInput;

// The keyboard: the page's key events (KeyboardEvent.code) as the game's scan codes. A key
// held until the browser repeats it is still one press.
class WebKeyboard : public BufferedDevice<KeyboardDevice> {
public:
    explicit WebKeyboard(WebInput& input);
    ~WebKeyboard() override;

    InputResult readState(KeyboardState& state) override;
    // A key event; true when the key is one of the game's, so that the page does not act on it too.
    bool accept(const char* domCode, bool down, bool repeat);
    // A key pressed or released by a program, held in the state until released.
    void inject(std::uint8_t code, bool down);
    // The page lost the keyboard: keys released meanwhile send no event, so none stays held.
    void releaseAll();

private:
    WebInput& input_;
    std::uint8_t held_[256] = {};
    std::uint8_t injected_[256] = {};
};

}  // namespace tidewell::platform::web
