#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace brinefall {

// The story of a run, one line per event, for tests and scripts to read (--milestones):
// "frame N: WORD" or "frame N: WORD DETAILS", N being the frame in which it happened,
// counted from 1 like the frames of an input script (the program's end gives the number
// of frames run). The words: scene, stage, boss-placed, boss-active, boss-dead, weapon,
// ship-down, game-over, continue, pause, resume, end. Nothing is made or written while
// no sink is set, so the game pays nothing for it in a normal run.
class Milestones {
public:
    using Sink = std::function<void(const std::string& line)>;

    // Where the lines go from now on; an empty sink turns them off.
    static void setSink(Sink sink);
    static bool isOn();

    // An event of the current frame.
    static void report(std::string_view word, std::string_view details = {});
    static void report(std::string_view word, int number);
    // The program's end, after the last frame.
    static void reportEnd(std::string_view details);

private:
    static void write(unsigned long long frame, std::string_view word, std::string_view details);
};

}  // namespace brinefall
