#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "InputDevices.h"
#include "InputScript.h"

namespace tidewell::platform {

// Writes a journal: what the input devices gave the game, frame by frame, as lines of an
// input script that the headless backend plays back the same way. The data of one frame
// come in device by device, as the input manager reads them; they are written in the order
// they happened (by sequence number, as the manager merges them), so that played back they
// get their numbers in that same order. One report of two axes is one line.
class JournalWriter {
public:
    enum class Device { Keyboard, Mouse, Joystick };

    // What the run was started with, written at the top.
    struct Header {
        std::uint32_t seed = 0;
        std::vector<InputScript::Setting> settings;
        std::vector<InputScript::Joystick> joysticks;
    };

    explicit JournalWriter(std::ostream& out) : out_(out) {}

    void writeHeader(const Header& header);
    // A frame's input begins; nothing is written for a frame without input.
    void beginFrame(std::uint64_t frame);
    // One device's data of this frame, oldest first (a joystick by its number).
    void addData(Device device, std::int32_t joystick, std::span<const InputDatum> data);
    // Where the system cursor was when the game looked at it this frame (in a window).
    void addCursor(std::int32_t x, std::int32_t y);
    // A joystick was plugged in (it takes the next number) or pulled out. Written first at
    // the next end of a frame, so that played back the game finds the same joysticks.
    void addPlug(const InputScript::Joystick& joystick);
    void addUnplug(std::int32_t joystick);
    // Writes the frame's lines.
    void endFrame();
    void writeCheck(std::uint64_t frame, std::uint64_t checksum);
    // The recording ended after this frame.
    void writeEnd(std::uint64_t frame);

private:
    struct Entry {
        Device device;
        std::int32_t joystick;
        InputDatum datum;
    };

    void writeEntries(std::size_t first, std::size_t last);
    void writeKey(const InputDatum& datum);
    void writeMouse(std::size_t first, std::size_t last);
    void writeJoystick(std::size_t first, std::size_t last);
    std::pair<std::int32_t, std::int32_t>& stick(std::int32_t joystick);

    std::ostream& out_;
    std::uint64_t frame_ = 0;
    std::vector<Entry> entries_;  // this frame's data, merged in the order they happened
    std::vector<Entry> merged_;
    std::vector<std::string> plugging_;  // plug and unplug lines, without their frame
    bool cursorSeen_ = false;
    std::int32_t cursorX_ = 0;
    std::int32_t cursorY_ = 0;
    // Where each stick stands as far as the data told, to write both axes of a report of one;
    // centred at the start, as the headless backend's sticks are.
    std::vector<std::pair<std::int32_t, std::int32_t>> sticks_;
};

}  // namespace tidewell::platform
