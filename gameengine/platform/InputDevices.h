#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tidewell::platform {

// The states the devices report, in the layouts game code reads field by field.

// 256 bytes indexed by keyboard scan code (see KeyCodes.h); 0x80 while the key is down.
struct KeyboardState {
    std::uint8_t keys[256] = {};
};

// Relative movement since the previous state read and four button bytes (0x80 while held).
struct MouseState {
    std::int32_t lX = 0;
    std::int32_t lY = 0;
    std::int32_t lZ = 0;
    std::uint8_t rgbButtons[4] = {};
};
static_assert(sizeof(MouseState) == 16, "a mouse state is 16 bytes");

// Where a joystick stands. X and Y run over the range set with setAxisRange; the other
// axes over 0 to 65535; a point of view is in hundredths of a degree, 0xFFFFFFFF centred.
struct JoystickState {
    std::int32_t lX = 0;
    std::int32_t lY = 0;
    std::int32_t lZ = 0;
    std::int32_t lRx = 0;
    std::int32_t lRy = 0;
    std::int32_t lRz = 0;
    std::int32_t rglSlider[2] = {};
    std::uint32_t rgdwPOV[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    std::uint8_t rgbButtons[32] = {};  // 0x80 while held
};
static_assert(sizeof(JoystickState) == 80, "a joystick state is 80 bytes");

// The offsets of a device's objects within its state; a buffered datum names what
// changed by its offset. Keyboard data use the scan code as their offset.
namespace mouseOffset {
inline constexpr std::uint32_t x = 0;
inline constexpr std::uint32_t y = 4;
inline constexpr std::uint32_t wheel = 8;
inline constexpr std::uint32_t button0 = 12;  // buttons 0 to 3 follow one byte apart
}  // namespace mouseOffset

namespace joystickOffset {
inline constexpr std::uint32_t x = 0;
inline constexpr std::uint32_t y = 4;
inline constexpr std::uint32_t button0 = 48;  // buttons 0 to 31 follow one byte apart
}  // namespace joystickOffset

// One buffered change. value is the new position of an absolute axis, the movement of a
// relative one (a signed number) or a button byte (0x80 pressed, 0 released). Every
// device takes its sequence numbers from one counter, so data of different devices can
// be put in the order they happened; data that happened together share a number.
struct InputDatum {
    std::uint32_t offset = 0;
    std::uint32_t value = 0;
    std::uint32_t sequence = 0;
};

// The outcome of a device call. The failures carry DirectInput's numbers, which the
// error dialogs show as the failing call's result.
enum class InputResult : std::int32_t {
    Ok = 0,
    InputLost = static_cast<std::int32_t>(0x8007001Eu),         // taken away since it was acquired
    NotAcquired = static_cast<std::int32_t>(0x8007000Cu),       // acquire it first
    InvalidParam = static_cast<std::int32_t>(0x80070057u),      // a value out of range
    NotInitialized = static_cast<std::int32_t>(0x80070015u),    // the object was never set up
    IncompleteEffect = static_cast<std::int32_t>(0x80040206u),  // an effect lacks a parameter
    EffectPlaying = static_cast<std::int32_t>(0x80040208u),     // cannot change while playing
    Unsupported = static_cast<std::int32_t>(0x80004001u),       // the device cannot do it
    Failed = static_cast<std::int32_t>(0x80004005u),            // any other failure
};

inline bool succeeded(InputResult result) { return result == InputResult::Ok; }

// What every input device does: buffer changes between reads while it is acquired.
class InputDevice {
public:
    virtual ~InputDevice() = default;

    // How many data the device keeps between reads; when it is full, newer data are lost.
    virtual InputResult setBufferSize(std::size_t size) = 0;
    // Starts buffering changes and reporting state; also the way back after InputLost.
    virtual InputResult acquire() = 0;
    // Stops buffering and drops what was buffered.
    virtual void unacquire() = 0;
    // Moves up to `capacity` of the oldest buffered data into `data`, oldest first, and sets `count`.
    virtual InputResult readBuffered(InputDatum* data, std::size_t capacity, std::size_t& count) = 0;
};

class KeyboardDevice : public InputDevice {
public:
    // Which keys are down now.
    virtual InputResult readState(KeyboardState& state) = 0;
};

class MouseDevice : public InputDevice {
public:
    // The movement since the last state read and the buttons held now.
    virtual InputResult readState(MouseState& state) = 0;
};

// A constant force on a joystick's X and Y axes.
struct ConstantForce {
    static constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;

