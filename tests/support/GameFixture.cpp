#include "GameFixture.h"

#include <cxxabi.h>
#include <strings.h>

#include <cstdlib>
#include <exception>
#include <typeinfo>

#include "sound/AudioEvents.h"
#include "core/Engine.h"
#include "core/Error.h"
#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"
#include "graphics/GraphicManager.h"
#include "input/InputManager.h"
#include "core/MainLoop.h"
#include "core/SettingManager.h"
#include "sound/SoundMusicManager.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"
#include "platform/PngFile.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinefall::testing {
namespace {

using tidewell::platform::headless::HeadlessPlatform;

const std::filesystem::path kDataDir = BRINEFALL_DATA_DIR;
constexpr const char* kSettingsKey = "Software\\Tidewell\\Brinefall";

// Every option a test, an earlier test or the game may have changed, back to what the
// game itself runs with (Entry's configuration on the software renderer, windowed).
void resetProcessOptions() {
    using namespace tidewell;
    SoundMusicManager::soundAvailable = true;
    SoundMusicManager::musicAvailable = true;
    SoundMusicManager::soundVolume = 1.0f;
    SoundMusicManager::musicVolume = 1.0f;
    InputManager::mouseBufferSize = 16;
    InputManager::keyboardBufferSize = 16;
    InputManager::joystickBufferSize = 64;
    InputManager::quitOnKey = false;  // Escape is the game's own key
    InputManager::quitKey = 1;
    InputManager::pointerVisible = true;
    InputManager::resetPolledState();
    InputManager::setVibrationGain(1.0f);
    GraphicManager::allowHardware3D = false;
    GraphicManager::requireHardware3D = false;
    GraphicManager::preferredDepth = 16;
    GraphicManager::backBufferCount = 1;
    GraphicManager::clearBackground = true;  // as the game runs: no trail of the last frame
    GraphicManager::clearColour = 0xFF000000;
    WindowManager::setTitle("Brinefall");
    WindowManager::setFullScreen(false);
    SettingManager::setSettingsKey(kSettingsKey);
    setRandomSeed(std::nullopt);
    MainLoop::reset();
    MainLoop::setFrameLimit(std::nullopt);
    MainLoop::setSmoothMotion(true);  // as the game starts by default; a headless window shows one picture a tick
}

std::string demangled(const char* name) {
    int status = 0;
    char* readable = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    std::string result = status == 0 && readable ? readable : name;
    std::free(readable);
    return result;
}

// What the error's dialog would have said, as a failure message.
std::string describeCurrentException() {
    try {
        throw;
    } catch (const tidewell::ErrorGeneric& error) {
        return "ErrorGeneric: " + error.detail();
    } catch (const tidewell::ErrorFile& error) {
        return "ErrorFile: " + error.detail();
    } catch (const tidewell::Error& error) {
        return demangled(typeid(error).name());
    } catch (const std::exception& error) {
        return demangled(typeid(error).name()) + ": " + error.what();
    } catch (...) {
        return "an exception of an unknown type";
    }
}

// Runs part of the engine; an exception becomes a failure of the test with its description.
template <typename Work>
bool guarded(const char* what, Work work) {
    try {
        work();
        return true;
    } catch (...) {
        ADD_FAILURE() << what << " threw " << describeCurrentException();
        return false;
    }
}

}  // namespace

GameFixture::GameFixture() = default;

GameFixture::~GameFixture() { cleanUp(); }

HeadlessPlatform& GameFixture::machine() {
    if (machine_ == nullptr) {
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-fixture-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a settings folder");
        settingsRoot_ = pattern;
        auto made = std::make_unique<HeadlessPlatform>(tidewell::platform::PlatformOptions{settingsRoot_});
        machine_ = made.get();
        tidewell::platform::install(std::move(made));
    }
    return *machine_;
}

const HeadlessPlatform& GameFixture::machine() const {
    if (machine_ == nullptr) throw std::logic_error("the machine is made by attachJoystick() or startEngine()");
    return *machine_;
}

void GameFixture::attachJoystick(bool forceFeedback) {
    machine().input().attachJoystick("Joystick " + std::to_string(joysticksAttached_++), forceFeedback);
}

void GameFixture::startEngine(std::uint32_t seed) {
    ASSERT_FALSE(engineStarted_) << "startEngine() twice";
    enterDataFolder();
    if (::testing::Test::HasFatalFailure()) return;
    machine();
    resetProcessOptions();
    tidewell::setRandomSeed(seed);
    tidewell::AudioEvents::setListener([this](tidewell::AudioEvents::Kind kind, const char* file, float volume) {
        recordAudio(static_cast<int>(kind), file, volume);
    });
    engineStarted_ = true;  // so that TearDown also stops what started before a failure
    if (!guarded("startEngine()", [] { tidewell::startEngine(); })) stepFailed_ = true;
}

void GameFixture::enterDataFolder() {
    ASSERT_TRUE(std::filesystem::exists(kDataDir / "pufflo.twi") && std::filesystem::exists(kDataDir / "arial20_1.twf"))
        << "the baked assets are not in " << kDataDir << " (build the assets target)";
    if (previousDirectory_.empty()) previousDirectory_ = std::filesystem::current_path();
    std::filesystem::current_path(kDataDir);
}

