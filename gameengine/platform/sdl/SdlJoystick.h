#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "../BufferedDevice.h"

namespace tidewell::platform::sdl {

class SdlForceLink;
class SdlInput;

// One joystick. A pad that SDL knows as a game controller is read through that mapping,
// so every pad has the same layout: A is button 0, B 1, X 2, Y 3, then the other buttons
// (back, guide, start, the stick clicks, the shoulders, misc, the paddles, the touchpad,
// and the triggers as buttons 17 and 18 when pulled past half); the left stick and the
// d-pad drive X and Y, the right stick Rx and Ry, the triggers Z and Rz. Other joysticks
// are read raw: axes 0 to 5 are X, Y, Z, Rx, Ry, Rz, axes 6 and 7 the sliders, buttons
// keep their numbers up to 31, hats are the points of view and the first hat also
// drives X and Y.
class SdlJoystick : public BufferedDevice<JoystickDevice> {
public:
    SdlJoystick(SdlInput& input, int deviceIndex);
    ~SdlJoystick() override;

    // Whether SDL could open the device.
    bool isOpen() const { return joystick_ != nullptr; }
    // SDL's identity of the device, which stays the same while it is plugged in.
    SDL_JoystickID instanceId() const { return id_; }

    std::string name() const override;
    InputResult setAxisRange(JoystickAxis axis, std::int32_t minimum, std::int32_t maximum) override;
    InputResult setDeadZone(JoystickAxis axis, std::uint32_t tenThousandths) override;
    InputResult setAutoCenter(bool on) override;
    InputResult poll() override;
    InputResult readState(JoystickState& state) override;
    bool hasForceFeedback() const override;
    std::unique_ptr<ForceEffect> createConstantForce(const ConstantForce& force, InputResult& result) override;

    // Called with every SDL event; keeps those of this device.
    void accept(const SDL_Event& event);
    // Once a frame: the rumble motors follow the playing effects.
    void keepForceGoing();

private:
    void readInitialState();
    void acceptController(const SDL_Event& event);
    void acceptRaw(const SDL_Event& event);
    void setStick(int axis, Sint16 value);
    void setPad(Uint8 hat);
    void reportStick();
    void setButton(int button, bool down);
    void setTrigger(int axisSlot, int button, Sint16 value);
    std::int32_t stickPosition(JoystickAxis axis) const;

    SdlInput& input_;
    SDL_GameController* controller_ = nullptr;
    SDL_Joystick* joystick_ = nullptr;
    SDL_JoystickID id_ = -1;
    std::string name_;
    std::shared_ptr<SdlForceLink> force_;
    AxisScales scales_;
    Sint16 stickX_ = 0;
    Sint16 stickY_ = 0;
    Uint8 pad_ = SDL_HAT_CENTERED;
    JoystickState state_;  // X and Y as last reported, the rest as they stand
};

}  // namespace tidewell::platform::sdl
