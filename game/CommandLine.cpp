#include "CommandLine.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <limits>
#include <map>

namespace brinefall {
namespace {

constexpr const char* kVersion = BRINEFALL_VERSION;

template <typename Number>
std::optional<Number> parseNumber(const std::string& text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// An optional value is only taken from "--name=value", so "--name" alone never eats
// the next argument.
enum class Value { none, required, optional };

// "stage1" or "stage2": the stages a game can be started at.
bool applyStartStage(LaunchOptions& options, const std::string& value) {
    if (value == "stage1") options.startStage = 1;
    else if (value == "stage2") options.startStage = 2;
    else return false;
    return true;
}

// Nothing, or codes separated by commas: "invincible", "full-power".
bool applyAutopilot(LaunchOptions& options, const std::string& value) {
    options.autopilot = true;
    options.autopilotCodes.clear();
    std::size_t start = 0;
    while (start < value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        const std::string code = value.substr(start, comma - start);
        if (code != "invincible" && code != "full-power") return false;
        options.autopilotCodes.push_back(code);
        start = comma + 1;
    }
    return value.empty() || value.back() != ',';
}

struct OptionSpec {
    Value value;
    std::function<bool(LaunchOptions&, const std::string&)> apply;  // false: the value is bad
    // What to say about a bad value, when "bad value" alone would leave the user guessing.
    std::function<std::string(const std::string&)> explainBadValue = nullptr;
};

const std::map<std::string, OptionSpec>& optionTable() {
    static const std::map<std::string, OptionSpec> table = {
        {"--help", {Value::none, [](LaunchOptions& o, const std::string&) { return o.help = true; }}},
        {"--version", {Value::none, [](LaunchOptions& o, const std::string&) { return o.version = true; }}},
        {"--headless", {Value::none, [](LaunchOptions& o, const std::string&) { return o.headless = true; }}},
        {"--windowed", {Value::none, [](LaunchOptions& o, const std::string&) { o.fullScreen = false; return true; }}},
        {"--fullscreen", {Value::none, [](LaunchOptions& o, const std::string&) { o.fullScreen = true; return true; }}},
        {"--software", {Value::none, [](LaunchOptions& o, const std::string&) { o.hardware = false; return true; }}},
        {"--hardware", {Value::none, [](LaunchOptions& o, const std::string&) { o.hardware = true; return true; }}},
        {"--smooth", {Value::none, [](LaunchOptions& o, const std::string&) { o.smoothMotion = true; return true; }}},
        {"--no-smooth", {Value::none, [](LaunchOptions& o, const std::string&) { o.smoothMotion = false; return true; }}},
        {"--display-rate",
         {Value::required,
          [](LaunchOptions& o, const std::string& v) {
              o.displayRate = parseNumber<std::uint32_t>(v);
              return o.displayRate.has_value() && *o.displayRate >= 1 && *o.displayRate <= kFastestDisplayRate;
          },
          [](const std::string& v) {
              return "--display-rate takes pictures a second, a whole number from 1 to " +
                     std::to_string(kFastestDisplayRate) + ", not \"" + v + "\"";
          }}},
        {"--demo-sprites", {Value::none, [](LaunchOptions& o, const std::string&) { return o.demoSprites = true; }}},
        {"--data-dir", {Value::required, [](LaunchOptions& o, const std::string& v) { o.dataDir = v; return !v.empty(); }}},
        {"--input", {Value::required, [](LaunchOptions& o, const std::string& v) { o.inputScript = v; return !v.empty(); }}},
        {"--record", {Value::required, [](LaunchOptions& o, const std::string& v) { o.recordFile = v; return !v.empty(); }}},
        {"--dump-frames",
         {Value::required, [](LaunchOptions& o, const std::string& v) { o.dumpFramesDir = v; return !v.empty(); }}},
        {"--dump-audio",
         {Value::required, [](LaunchOptions& o, const std::string& v) { o.dumpAudioFile = v; return !v.empty(); }}},
        {"--frames",
         {Value::required, [](LaunchOptions& o, const std::string& v) { return (o.frames = parseNumber<std::uint64_t>(v)).has_value(); }}},
        {"--seed",
         {Value::required, [](LaunchOptions& o, const std::string& v) { return (o.seed = parseNumber<std::uint32_t>(v)).has_value(); }}},
        {"--scale",
         {Value::required,
          [](LaunchOptions& o, const std::string& v) {
              o.windowScale = parseNumber<int>(v);
              return o.windowScale.has_value() && *o.windowScale >= 1 && *o.windowScale <= kLargestWindowScale;
          },
          [](const std::string& v) {
              return "--scale takes a whole number from 1 to " + std::to_string(kLargestWindowScale) + ", not \"" + v + "\"";
          }}},
        {"--milestones", {Value::none, [](LaunchOptions& o, const std::string&) { return o.milestones = true; }}},
        {"--invincible", {Value::none, [](LaunchOptions& o, const std::string&) { return o.invincible = true; }}},
        {"--full-power", {Value::none, [](LaunchOptions& o, const std::string&) { return o.fullPower = true; }}},
        {"--start",
         {Value::required, applyStartStage,
          [](const std::string& v) { return "--start takes stage1 or stage2, not \"" + v + "\""; }}},
        {"--autopilot",
         {Value::optional, applyAutopilot,
          [](const std::string& v) {
              return "--autopilot takes codes to type, invincible and full-power, separated by commas, not \"" + v +
                     "\"";
          }}},
        {"--dump-every",
         {Value::required, [](LaunchOptions& o, const std::string& v) {
              o.dumpEvery = parseNumber<std::uint32_t>(v);
              return o.dumpEvery.has_value() && *o.dumpEvery > 0;
          }}},
    };
    return table;
}

ParseResult failure(std::string message) {
    ParseResult result;
    result.error = std::move(message);
    result.exitStatus = 2;
    return result;
}

} // namespace

ParseResult parseCommandLine(const std::vector<std::string>& arguments) {
    ParseResult result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.erase(equals);
        }
        if (name == "-h") {
            name = "--help";
        }
        const auto found = optionTable().find(name);
        if (found == optionTable().end()) {
            return failure("unknown option \"" + arguments[i] + "\" (try --help)");
        }
        const OptionSpec& spec = found->second;
        std::string value;
        if (spec.value == Value::required) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                return failure(name + " needs a value (try --help)");
            }
        } else if (spec.value == Value::optional) {
            value = inlineValue.value_or("");
        } else if (inlineValue) {
            return failure(name + " takes no value");
        }
        if (!spec.apply(result.options, value)) {
            if (spec.explainBadValue) return failure(spec.explainBadValue(value));
            return failure("bad value \"" + value + "\" for " + name);
        }
        result.options.given.push_back(name);
    }
    return result;
}

