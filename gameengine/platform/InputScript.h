#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace tidewell::platform {

// What a player does, written down: the joysticks attached, and the events in the
// order of the frames at which they happen. The headless backend plays it. The format
// is described in the README ("Input scripts").
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
        };
        std::uint64_t frame = 1;  // counted from 1, the first frame the program runs
        Kind kind = Kind::KeyDown;
        std::int32_t a = 0;
        std::int32_t b = 0;
        std::int32_t c = 0;
        int line = 0;  // where it was written, for messages
    };

    std::vector<Joystick> joysticks;
    std::vector<Action> actions;  // by frame; actions of one frame in the order written

    // Reads a script; false with "line N: what is wrong" in whyNot when it is not one.
    static bool parse(std::istream& text, InputScript& script, std::string& whyNot);
    // Reads a script file; false with the file's name and the reason in whyNot.
    static bool load(const std::filesystem::path& path, InputScript& script, std::string& whyNot);
};

}  // namespace tidewell::platform
