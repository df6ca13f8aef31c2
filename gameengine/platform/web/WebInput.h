#pragma once

#include "../InputDevices.h"

#include <cstdint>
#include <vector>

namespace tidewell::platform::web {

class WebJoystick;
class WebKeyboard;
class WebMouse;
class WebWindow;

// The page's keyboard, mouse and gamepads. The browser hands their events to the handlers
// registered here between animation frames; each goes to the open device it belongs to,
// which buffers it with a number from the one sequence counter. Gamepads are read with
// the Gamepad API at every frame.
class WebInput : public InputDevices {
public:
    explicit WebInput(WebWindow& window);
    ~WebInput() override;

    std::unique_ptr<KeyboardDevice> createKeyboard(InputResult& result) override;
    std::unique_ptr<MouseDevice> createMouse(InputResult& result) override;
    bool enumerateJoysticks(std::vector<JoystickInstance>& found) override;
    std::unique_ptr<JoystickDevice> createJoystick(const JoystickInstance& instance, InputResult& result) override;
    bool joysticksChanged() const override { return joysticksChanged_; }
    void collect(std::uint64_t frame) override;
    void injectKey(std::uint8_t code, bool down) override;

    std::uint32_t takeSequence() { return nextSequence_++; }
    WebWindow& window() { return window_; }
    WebKeyboard* keyboard() { return keyboard_; }
    WebMouse* mouse() { return mouse_; }
    void connect(WebKeyboard* keyboard) { keyboard_ = keyboard; }
    void disconnect(WebKeyboard* keyboard);
    void connect(WebMouse* mouse) { mouse_ = mouse; }
    void disconnect(WebMouse* mouse);
    void connect(WebJoystick* joystick) { joysticks_.push_back(joystick); }
    void disconnect(WebJoystick* joystick);
    // A gamepad was plugged in or pulled out.
    void notePlugging(int index, bool connected);

private:
    WebWindow& window_;
    std::uint32_t nextSequence_ = 1;
    WebKeyboard* keyboard_ = nullptr;
    WebMouse* mouse_ = nullptr;
    std::vector<WebJoystick*> joysticks_;
    bool joysticksChanged_ = false;
};

}  // namespace tidewell::platform::web
