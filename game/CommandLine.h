#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brinefall {

// Everything the command line can ask of a run.
struct LaunchOptions {
    bool help = false;
    bool version = false;
    bool headless = false;
    std::optional<bool> fullScreen;      // --windowed / --fullscreen: this run only, not stored
    std::string dataDir;                 // --data-dir
    std::optional<std::uint64_t> frames; // --frames N: run N frames, then quit normally
    std::optional<std::uint32_t> seed;   // --seed S: fixed random seed
    std::string inputScript;             // --input FILE
    std::string recordFile;              // --record FILE: the journal of this run
    std::string dumpFramesDir;           // --dump-frames DIR
    std::optional<std::uint32_t> dumpEvery; // --dump-every K
    std::optional<bool> hardware;        // --software / --hardware
    std::string dumpAudioFile;           // --dump-audio FILE
    std::optional<bool> smoothMotion;    // --smooth / --no-smooth: this run only, not stored
    std::optional<std::uint32_t> displayRate; // --display-rate HZ: the headless backend's virtual display
    bool demoSprites = false;            // --demo-sprites: the renderer's demonstration scene
    std::optional<int> windowScale;      // --scale N: open the window at N times 800 x 600
    bool milestones = false;             // --milestones: the run's story on standard output
    int startStage = 0;                  // --start stageN: a game at that stage at once; 0 = from the logo
    bool invincible = false;             // --invincible: every game with the ship invincible
    bool fullPower = false;              // --full-power: every game with the ship at full power
    bool autopilot = false;              // --autopilot[=CODES]: a program plays the game
    std::vector<std::string> autopilotCodes; // the title codes it types: invincible, full-power

    // The options given, in the order given, by their long names.
    std::vector<std::string> given;
};

// The largest --scale: beyond it no display of today has room.
inline constexpr int kLargestWindowScale = 8;
// The fastest --display-rate: a picture a millisecond.
inline constexpr std::uint32_t kFastestDisplayRate = 1000;

// The outcome of reading the command line: options, or a message and an exit status.
struct ParseResult {
    LaunchOptions options;
    std::string error;  // empty when the command line was understood
    int exitStatus = 0; // 2 for a command line that was not understood
};

ParseResult parseCommandLine(const std::vector<std::string>& arguments);

// The text of --help.
std::string usageText();
// The text of --version.
std::string versionText();

} // namespace brinefall