    std::int32_t direction = 0;  // polar, hundredths of a degree clockwise from "away from the player"
    std::int32_t level = 0;      // 0 to 10000 (full strength)
    std::uint32_t lengthMicroseconds = kInfinite;
    std::int32_t gain = 10000;  // scales the level, 10000 = as given
};

// One force-feedback effect made on a joystick. Destroying it stops and releases it.
class ForceEffect {
public:
    virtual ~ForceEffect() = default;

    // Plays the effect once from its beginning (an infinite one until stopped).
    virtual InputResult start() = 0;
    // Ends the effect at once.
    virtual InputResult stop() = 0;
    // Changes the level (0 to 10000); a playing effect changes strength at once.
    virtual InputResult setLevel(std::int32_t level) = 0;
};

enum class JoystickAxis { X, Y };

class JoystickDevice : public InputDevice {
public:
    // The product name, for messages.
    virtual std::string name() const = 0;
    // The values an axis reports from one end to the other.
    virtual InputResult setAxisRange(JoystickAxis axis, std::int32_t minimum, std::int32_t maximum) = 0;
    // The part around the centre that reads as the centre, in ten-thousandths of the half range.
    virtual InputResult setDeadZone(JoystickAxis axis, std::uint32_t tenThousandths) = 0;
    // Whether the stick pulls itself back to the centre; devices that cannot change it ignore it.
    virtual InputResult setAutoCenter(bool on) = 0;
    // Brings the state up to date on devices that must be asked.
    virtual InputResult poll() = 0;
    // Where the stick stands and which buttons are held now.
    virtual InputResult readState(JoystickState& state) = 0;
    // Whether the joystick can play force-feedback effects.
    virtual bool hasForceFeedback() const = 0;
    // Makes a constant-force effect, not yet playing; null with the reason in result when it cannot.
    virtual std::unique_ptr<ForceEffect> createConstantForce(const ConstantForce& force, InputResult& result) = 0;
};

// A joystick found by enumeration, to be opened with createJoystick.
struct JoystickInstance {
    std::int32_t id = -1;  // the backend's own identity of the device
    std::string name;
};

// The machine's input devices.
class InputDevices {
public:
    virtual ~InputDevices() = default;

    // Opens the system keyboard; null (with the reason in result) when it cannot.
    virtual std::unique_ptr<KeyboardDevice> createKeyboard(InputResult& result) = 0;
    // Opens the system mouse; null (with the reason in result) when it cannot.
    virtual std::unique_ptr<MouseDevice> createMouse(InputResult& result) = 0;
    // The joysticks attached now, in a stable order; false when they cannot be listed.
    virtual bool enumerateJoysticks(std::vector<JoystickInstance>& found) = 0;
    // Opens an enumerated joystick; null (with the reason in result) when it cannot.
    virtual std::unique_ptr<JoystickDevice> createJoystick(const JoystickInstance& instance, InputResult& result) = 0;
    // Whether a joystick was plugged in or pulled out since the joysticks were last
    // enumerated; enumerating them again answers the change.
    virtual bool joysticksChanged() const = 0;
    // Takes in everything that happened before the given frame (counted from 1) began:
    // the real backend reads the system's events, the headless one plays its script.
    virtual void collect(std::uint64_t frame) = 0;
    // A program playing the game presses (down) or releases a key: it reaches the
    // keyboard's buffer and state as the player's own keys do. A key already in that
    // state sends nothing.
    virtual void injectKey(std::uint8_t code, bool down) = 0;
};

// A joystick axis as the game sees it: the raw position, from rawMinimum to rawMaximum,
// mapped onto minimum..maximum, with the dead zone around the centre reading as the
// centre and the rest stretched so that the ends are still reached.
struct AxisScale {
    std::int32_t minimum = 0;  // a device's range until it is told another
    std::int32_t maximum = 65535;
    std::uint32_t deadZone = 0;  // ten-thousandths of the half range

    std::int32_t apply(std::int32_t raw, std::int32_t rawMinimum, std::int32_t rawMaximum) const;
    // Takes a new range; false, and nothing changed, unless the minimum is below the maximum.
    bool setRange(std::int32_t newMinimum, std::int32_t newMaximum);
    // Takes a new dead zone; false, and nothing changed, beyond the whole half range (10000).
    bool setDeadZone(std::uint32_t tenThousandths);
};

// A stick's two axes, each with its own scale.
struct AxisScales {
    AxisScale x;
    AxisScale y;

    AxisScale& of(JoystickAxis axis) { return axis == JoystickAxis::X ? x : y; }
    const AxisScale& of(JoystickAxis axis) const { return axis == JoystickAxis::X ? x : y; }
};

}  // namespace tidewell::platform
