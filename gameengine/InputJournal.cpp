#include "InputJournal.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>

#include "Engine.h"
#include "MainLoop.h"
#include "StateChecksum.h"

namespace tidewell::InputJournal {
namespace {

struct Recording {
    std::ofstream file;
    platform::JournalWriter writer{file};
    bool gathering = false;
    std::uint64_t lastFrame = 0;
};

std::unique_ptr<Recording> recording;
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
    if (recording && recording->gathering) {
        recording->writer.addData(device, joystick, data);
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