std::string usageText() {
    return "Usage: brinefall [options]\n"
           "\n"
           "Brinefall, a horizontally scrolling shoot-'em-up.\n"
           "\n"
           "Options:\n"
           "  -h, --help           show this text and exit\n"
           "  --version            show the version and exit\n"
           "  --windowed           play in a window this time (the stored setting is kept)\n"
           "  --fullscreen         play full screen this time (the stored setting is kept)\n"
           "  --scale N            open the window at N times 800 x 600 (1 to 8)\n"
           "  --data-dir DIR       read the game's data files from DIR\n"
           "  --headless           run without window, sound card or real time (for tests)\n"
           "  --frames N           run N frames, then quit\n"
           "  --seed S             start the random generator from S instead of the clock\n"
           "  --input FILE         read the player's input from a script or journal (headless);\n"
           "                       a journal's checks are verified: exit status 3 when one fails\n"
           "  --record FILE        write this run's input journal into FILE (any backend)\n"
           "  --dump-frames DIR    write frames as PNG files into DIR (headless)\n"
           "  --dump-every K       with --dump-frames: write every K-th frame only\n"
           "  --dump-audio FILE    write the mixed sound to a WAV file (headless)\n"
           "  --smooth             draw pictures between the 20 a second at the display's rate,\n"
           "                       everything moving smoothly, this time (the stored setting\n"
           "                       smoothMotion is kept; it is on unless changed)\n"
           "  --no-smooth          one picture for each of the 20 a second, this time\n"
           "  --display-rate HZ    headless: a display of HZ pictures a second; with smooth motion\n"
           "                       the pictures between frames are drawn, and --dump-frames writes\n"
           "                       them as frame-N-1.png, frame-N-2.png ... after frame-N.png\n"
           "  --software           draw with the software renderer\n"
           "  --hardware           draw with OpenGL, or fail if it cannot be had\n"
           "  --demo-sprites       show the renderer's demonstration scene instead of the game\n"
           "  --milestones         print the run's events on standard output, a line each:\n"
           "                       \"frame N: WORD [DETAILS]\" (see the README)\n"
           "  --start STAGE        begin a game at stage1 or stage2 at once, without logo,\n"
           "                       opening or title\n"
           "  --invincible         play every game with an invincible ship\n"
           "  --full-power         play every game with the ship at full power\n"
           "  --autopilot[=CODES]  let a program play, game after game; CODES: invincible,\n"
           "                       full-power (typed at the title), separated by commas\n"
           "\n"
           "BRINEFALL_BACKEND=sdl|headless chooses the platform backend like --headless.\n";
}

std::string versionText() {
    return std::string("brinefall ") + kVersion + "\n";
}

} // namespace brinefall