void GameFixture::setRoot(tidewell::Sprite* root) {
    if (!engineStarted_) {
        delete root;
        ADD_FAILURE() << "setRoot() before startEngine()";
        return;
    }
    guarded("setRoot()", [root] { tidewell::setRootSprite(root); });
}

void GameFixture::step(int frames) {
    if (!engineStarted_) {
        ADD_FAILURE() << "step() before startEngine()";
        return;
    }
    for (int i = 0; i < frames && !stepFailed_ && !tidewell::MainLoop::isQuitRequested(); ++i) {
        machine_->system().advanceClock(frameMilliseconds);
        stepping_ = true;
        const bool ran = guarded("a frame", [] {
            while (tidewell::WindowManager::handleNextEvent()) {
            }
            if (tidewell::MainLoop::isActive() && !tidewell::MainLoop::isQuitRequested())
                tidewell::MainLoop::runFrame();
        });
        stepping_ = false;
        if (!ran) stepFailed_ = true;
    }
}

std::uint64_t GameFixture::framesRun() const { return tidewell::MainLoop::framesRun(); }

void GameFixture::keyDown(int scanCode) { machine().input().pressKey(static_cast<std::uint8_t>(scanCode)); }
void GameFixture::keyUp(int scanCode) { machine().input().releaseKey(static_cast<std::uint8_t>(scanCode)); }
void GameFixture::keyPress(int scanCode) {
    keyDown(scanCode);
    keyUp(scanCode);
}

void GameFixture::mouseTo(int x, int y) { machine().input().moveMouseTo(x, y); }
void GameFixture::mouseMove(int dx, int dy) { machine().input().moveMouse(dx, dy); }
void GameFixture::mouseDown(int button) { machine().input().pressMouseButton(button); }
void GameFixture::mouseUp(int button) { machine().input().releaseMouseButton(button); }
void GameFixture::mouseClick(int button) {
    mouseDown(button);
    mouseUp(button);
}

void GameFixture::joystickMove(int joystick, int x, int y) {
    machine().input().moveJoystick(static_cast<std::size_t>(joystick), x, y);
}
void GameFixture::joystickDown(int joystick, int button) {
    machine().input().pressJoystickButton(static_cast<std::size_t>(joystick), button);
}
void GameFixture::joystickUp(int joystick, int button) {
    machine().input().releaseJoystickButton(static_cast<std::size_t>(joystick), button);
}
void GameFixture::joystickPress(int joystick, int button) {
    joystickDown(joystick, button);
    joystickUp(joystick, button);
}
void GameFixture::detachJoystick(int joystick) { machine().input().detachJoystick(static_cast<std::size_t>(joystick)); }

std::vector<std::uint32_t> GameFixture::lastFrame() const {
    if (machine_ == nullptr) return {};
    std::vector<std::uint32_t> frame = machine_->window().lastFrame();
    for (std::uint32_t& pixel : frame) pixel |= 0xFF000000u;
    return frame;
}

void GameFixture::saveFrame(const std::string& pngPath) const {
    ASSERT_NE(machine_, nullptr) << "no frame yet";
    const auto& window = machine_->window();
    ASSERT_FALSE(window.lastFrame().empty()) << "no frame yet";
    std::string whyNot;
    EXPECT_TRUE(tidewell::platform::writePng(pngPath, window.lastFrame().data(), window.lastFrameWidth(),
                                             window.lastFrameHeight(), whyNot))
        << whyNot;
}

const std::vector<GameFixture::AudioEvent>& GameFixture::audioEvents() const { return audioEvents_; }

bool GameFixture::played(const std::string& file) const {
    for (const AudioEvent& event : audioEvents_) {
        if ((event.kind == AudioEvent::SoundPlay || event.kind == AudioEvent::MusicPlay) &&
            ::strcasecmp(event.file.c_str(), file.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

void GameFixture::clearAudioEvents() { audioEvents_.clear(); }

void GameFixture::recordAudio(int kind, const char* file, float volume) {
    const std::uint64_t frame = tidewell::MainLoop::framesRun() + (stepping_ ? 1 : 0);
    audioEvents_.push_back(AudioEvent{static_cast<AudioEvent::Kind>(kind), file, volume, frame});
}

std::vector<std::string> GameFixture::dialogs() const {
    std::vector<std::string> texts;
    if (machine_ == nullptr) return texts;
    for (const auto& shown : machine_->dialogs().shown()) texts.push_back(shown.text);
    return texts;
}

std::vector<tidewell::Sprite*> GameFixture::childrenOf(const tidewell::Sprite* sprite) {
    std::vector<tidewell::Sprite*> children;
    if (sprite == nullptr) return children;
    for (tidewell::Sprite* child = sprite->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
        children.push_back(child);
    }
    return children;
}

void GameFixture::TearDown() { cleanUp(); }

void GameFixture::cleanUp() {
    if (engineStarted_) tidewell::stopEngine();  // never throws
    engineStarted_ = false;
    tidewell::AudioEvents::setListener({});
    resetProcessOptions();
    if (!previousDirectory_.empty()) {
        std::error_code ignored;
        std::filesystem::current_path(previousDirectory_, ignored);
        previousDirectory_.clear();
    }
    if (machine_ != nullptr) {
        tidewell::platform::install(nullptr);
        machine_ = nullptr;
    }
    if (!settingsRoot_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(settingsRoot_, ignored);
        settingsRoot_.clear();
    }
}

}  // namespace brinefall::testing
