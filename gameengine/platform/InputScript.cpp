#include "InputScript.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

#include "KeyCodes.h"

namespace tidewell::platform {
namespace {

using Kind = InputScript::Action::Kind;

constexpr std::int32_t kMouseButtons = 4;
constexpr std::int32_t kJoystickButtons = 32;
constexpr std::int32_t kStickEnd = 1000;
constexpr std::int32_t kFarthestCursor = 100000;  // beyond any desktop, small enough never to overflow

// One line being read: its words and what went wrong with them.
class LineReader {
public:
    LineReader(const std::string& text, int number) : number_(number) {
        std::istringstream words(text);
        for (std::string word; words >> word;) {
            words_.push_back(word);
        }
    }

    bool empty() const { return words_.empty(); }
    std::size_t size() const { return words_.size(); }
    const std::string& word(std::size_t index) const { return words_.at(index); }
    int number() const { return number_; }

    bool integer(std::size_t index, std::int64_t minimum, std::int64_t maximum, const char* what, std::int64_t& value,
                 std::string& whyNot) const {
        if (index >= words_.size()) {
            whyNot = std::string(what) + " is missing";
            return false;
        }
        const std::string& text = words_[index];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) {
            whyNot = std::string(what) + " \"" + text + "\" is not a whole number";
            return false;
        }
        if (value < minimum || value > maximum) {
            whyNot = std::string(what) + " " + text + " is not between " + std::to_string(minimum) + " and " +
                     std::to_string(maximum);
            return false;
        }
        return true;
    }

