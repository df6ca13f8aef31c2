#include "JournalSession.h"
#include "ControlBindings.h"

#include "input/InputJournal.h"
#include "input/InputManager.h"
#include "core/SettingManager.h"
#include "core/StateChecksum.h"
#include "core/WindowManager.h"
#include "platform/InputScript.h"
#include "platform/Platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string_view>

namespace brinefall {
namespace {

using namespace tidewell;

constexpr int kOutOfStep = 3;

// The stored settings that change how the game plays or what it shows, with the defaults
// the game creates them with. The window mode is written apart: it is this run's mode.
struct JournalSetting {
    const char* name;
    bool defaultValue;
};
constexpr JournalSetting kJournalSettings[] = {
    {"useJoystick", true},
    {"enableVibration", true},
    {"soundOn", true},
    {"musicOn", true},
};
constexpr const char* kFullScreen = "fullScreen";
// The stored values of several bytes that change how the game plays: the player's controls.
struct ByteSetting {
    const char* name;
    std::size_t size;
};
constexpr ByteSetting kByteSettings[] = {
    {"controlKeys", ControlBindings::kActionCount * 2},
    {"padButtons", ControlBindings::kPadActionCount},
};

bool isJournal(const platform::InputScript& script) {
    return script.seed.has_value() || !script.checks.empty() || !script.settings.empty();
}

platform::JournalWriter::Header recordingHeader(std::uint32_t seed) {
    platform::JournalWriter::Header header;
    header.seed = seed;
    for (const JournalSetting& setting : kJournalSettings) {
        bool value = setting.defaultValue;
        SettingManager::readSetting(setting.name, &value);
        header.settings.push_back({setting.name, value, {}});
    }
    // The keys in force decide what the recorded keys did: stored as they are, sound or not.
    ControlBindings::load();
    for (const ByteSetting& setting : kByteSettings) {
        std::vector<std::uint8_t> bytes(setting.size);
        SettingManager::readSetting(setting.name, &bytes);
        header.settings.push_back({setting.name, false, bytes});
    }
    header.settings.push_back({kFullScreen, WindowManager::isFullScreen(), {}});
    for (std::uint32_t index = 0; index < InputManager::joystickCount; ++index) {
        const bool forceFeedback =
            index < InputManager::joystickForceFeedback.size() && InputManager::joystickForceFeedback[index] != 0;
        header.joysticks.push_back({InputManager::joystickName(index), forceFeedback});
    }
    return header;
}

// The journal's settings are this run's: stored before the game reads them. Only the
// headless backend plays journals, and its settings live in a folder of their own.
void storeSettings(const platform::InputScript& journal) {
    for (const platform::InputScript::Setting& setting : journal.settings) {
        if (!setting.bytes.empty()) {
            SettingManager::writeSetting(setting.name.c_str(), setting.bytes);
        } else if (setting.name != kFullScreen) {
            SettingManager::writeSetting(setting.name.c_str(), setting.value);
        }
    }
}

// The game changes into its data folder before it runs: the journals' paths are kept absolute.
bool absolutePath(std::string& path, std::string& whyNot) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        whyNot = "cannot find the folder of " + path + ": " + error.message();
        return false;
    }
    path = absolute.string();
    return true;
}

bool canWrite(const std::string& path, std::string& whyNot) {
    errno = 0;
    std::FILE* probe = std::fopen(path.c_str(), "ab");
    if (!probe) {
        whyNot = "cannot write the journal " + path + ": " + std::strerror(errno);
        return false;
    }
    std::fclose(probe);
    return true;
}

}  // namespace

bool JournalSession::prepare(LaunchOptions& options, std::string& whyNot) {
    if (!options.recordFile.empty() &&
        (!canWrite(options.recordFile, whyNot) || !absolutePath(options.recordFile, whyNot))) {
        return false;
    }
    if (!options.inputScript.empty()) {
        if (!absolutePath(options.inputScript, whyNot)) {
            return false;
        }
        platform::InputScript journal;
        if (!platform::InputScript::load(options.inputScript, journal, whyNot)) {
            return false;
        }
        if (isJournal(journal)) {
            if (journal.seed && options.seed && *journal.seed != *options.seed) {
                whyNot = "the journal " + options.inputScript + " was recorded with seed " +
                         std::to_string(*journal.seed) + ", not " + std::to_string(*options.seed);
                return false;
            }
            if (journal.seed) options.seed = journal.seed;
            if (!options.frames && journal.lastFrame) options.frames = journal.lastFrame;
            for (const platform::InputScript::Setting& setting : journal.settings) {
                if (setting.name == kFullScreen) options.fullScreen = setting.value;
            }
        }
    }
    // A recording must be able to say which seed it ran with.
    if (!options.recordFile.empty() && !options.seed) {
        options.seed = static_cast<std::uint32_t>(std::time(nullptr));
    }
    return true;
}

JournalSession::JournalSession(const LaunchOptions& options) : inputFile_(options.inputScript) {
    // Only the headless backend plays scripts; elsewhere the real devices play and nothing is checked.
    const bool played = std::string_view(platform::current().name()) == "headless";
    if (!inputFile_.empty() && played) {
        platform::InputScript journal;
        std::string whyNot;
        if (platform::InputScript::load(inputFile_, journal, whyNot) && isJournal(journal)) {
            storeSettings(journal);
            verifying_ = !journal.checks.empty();
            InputJournal::startVerifying(std::move(journal.checks));
        }
    }
    if (!options.recordFile.empty()) {
        std::string whyNot;
        if (!InputJournal::startRecording(options.recordFile, recordingHeader(options.seed.value_or(0)), whyNot)) {
            std::fprintf(stderr, "brinefall: %s\n", whyNot.c_str());
        }
    }
}

JournalSession::~JournalSession() { InputJournal::stop(); }

int JournalSession::finish(int status) {
    InputJournal::stop();
    if (!verifying_ || !InputJournal::wentOutOfStep()) {
        return status;
    }
    const InputJournal::Mismatch mismatch = InputJournal::firstMismatch();
    std::fprintf(stderr, "brinefall: the journal %s is out of step at frame %llu: expected checksum %s, found %s\n",
                 inputFile_.c_str(), static_cast<unsigned long long>(mismatch.frame),
                 StateChecksum::toText(mismatch.expected).c_str(), StateChecksum::toText(mismatch.found).c_str());
    return kOutOfStep;
}

}  // namespace brinefall
