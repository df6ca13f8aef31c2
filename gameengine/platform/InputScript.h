#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace tidewell::platform {

// What a player does, written down: the joysticks attached, and the events in the
// order of the frames at which they happen. The headless backend plays it. A journal
// (brinefall --record) is a script that also carries the seed and the settings of the
// run it was recorded from and, every so many frames, the checksum of the game's state
// at that frame. The format is described in the README ("Input scripts").
struct InputScript {
    struct Joystick {
        std::string name;
        bool forceFeedback = false;
    };

    struct Action {
        enum class Kind {
            KeyDown,       // a = scan code
            KeyUp,         // a = scan code
            MouseMove,     // a, b = movement in pixels
            MouseTo,       // a, b = where the system cursor goes, in logical pixels
            MouseDown,     // a = button
            MouseUp,       // a = button
            JoystickMove,  // a = joystick, b, c = stick position -1000..1000
            JoystickDown,  // a = joystick, b = button
            JoystickUp,    // a = joystick, b = button
            MouseCursor,   // a, b = where the system cursor is put, in logical pixels; no motion
            JoystickAt,    // a = joystick, b, c = where the game reads the stick, after range and dead zone
            JoystickPlug,    // a = the joystick in `plugged` that is plugged in; it gets the next number
            JoystickUnplug,  // a = joystick; it is pulled out, and its number is not given again
        };
        std::uint64_t frame = 1;  // counted from 1, the first frame the program runs
        Kind kind = Kind::KeyDown;
        std::int32_t a = 0;
        std::int32_t b = 0;
        std::int32_t c = 0;
        int line = 0;  // where it was written, for messages
    };

    // A stored setting the run was played with.
    struct Setting {
        std::string name;
        bool value = false;
        std::vector<std::uint8_t> bytes;  // a value of several bytes ("setting NAME bytes HEX"); empty for on/off
    };

    // The game's state at the end of a frame's update, as StateChecksum computes it.
    struct Check {
        std::uint64_t frame = 1;
        std::uint64_t checksum = 0;
        int line = 0;
    };

    std::vector<Joystick> joysticks;  // attached from the start, numbered from 0
    // Joysticks plugged in while the game runs, in the order their lines were written. They
    // are numbered after those of `joysticks`, in the order they are plugged in.
    std::vector<Joystick> plugged;
    std::vector<Action> actions;  // by frame; actions of one frame in the order written
    std::optional<std::uint32_t> seed;  // the random seed the run was recorded with
    std::vector<Setting> settings;      // in the order written
    std::vector<Check> checks;          // by frame
    std::optional<std::uint64_t> lastFrame;  // the recording ended after this frame

    // Reads a script; false with "line N: what is wrong" in whyNot when it is not one.
    static bool parse(std::istream& text, InputScript& script, std::string& whyNot);
    // Reads a script file; false with the file's name and the reason in whyNot.
    static bool load(const std::filesystem::path& path, InputScript& script, std::string& whyNot);
};

}  // namespace tidewell::platform