    bool noMoreAfter(std::size_t count, std::string& whyNot) const {
        if (words_.size() > count) {
            whyNot = "unexpected \"" + words_[count] + "\" at the end";
            return false;
        }
        return true;
    }

private:
    std::vector<std::string> words_;
    int number_;
};

// "press" and "click" are a down and an up in the same frame.
bool pressKinds(const std::string& verb, Kind down, Kind up, std::vector<Kind>& kinds) {
    if (verb == "down") {
        kinds = {down};
    } else if (verb == "up") {
        kinds = {up};
    } else if (verb == "press" || verb == "click") {
        kinds = {down, up};
    } else {
        return false;
    }
    return true;
}

bool mouseButton(const std::string& word, std::int32_t& button) {
    static const char* const names[kMouseButtons] = {"left", "right", "middle", "fourth"};
    for (std::int32_t index = 0; index < kMouseButtons; ++index) {
        if (word == names[index] || word == std::to_string(index)) {
            button = index;
            return true;
        }
    }
    return false;
}

// "[force-feedback] [NAME]" from word `first` on; a joystick without a name is given one.
InputScript::Joystick readJoystickDescription(const LineReader& line, std::size_t first, const std::string& unnamed) {
    InputScript::Joystick joystick;
    std::size_t next = first;
    if (next < line.size() && line.word(next) == "force-feedback") {
        joystick.forceFeedback = true;
        ++next;
    }
    for (; next < line.size(); ++next) {
        joystick.name += (joystick.name.empty() ? "" : " ") + line.word(next);
    }
    if (joystick.name.empty()) {
        joystick.name = unnamed;
    }
    return joystick;
}

void readJoystickDeclaration(const LineReader& line, InputScript& script) {
    script.joysticks.push_back(
        readJoystickDescription(line, 1, "Scripted joystick " + std::to_string(script.joysticks.size() + 1)));
}

// "FRAME joystick plug [force-feedback] [NAME]".
void readJoystickPlug(const LineReader& line, InputScript::Action action, InputScript& script) {
    action.kind = Kind::JoystickPlug;
    action.a = static_cast<std::int32_t>(script.plugged.size());
    script.plugged.push_back(
        readJoystickDescription(line, 3, "Plugged joystick " + std::to_string(script.plugged.size() + 1)));
    script.actions.push_back(action);
}

bool readKey(const LineReader& line, InputScript::Action action, std::vector<InputScript::Action>& out,
             std::string& whyNot) {
    std::vector<Kind> kinds;
    if (line.size() < 3 || !pressKinds(line.word(2), Kind::KeyDown, Kind::KeyUp, kinds)) {
        whyNot = "a key is pressed with \"key down|up|press KEY\"";
        return false;
    }
    if (line.size() < 4) {
        whyNot = "the key is missing";
        return false;
    }
    const auto code = keyCodeByName(line.word(3));
    if (!code) {
        whyNot = "\"" + line.word(3) + "\" is not a key name or a code from 1 to 255";
        return false;
    }
    if (!line.noMoreAfter(4, whyNot)) {
        return false;
    }
    action.a = *code;
    for (Kind kind : kinds) {
        action.kind = kind;
        out.push_back(action);
    }
    return true;
}

bool readMouse(const LineReader& line, InputScript::Action action, std::vector<InputScript::Action>& out,
               std::string& whyNot) {
    const std::string verb = line.size() > 2 ? line.word(2) : "";
    if (verb == "move" || verb == "to" || verb == "cursor") {
        std::int64_t x = 0;
        std::int64_t y = 0;
        if (!line.integer(3, -kFarthestCursor, kFarthestCursor, "the x", x, whyNot) ||
            !line.integer(4, -kFarthestCursor, kFarthestCursor, "the y", y, whyNot) || !line.noMoreAfter(5, whyNot)) {
            return false;
        }
        action.kind = verb == "move" ? Kind::MouseMove : (verb == "to" ? Kind::MouseTo : Kind::MouseCursor);
        action.a = static_cast<std::int32_t>(x);
        action.b = static_cast<std::int32_t>(y);
        out.push_back(action);
        return true;
    }
    std::vector<Kind> kinds;
    if (!pressKinds(verb, Kind::MouseDown, Kind::MouseUp, kinds)) {
        whyNot = "the mouse does \"move DX DY\", \"to X Y\", \"cursor X Y\" or \"down|up|click BUTTON\"";
        return false;
    }
    if (line.size() < 4 || !mouseButton(line.word(3), action.a)) {
        whyNot = "a mouse button is left, right, middle, fourth or 0 to 3";
        return false;
    }
    if (!line.noMoreAfter(4, whyNot)) {
        return false;
    }
    for (Kind kind : kinds) {
        action.kind = kind;
        out.push_back(action);
    }
    return true;
}

bool readJoystick(const LineReader& line, InputScript::Action action, std::vector<InputScript::Action>& out,
                  std::string& whyNot) {
    std::int64_t index = 0;
    if (!line.integer(2, 0, std::numeric_limits<std::int32_t>::max(), "the joystick number", index, whyNot)) {
        return false;
    }
    action.a = static_cast<std::int32_t>(index);
    const std::string verb = line.size() > 3 ? line.word(3) : "";
    if (verb == "unplug") {
        if (!line.noMoreAfter(4, whyNot)) {
            return false;
        }
        action.kind = Kind::JoystickUnplug;
        out.push_back(action);
        return true;
    }
    if (verb == "move" || verb == "at") {
        std::int64_t x = 0;
        std::int64_t y = 0;
        if (!line.integer(4, -kStickEnd, kStickEnd, "the x", x, whyNot) ||
            !line.integer(5, -kStickEnd, kStickEnd, "the y", y, whyNot) || !line.noMoreAfter(6, whyNot)) {
            return false;
        }
        action.kind = verb == "move" ? Kind::JoystickMove : Kind::JoystickAt;
        action.b = static_cast<std::int32_t>(x);
        action.c = static_cast<std::int32_t>(y);
        out.push_back(action);
        return true;
    }
    std::vector<Kind> kinds;
    if (!pressKinds(verb, Kind::JoystickDown, Kind::JoystickUp, kinds)) {
        whyNot = "a joystick does \"move X Y\", \"at X Y\", \"down|up|press BUTTON\" or \"unplug\"";
        return false;
    }
    std::int64_t button = 0;
    if (!line.integer(4, 0, kJoystickButtons - 1, "the button", button, whyNot) || !line.noMoreAfter(5, whyNot)) {
        return false;
    }
    action.b = static_cast<std::int32_t>(button);
    for (Kind kind : kinds) {
        action.kind = kind;
        out.push_back(action);
    }
    return true;
}

// "FRAME check HEX": sixteen hexadecimal digits at most.
bool readCheck(const LineReader& line, std::uint64_t frame, InputScript& script, std::string& whyNot) {
    if (line.size() < 3) {
        whyNot = "the checksum is missing";
        return false;
    }
    const std::string& text = line.word(2);
    std::uint64_t checksum = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), checksum, 16);
    if (text.size() > 16 || error != std::errc() || end != text.data() + text.size()) {
        whyNot = "the checksum \"" + text + "\" is not 1 to 16 hexadecimal digits";
        return false;
    }
    if (!line.noMoreAfter(3, whyNot)) {
        return false;
    }
    script.checks.push_back(InputScript::Check{frame, checksum, line.number()});
    return true;
}

