#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "platform/InputDevices.h"
#include "platform/InputScript.h"
#include "platform/JournalWriter.h"

// The journal of a run: recording writes what the input devices gave the game each frame,
// and every kCheckEvery frames the checksum of the game's state, as an input script that
// the headless backend plays back; verifying compares a played-back journal's checksums
// with the game's, frame by frame. Both take the checksum at the same point of a frame:
// after the update and the sweep of removed sprites, before drawing.
namespace tidewell::InputJournal {

inline constexpr std::uint64_t kCheckEvery = 100;

// A check that failed: where, what the journal says and what the game has.
struct Mismatch {
    std::uint64_t frame = 0;
    std::uint64_t expected = 0;
    std::uint64_t found = 0;
};

// Creates (or empties) the file and writes the header; false with the reason when it cannot.
bool startRecording(const std::filesystem::path& path, const platform::JournalWriter::Header& header,
                    std::string& whyNot);
bool isRecording();
// From now on every check of the list is compared with the game at its frame.
void startVerifying(std::vector<platform::InputScript::Check> checks);
// Writes the last frame run and closes the file; forgets the checks. Safe to call twice.
void stop();

// For the input manager, around its reading of the devices at the start of a frame.
void beginGathering(std::uint64_t frame);
void noteData(platform::JournalWriter::Device device, std::int32_t joystick,
              std::span<const platform::InputDatum> data);
void noteCursor(std::int32_t x, std::int32_t y);
// The joysticks the game has open now, by its index, whenever it opens them: a recording
// writes those plugged in or pulled out since, and numbers the data of each joystick by
// the order it was first seen in, which is how the headless backend numbers them.
void noteJoysticks(std::span<const platform::JoystickInstance> opened, std::span<const std::uint8_t> forceFeedback);
void endGathering();

// For the main loop: the frame's update is done. A check that fails asks the loop to quit.
void frameUpdated(std::uint64_t frame);

// The first failed check of the journal being verified, if one failed.
bool wentOutOfStep();
Mismatch firstMismatch();

}  // namespace tidewell::InputJournal
