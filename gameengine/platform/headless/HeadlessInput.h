#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "../InputDevices.h"
#include "../InputScript.h"
#include "HeadlessForceEffect.h"

namespace tidewell::platform::headless {

class HeadlessJoystick;
class HeadlessKeyboard;
class HeadlessMouse;
class HeadlessWindow;

// The simulated keyboard, mouse and joysticks. A player is played by an input script
// (its lines reach the devices when the frame they name begins) or by a test calling
// the operations below; either way every run with the same input is the same run.
class HeadlessInput : public InputDevices {
public:
    // The simulated joystick: where its stick stands and what it was told.
    struct JoystickRecord {
        std::string name;
        bool forceFeedback = false;
        std::int32_t rawX = 0;  // -1000 .. 1000
        std::int32_t rawY = 0;
        std::int32_t reportedX = 0;  // what the device reports, after its range and dead zone
        std::int32_t reportedY = 0;
        AxisScales scales;
        std::uint8_t buttons[32] = {};
        bool attached = true;
        HeadlessJoystick* device = nullptr;                 // the open device, which buffers the changes
        std::vector<std::shared_ptr<ForceRecord>> effects;  // every effect made on it, oldest first
    };

    // The system cursor moves with the mouse, as on a desktop.
    explicit HeadlessInput(HeadlessWindow& window);

    // Attaches the script's joysticks and plays its lines from now on.
    void play(const InputScript& script);

    std::unique_ptr<KeyboardDevice> createKeyboard(InputResult& result) override;
    std::unique_ptr<MouseDevice> createMouse(InputResult& result) override;
    bool enumerateJoysticks(std::vector<JoystickInstance>& found) override;
    std::unique_ptr<JoystickDevice> createJoystick(const JoystickInstance& instance, InputResult& result) override;
    bool joysticksChanged() const override { return joysticksChanged_; }
    void collect(std::uint64_t frame) override;
    void injectKey(std::uint8_t code, bool down) override { setKey(code, down); }

    // What a player does.
    void pressKey(std::uint8_t code);
    void releaseKey(std::uint8_t code);
    void moveMouse(std::int32_t dx, std::int32_t dy);
    // Moves the system cursor to (x, y) in logical pixels; the mouse reports the way it went.
    void moveMouseTo(std::int32_t x, std::int32_t y);
    void pressMouseButton(int button);
    void releaseMouseButton(int button);
    // Attaches a joystick after those already attached, at any moment of a run; returns its
    // number. The game sees it from the next frame that reads its input.
    std::size_t attachJoystick(const std::string& name, bool forceFeedback);
    // Unplugs a joystick at any moment of a run: its device can no longer be read or acquired,
    // its effects fall silent and answer InputLost, and no new effect can be made on it.
    // It is not listed again; a joystick attached later is a new one.
    void detachJoystick(std::size_t index);
    // Puts the stick at a raw position, -1000 to 1000 on each axis.
    void moveJoystick(std::size_t index, std::int32_t x, std::int32_t y);
    // Puts the stick where the game reads (x, y), after the device's range and dead zone, as a
    // journal recorded it on another machine: the axes that change report, as a real stick does.
    void placeJoystick(std::size_t index, std::int32_t x, std::int32_t y);
    // Puts the system cursor at (x, y) in logical pixels without any motion reported: a journal
    // says where a real desktop had it when the game looked.
    void placeCursor(std::int32_t x, std::int32_t y);
    void pressJoystickButton(std::size_t index, int button);
    void releaseJoystickButton(std::size_t index, int button);
    // Another program took every device: reads, and the calls of a joystick's effects, fail
    // with InputLost until the device is acquired again.
    void loseDevices();
    // Where the shared sequence counter goes on, to try its wrap-around.
    void setNextSequence(std::uint32_t sequence) { nextSequence_ = sequence; }

    std::size_t joystickCount() const { return joysticks_.size(); }
    const JoystickRecord& joystick(std::size_t index) const { return joysticks_.at(index); }

    // The simulated devices tell when they are opened and closed, to be given the changes.
    void connect(HeadlessKeyboard* keyboard) { keyboard_ = keyboard; }
    void disconnect(HeadlessKeyboard* keyboard);
    void connect(HeadlessMouse* mouse) { mouse_ = mouse; }
    void disconnect(HeadlessMouse* mouse);
    void connect(std::size_t index, HeadlessJoystick* joystick) { joysticks_.at(index).device = joystick; }
    void disconnect(std::size_t index, HeadlessJoystick* joystick);

    JoystickRecord& joystick(std::size_t index) { return joysticks_.at(index); }
    const KeyboardState& keyboardState() const { return keys_; }
    // The movement since the previous call and the buttons held.
    MouseState takeMouseState();
    // A new range or dead zone: what the device reports changes, without a datum.
    void setJoystickScale(std::size_t index, JoystickAxis axis, const AxisScale& scale);

private:
    std::uint32_t takeSequence() { return nextSequence_++; }
    void setKey(std::uint8_t code, bool down);
    void setMouseButton(int button, bool down);
    void setJoystickButton(std::size_t index, int button, bool down);
    void perform(const InputScript::Action& action);
    void recordJoystick(JoystickRecord& record, const InputDatum& datum);

    HeadlessWindow& window_;
    std::uint32_t nextSequence_ = 1;
    KeyboardState keys_;
    MouseState mouseState_;  // movement since the last state read
    HeadlessKeyboard* keyboard_ = nullptr;
    HeadlessMouse* mouse_ = nullptr;
    std::deque<JoystickRecord> joysticks_;  // a deque keeps each record in place for its device
    std::vector<InputScript::Action> script_;
    std::size_t nextAction_ = 0;
    std::vector<InputScript::Joystick> plugged_;  // the script's joysticks plugged in during the run
    bool joysticksChanged_ = false;
};

}  // namespace tidewell::platform::headless