bool readEnd(const LineReader& line, std::uint64_t frame, InputScript& script, std::string& whyNot) {
    if (!line.noMoreAfter(2, whyNot)) {
        return false;
    }
    if (script.lastFrame) {
        whyNot = "a second \"end\" line";
        return false;
    }
    script.lastFrame = frame;
    return true;
}

bool readTimedLine(const LineReader& line, InputScript& script, std::string& whyNot) {
    std::int64_t frame = 0;
    if (!line.integer(0, 1, std::numeric_limits<std::int64_t>::max(), "the frame", frame, whyNot)) {
        return false;
    }
    InputScript::Action action;
    action.frame = static_cast<std::uint64_t>(frame);
    action.line = line.number();
    std::vector<InputScript::Action>& out = script.actions;
    const std::string device = line.size() > 1 ? line.word(1) : "";
    if (device == "check") {
        return readCheck(line, action.frame, script, whyNot);
    }
    if (device == "end") {
        return readEnd(line, action.frame, script, whyNot);
    }
    if (device == "key") {
        return readKey(line, action, out, whyNot);
    }
    if (device == "mouse") {
        return readMouse(line, action, out, whyNot);
    }
    if (device == "joystick" && line.size() > 2 && line.word(2) == "plug") {
        readJoystickPlug(line, action, script);
        return true;
    }
    if (device == "joystick") {
        return readJoystick(line, action, out, whyNot);
    }
    whyNot = device.empty() ? "the frame is not followed by key, mouse, joystick, check or end"
                            : "\"" + device + "\" is not key, mouse, joystick, check or end";
    return false;
}

// "seed S", once, before or after the timed lines.
bool readSeed(const LineReader& line, InputScript& script, std::string& whyNot) {
    std::int64_t seed = 0;
    if (!line.integer(1, 0, std::numeric_limits<std::uint32_t>::max(), "the seed", seed, whyNot) ||
        !line.noMoreAfter(2, whyNot)) {
        return false;
    }
    if (script.seed) {
        whyNot = "a second \"seed\" line";
        return false;
    }
    script.seed = static_cast<std::uint32_t>(seed);
    return true;
}

