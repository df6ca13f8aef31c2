// Writes a few input scripts and a journal into the directory given, as starting inputs:
// every kind of line, pads plugged in and pulled out, and mistakes.

#include <cstdio>
#include <fstream>
#include <string>

namespace {

const char* const kScripts[][2] = {
    {"menu.txt",
     "2 key press Space\n4 key press Space\n10 mouse to 400 380\n12 key press Enter\n"
     "80 key down Up\n80 key down LCtrl\n100 key up Up\n121 key press 0x39\n"
     "7 mouse click right\n8 mouse move -4 5\n"},
    {"pads.txt",
     "joystick force-feedback Blue Pad\njoystick\n"
     "3 joystick 1 move 1000 -250\n4 joystick 0 press 31\n"
     "6 joystick plug force-feedback Test Pad\n7 joystick 2 down 0\n"
     "9 joystick 0 unplug\n10 joystick 0 move 5 5\n12 joystick plug\n13 joystick 3 at 7 -1000\n"},
    {"journal.txt",
     "# Brinefall input journal\nseed 11\nsetting useJoystick on\nsetting fullScreen off\n"
     "joystick Pad\n1 mouse cursor -20 650\n2 joystick 0 at 0 -333\n100 check 00000000000000ab\n120 end\n"},
    {"mistakes.txt", "joystick\n9 joystick plug\n3 joystick 1 unplug\n5 key dwn A\n"},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-DIRECTORY\n", argv[0]);
        return 2;
    }
    bool written = true;
    for (const auto& [name, text] : kScripts) {
        std::ofstream file(std::string(argv[1]) + "/" + name);
        file << text;
        written = written && static_cast<bool>(file);
    }
    return written ? 0 : 1;
}
