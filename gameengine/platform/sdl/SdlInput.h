#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "../InputDevices.h"

namespace tidewell::platform::sdl {

class SdlEventPump;
class SdlJoystick;
class SdlKeyboard;
class SdlMouse;

// The keyboard, the mouse and the joysticks on SDL. Every input event that the pump takes
// off SDL's queue goes to the open device it belongs to, which buffers it with a number
// from the one sequence counter. Joysticks are SDL game controllers where SDL knows the
// pad's layout and raw SDL joysticks otherwise.
class SdlInput : public InputDevices {
public:
    explicit SdlInput(SdlEventPump& pump);
    ~SdlInput() override;

    // Lets go of joystick and force-feedback support; before SDL itself shuts down.
    void close();

    std::unique_ptr<KeyboardDevice> createKeyboard(InputResult& result) override;
    std::unique_ptr<MouseDevice> createMouse(InputResult& result) override;
    bool enumerateJoysticks(std::vector<JoystickInstance>& found) override;
    std::unique_ptr<JoystickDevice> createJoystick(const JoystickInstance& instance, InputResult& result) override;
    bool joysticksChanged() const override { return joysticksChanged_; }
    void collect(std::uint64_t frame) override;
    void injectKey(std::uint8_t code, bool down) override;

    // For the devices: the next number of the shared counter.
    std::uint32_t takeSequence() { return nextSequence_++; }
    // The devices tell when they are opened and closed, to be given their events.
    void connect(SdlKeyboard* keyboard) { keyboard_ = keyboard; }
    void disconnect(SdlKeyboard* keyboard);
    void connect(SdlMouse* mouse) { mouse_ = mouse; }
    void disconnect(SdlMouse* mouse);
    void connect(SdlJoystick* joystick) { joysticks_.push_back(joystick); }
    void disconnect(SdlJoystick* joystick);

private:
    void accept(const SDL_Event& event);
    bool openJoystickSupport();
    // A device plugged in that is not open yet, or an open one pulled out, changes the set.
    void notePlugging(const SDL_Event& event);
    bool isOpen(SDL_JoystickID id) const;

    std::uint32_t nextSequence_ = 1;
    SdlKeyboard* keyboard_ = nullptr;
    SdlMouse* mouse_ = nullptr;
    std::vector<SdlJoystick*> joysticks_;
    SdlEventPump& pump_;
    bool joystickSupport_ = false;
    bool hapticSupport_ = false;
    bool joysticksChanged_ = false;
};

}  // namespace tidewell::platform::sdl
