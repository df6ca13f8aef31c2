#include "JournalWriter.h"

#include <cstdio>
#include <iomanip>
#include <string>

#include "KeyCodes.h"

namespace tidewell::platform {
namespace {

constexpr std::uint32_t kMouseButtons = 4;
constexpr std::uint32_t kJoystickButtons = 32;
const char* const kMouseButtonNames[kMouseButtons] = {"left", "right", "middle", "fourth"};

// Sequence numbers wrap around; the signed difference still tells which came first.
bool earlier(std::uint32_t first, std::uint32_t second) { return static_cast<std::int32_t>(first - second) < 0; }

const char* downOrUp(std::uint32_t value) { return (value & 0x80) != 0 ? "down" : "up"; }

std::string hexadecimal(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// " [force-feedback] [NAME]", as a joystick line ends.
std::string described(const InputScript::Joystick& joystick) {
    std::string text = joystick.forceFeedback ? " force-feedback" : "";
    if (!joystick.name.empty()) {
        text += ' ' + joystick.name;
    }
    return text;
}

}  // namespace

void JournalWriter::writeHeader(const Header& header) {
    out_ << "# Brinefall input journal: play it with brinefall --headless --input FILE\n";
    out_ << "seed " << header.seed << '\n';
    for (const InputScript::Setting& setting : header.settings) {
        out_ << "setting " << setting.name;
        if (setting.bytes.empty()) {
            out_ << (setting.value ? " on" : " off") << '\n';
            continue;
        }
        out_ << " bytes " << std::hex << std::setfill('0');
        for (const std::uint8_t byte : setting.bytes) out_ << std::setw(2) << static_cast<unsigned>(byte);
        out_ << std::dec << std::setfill(' ') << '\n';
    }
    for (const InputScript::Joystick& joystick : header.joysticks) {
        out_ << "joystick" << described(joystick) << '\n';
    }
    sticks_.assign(header.joysticks.size(), {0, 0});
    out_.flush();
}

void JournalWriter::beginFrame(std::uint64_t frame) {
    frame_ = frame;
    entries_.clear();
    cursorSeen_ = false;
}

// The same merge as the input manager's: a datum goes before the first one already taken
// that came after it; data of the same moment stay behind those taken before.
void JournalWriter::addData(Device device, std::int32_t joystick, std::span<const InputDatum> data) {
    if (data.empty()) {
        return;
    }
    merged_.clear();
    auto taken = entries_.begin();
    auto next = data.begin();
    while (taken != entries_.end() && next != data.end()) {
        if (earlier(next->sequence, taken->datum.sequence)) {
            merged_.push_back(Entry{device, joystick, *next++});
        } else {
            merged_.push_back(*taken++);
        }
    }
    merged_.insert(merged_.end(), taken, entries_.end());
    for (; next != data.end(); ++next) {
        merged_.push_back(Entry{device, joystick, *next});
    }
    entries_.swap(merged_);
}

void JournalWriter::addCursor(std::int32_t x, std::int32_t y) {
    cursorSeen_ = true;
    cursorX_ = x;
    cursorY_ = y;
}

void JournalWriter::addPlug(const InputScript::Joystick& joystick) {
    plugging_.push_back(" joystick plug" + described(joystick));
}

void JournalWriter::addUnplug(std::int32_t joystick) {
    plugging_.push_back(" joystick " + std::to_string(joystick) + " unplug");
}

void JournalWriter::endFrame() {
    for (const std::string& line : plugging_) {
        out_ << frame_ << line << '\n';
    }
    plugging_.clear();
    // Data of one device with one sequence number are one report: one line.
    std::size_t first = 0;
    while (first < entries_.size()) {
        std::size_t last = first + 1;
        while (last < entries_.size() && entries_[last].device == entries_[first].device &&
               entries_[last].joystick == entries_[first].joystick &&
               entries_[last].datum.sequence == entries_[first].datum.sequence) {
            ++last;
        }
        writeEntries(first, last);
        first = last;
    }
    // After the motion: the cursor then stands where the game found it.
    if (cursorSeen_) {
        out_ << frame_ << " mouse cursor " << cursorX_ << ' ' << cursorY_ << '\n';
    }
    entries_.clear();
    cursorSeen_ = false;
}

void JournalWriter::writeEntries(std::size_t first, std::size_t last) {
    switch (entries_[first].device) {
        case Device::Keyboard:
            for (std::size_t index = first; index < last; ++index) {
                writeKey(entries_[index].datum);
            }
            break;
        case Device::Mouse:
            writeMouse(first, last);
            break;
        case Device::Joystick:
            writeJoystick(first, last);
            break;
    }
}

void JournalWriter::writeKey(const InputDatum& datum) {
    if (datum.offset == 0 || datum.offset > 0xFF) {
        return;  // no key has this code, and the game makes no event of it
    }
    const std::string_view name = keyNameOf(static_cast<std::uint8_t>(datum.offset));
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(datum.offset));
    out_ << frame_ << " key " << downOrUp(datum.value) << ' ';
    if (name.empty()) {
        out_ << code;
    } else {
        out_ << name;
    }
    out_ << '\n';
}

// X and Y of one report are one motion; the wheel makes no event and is left out.
void JournalWriter::writeMouse(std::size_t first, std::size_t last) {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    bool moved = false;
    for (std::size_t index = first; index < last; ++index) {
        const InputDatum& datum = entries_[index].datum;
        if (datum.offset == mouseOffset::x || datum.offset == mouseOffset::y) {
            (datum.offset == mouseOffset::x ? dx : dy) += static_cast<std::int32_t>(datum.value);
            moved = true;
        } else if (datum.offset >= mouseOffset::button0 && datum.offset < mouseOffset::button0 + kMouseButtons) {
            out_ << frame_ << " mouse " << downOrUp(datum.value) << ' '
                 << kMouseButtonNames[datum.offset - mouseOffset::button0] << '\n';
        }
    }
    if (moved) {
        out_ << frame_ << " mouse move " << dx << ' ' << dy << '\n';
    }
}

void JournalWriter::writeJoystick(std::size_t first, std::size_t last) {
    const std::int32_t joystick = entries_[first].joystick;
    auto& [x, y] = stick(joystick);
    bool moved = false;
    for (std::size_t index = first; index < last; ++index) {
        const InputDatum& datum = entries_[index].datum;
        if (datum.offset == joystickOffset::x || datum.offset == joystickOffset::y) {
            (datum.offset == joystickOffset::x ? x : y) = static_cast<std::int32_t>(datum.value);
            moved = true;
        } else if (datum.offset >= joystickOffset::button0 &&
                   datum.offset < joystickOffset::button0 + kJoystickButtons) {
            out_ << frame_ << " joystick " << joystick << ' ' << downOrUp(datum.value) << ' '
                 << (datum.offset - joystickOffset::button0) << '\n';
        }
    }
    if (moved) {
        out_ << frame_ << " joystick " << joystick << " at " << x << ' ' << y << '\n';
    }
}

std::pair<std::int32_t, std::int32_t>& JournalWriter::stick(std::int32_t joystick) {
    const auto index = static_cast<std::size_t>(joystick < 0 ? 0 : joystick);
    if (index >= sticks_.size()) {
        sticks_.resize(index + 1);
    }
    return sticks_[index];
}

void JournalWriter::writeCheck(std::uint64_t frame, std::uint64_t checksum) {
    out_ << frame << " check " << hexadecimal(checksum) << '\n';
    out_.flush();  // a run that ends badly keeps every check it reached
}

void JournalWriter::writeEnd(std::uint64_t frame) {
    if (frame > 0) {
        out_ << frame << " end\n";
    }
    out_.flush();
}

}  // namespace tidewell::platform
