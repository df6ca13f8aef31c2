#include "input/InputJournal.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>

#include "core/Engine.h"
#include "core/MainLoop.h"
#include "core/StateChecksum.h"

namespace tidewell::InputJournal {
namespace {

struct Recording {
    std::ofstream file;
    platform::JournalWriter writer{file};
    bool gathering = false;
    std::uint64_t lastFrame = 0;
    // The journal's number of every joystick seen plugged in, by its backend identity.
    std::map<std::int32_t, std::int32_t> numbers;
    std::int32_t nextNumber = 0;
    std::vector<std::int32_t> numberOfIndex;  // the journal's number of each open joystick
};

std::unique_ptr<Recording> recording;
// The joysticks open now, by the game's index, kept whether or not a journal is written.
std::vector<platform::JoystickInstance> openJoysticks;
std::vector<std::uint8_t> openForceFeedback;

// The header lists the joysticks open when the recording starts: numbers 0, 1 ...
void numberOpenJoysticks(Recording& journal) {
    for (const platform::JoystickInstance& joystick : openJoysticks) {
        journal.numbers[joystick.id] = journal.nextNumber;
        journal.numberOfIndex.push_back(journal.nextNumber++);
    }
}

bool isOpen(std::int32_t id) {
    return std::any_of(openJoysticks.begin(), openJoysticks.end(),
                       [id](const platform::JoystickInstance& joystick) { return joystick.id == id; });
}

void writePlugging(Recording& journal) {
    for (auto listed = journal.numbers.begin(); listed != journal.numbers.end();) {
        if (isOpen(listed->first)) {
            ++listed;
        } else {
            journal.writer.addUnplug(listed->second);
            listed = journal.numbers.erase(listed);
        }
    }
    journal.numberOfIndex.clear();
    for (std::size_t index = 0; index < openJoysticks.size(); ++index) {
        const platform::JoystickInstance& joystick = openJoysticks[index];
        auto listed = journal.numbers.find(joystick.id);
        if (listed == journal.numbers.end()) {
            const bool forceFeedback = index < openForceFeedback.size() && openForceFeedback[index] != 0;
            journal.writer.addPlug({joystick.name, forceFeedback});
            listed = journal.numbers.emplace(joystick.id, journal.nextNumber++).first;
        }
        journal.numberOfIndex.push_back(listed->second);
    }
}

std::vector<platform::InputScript::Check> checks;
std::size_t nextCheck = 0;
bool outOfStep = false;
Mismatch mismatch;

void verify(std::uint64_t frame) {
    while (nextCheck < checks.size() && checks[nextCheck].frame < frame) {
        ++nextCheck;  // a check for a frame that never ran (an inactive program) is passed over
    }
    if (outOfStep || nextCheck >= checks.size() || checks[nextCheck].frame != frame) {
        return;
    }
    const std::uint64_t found = StateChecksum::ofGame(getRootSprite());
    if (found != checks[nextCheck].checksum) {
        outOfStep = true;
        mismatch = Mismatch{frame, checks[nextCheck].checksum, found};
        MainLoop::requestQuit();
    }
    ++nextCheck;
}

}  // namespace

bool startRecording(const std::filesystem::path& path, const platform::JournalWriter::Header& header,
                    std::string& whyNot) {
    auto started = std::make_unique<Recording>();
    errno = 0;
    started->file.open(path, std::ios::out | std::ios::trunc);
    if (!started->file) {
        whyNot = "cannot write the journal " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    started->writer.writeHeader(header);
    numberOpenJoysticks(*started);
    recording = std::move(started);
    return true;
}

bool isRecording() { return recording != nullptr; }

void startVerifying(std::vector<platform::InputScript::Check> list) {
    checks = std::move(list);
    nextCheck = 0;
    outOfStep = false;
    mismatch = Mismatch{};
}

void stop() {
    if (recording) {
        recording->writer.writeEnd(recording->lastFrame);
        recording.reset();
    }
    checks.clear();
    nextCheck = 0;
}

void beginGathering(std::uint64_t frame) {
    if (recording) {
        recording->gathering = true;
        recording->writer.beginFrame(frame);
    }
}

void noteData(platform::JournalWriter::Device device, std::int32_t joystick,
              std::span<const platform::InputDatum> data) {
    if (!recording || !recording->gathering) {
        return;
    }
    if (device == platform::JournalWriter::Device::Joystick) {
        const auto index = static_cast<std::size_t>(joystick);
        if (joystick < 0 || index >= recording->numberOfIndex.size()) {
            return;
        }
        joystick = recording->numberOfIndex[index];
    }
    recording->writer.addData(device, joystick, data);
}

void noteJoysticks(std::span<const platform::JoystickInstance> opened, std::span<const std::uint8_t> forceFeedback) {
    openJoysticks.assign(opened.begin(), opened.end());
    openForceFeedback.assign(forceFeedback.begin(), forceFeedback.end());
    if (recording) {
        writePlugging(*recording);
    }
}

void noteCursor(std::int32_t x, std::int32_t y) {
    if (recording && recording->gathering) {
        recording->writer.addCursor(x, y);
    }
}

void endGathering() {
    if (recording && recording->gathering) {
        recording->writer.endFrame();
        recording->gathering = false;
    }
}

void frameUpdated(std::uint64_t frame) {
    if (recording) {
        recording->lastFrame = frame;
        if (frame % kCheckEvery == 0) {
            recording->writer.writeCheck(frame, StateChecksum::ofGame(getRootSprite()));
        }
    }
    if (!checks.empty()) {
        verify(frame);
    }
}

bool wentOutOfStep() { return outOfStep; }

Mismatch firstMismatch() { return mismatch; }

}  // namespace tidewell::InputJournal