// The bytes of an even number of hexadecimal digits, or nothing.
std::optional<std::vector<std::uint8_t>> hexBytes(const std::string& text) {
    if (text.empty() || text.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (error != std::errc() || end != text.data() + i + 2) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

// "setting NAME on|off", or "setting NAME bytes HEX" for a value of several bytes.
bool readSetting(const LineReader& line, InputScript& script, std::string& whyNot) {
    if (line.size() >= 4 && line.word(2) == "bytes") {
        const auto bytes = hexBytes(line.word(3));
        if (!bytes) {
            whyNot = "a setting's bytes are written as pairs of hexadecimal digits";
            return false;
        }
        if (!line.noMoreAfter(4, whyNot)) {
            return false;
        }
        script.settings.push_back(InputScript::Setting{line.word(1), false, *bytes});
        return true;
    }
    if (line.size() < 3 || (line.word(2) != "on" && line.word(2) != "off")) {
        whyNot = "a setting is written \"setting NAME on|off\" or \"setting NAME bytes HEX\"";
        return false;
    }
    if (!line.noMoreAfter(3, whyNot)) {
        return false;
    }
    script.settings.push_back(InputScript::Setting{line.word(1), line.word(2) == "on", {}});
    return true;
}

bool readLine(const LineReader& line, InputScript& script, std::string& whyNot) {
    const std::string& first = line.word(0);
    if (first == "joystick") {
        readJoystickDeclaration(line, script);
        return true;
    }
    if (first == "seed") {
        return readSeed(line, script, whyNot);
    }
    if (first == "setting") {
        return readSetting(line, script, whyNot);
    }
    return readTimedLine(line, script, whyNot);
}

bool isForJoystick(Kind kind) {
    return kind == Kind::JoystickMove || kind == Kind::JoystickAt || kind == Kind::JoystickDown ||
           kind == Kind::JoystickUp || kind == Kind::JoystickUnplug;
}

// Joysticks may be declared anywhere, so the numbers the actions use are checked once all
// are known: a joystick plugged in during the run has its number from its frame on.
bool joysticksKnown(const InputScript& script, std::string& whyNot) {
    std::size_t known = script.joysticks.size();
    for (const InputScript::Action& action : script.actions) {
        if (action.kind == Kind::JoystickPlug) {
            ++known;
        } else if (isForJoystick(action.kind) && static_cast<std::size_t>(action.a) >= known) {
            whyNot = "line " + std::to_string(action.line) + ": there is no joystick " + std::to_string(action.a) +
                     " (" + std::to_string(script.joysticks.size()) + " declared with a \"joystick\" line";
            if (!script.plugged.empty()) {
                whyNot += ", " + std::to_string(known - script.joysticks.size()) + " plugged in by frame " +
                          std::to_string(action.frame);
            }
            whyNot += ")";
            return false;
        }
    }
    return true;
}

std::string withoutComment(const std::string& text) {
    const std::size_t hash = text.find('#');
    return hash == std::string::npos ? text : text.substr(0, hash);
}

}  // namespace

bool InputScript::parse(std::istream& text, InputScript& script, std::string& whyNot) {
    InputScript read;
    int number = 0;
    for (std::string raw; std::getline(text, raw);) {
        ++number;
        const LineReader line(withoutComment(raw), number);
        if (line.empty()) {
            continue;
        }
        std::string problem;
        if (!readLine(line, read, problem)) {
            whyNot = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
    }
    std::stable_sort(read.actions.begin(), read.actions.end(),
                     [](const Action& first, const Action& second) { return first.frame < second.frame; });
    if (!joysticksKnown(read, whyNot)) {
        return false;
    }
    std::stable_sort(read.checks.begin(), read.checks.end(),
                     [](const Check& first, const Check& second) { return first.frame < second.frame; });
    for (std::size_t index = 1; index < read.checks.size(); ++index) {
        if (read.checks[index].frame == read.checks[index - 1].frame) {
            whyNot = "line " + std::to_string(read.checks[index].line) + ": a second check for frame " +
                     std::to_string(read.checks[index].frame);
            return false;
        }
    }
    script = std::move(read);
    return true;
}

bool InputScript::load(const std::filesystem::path& path, InputScript& script, std::string& whyNot) {
    errno = 0;
    std::ifstream file(path);
    if (!file) {
        whyNot = "cannot read the input script " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    std::string problem;
    if (!parse(file, script, problem)) {
        whyNot = "the input script " + path.string() + ", " + problem;
        return false;
    }
    return true;
}

}  // namespace tidewell::platform
