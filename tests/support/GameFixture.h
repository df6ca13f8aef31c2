#pragma once

// The one fixture of every scene and actor test. A test derives from GameFixture, may
// attach joysticks, calls startEngine() (the headless backend, the baked data folder as
// the current directory, a fixed seed, every process-wide engine option back to what the
// game sets, settings in a fresh temporary folder), installs a root with setRoot() and
// runs frames with step(): each is the engine's own MainLoop::runFrame() after 50 ms of
// virtual time. Input given between steps reaches the game when the next frame gathers
// it. Afterwards the test reads the last frame, the audio events (every play, stop and
// volume request of a Sound or Music, by file), the dialogs and the tree. An engine
// exception in a step is a test failure naming the error, and later steps do nothing;
// TearDown() stops the engine and removes the platform whatever happened.
//
//     TEST_F(MyTest, ShipFires) { startEngine(); setRoot(scene = new GameScene(false, false, false));
//                                 keyPress(0x39); step(2); EXPECT_TRUE(played("weapon.tws")); }

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "display/Sprite.h"

namespace tidewell::platform::headless {
class HeadlessPlatform;
}

namespace brinefall::testing {

class GameFixture : public ::testing::Test {
protected:
    GameFixture();
    ~GameFixture() override;

    // Joysticks to attach (0, 1, ... in call order): before startEngine() they are there from
    // the start; after it they are plugged in, and the game sees them from the next frame.
    void attachJoystick(bool forceFeedback = false);
    // Starts the engine on the headless backend from the baked data folder with a fixed seed,
    // every process-wide option reset first. Settings live in a fresh temporary folder.
    // A data folder without the baked assets fails the test.
    void startEngine(std::uint32_t seed = 1);
    // Installs the root sprite (the engine owns it) - a scene, or a plain Sprite holding actors.
    void setRoot(tidewell::Sprite* root);
    // Runs frames through the engine's real main loop step (music, input, update, sweep, draw).
    // An engine exception becomes a test failure with its message, never a dialog. Once the
    // game has asked to quit, no further frame runs (as in the game).
    void step(int frames = 1);
    std::uint64_t framesRun() const;
    // Input, taking effect when the next stepped frame reads its input (DirectInput scan codes).
    // A press is a down and an up that the same next frame reads.
    void keyDown(int scanCode);
    void keyUp(int scanCode);
    void keyPress(int scanCode);
    void mouseTo(int x, int y);
    void mouseMove(int dx, int dy);
    void mouseDown(int button);  // 0 left, 1 right, 2 middle
    void mouseUp(int button);
    void mouseClick(int button);
    void joystickMove(int joystick, int x, int y);  // -1000..1000
    void joystickDown(int joystick, int button);
    void joystickUp(int joystick, int button);
    void joystickPress(int joystick, int button);
    // Unplugs the joystick: its device can no longer be read, as a pulled cable.
    void detachJoystick(int joystick);

    // Read back.
    std::vector<std::uint32_t> lastFrame() const;      // 800 x 600, 0xAARRGGBB, row by row; empty before a frame
    void saveFrame(const std::string& pngPath) const;  // to look at it
    // The colour `over` laid with `alpha` on `under` (0xRRGGBB), worked out apart from the renderer,
    // and the largest difference of two colours in one channel, to hold a drawn pixel against it.
    static std::uint32_t blendOver(std::uint32_t under, std::uint32_t over, int alpha) {
        std::uint32_t result = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const int below = static_cast<int>((under >> shift) & 0xFF);
            const int above = static_cast<int>((over >> shift) & 0xFF);
            result |= static_cast<std::uint32_t>((above * alpha + below * (255 - alpha) + 127) / 255) << shift;
        }
        return result;
    }
    static int channelDistance(std::uint32_t a, std::uint32_t b) {
        int most = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
            most = difference > most ? difference : (-difference > most ? -difference : most);
        }
        return most;
    }
    struct AudioEvent {
        enum Kind { SoundPlay, SoundStop, MusicPlay, MusicStop, MusicVolume } kind;
        std::string file;     // as the game named it, e.g. "hit.tws"
        float volume;         // the effective volume factor at that moment
        std::uint64_t frame;  // the frame it happened in (1 = the first), or the last one run when between steps
    };
    const std::vector<AudioEvent>& audioEvents() const;
    bool played(const std::string& file) const;  // a sound or music of that file started (case ignored)
    void clearAudioEvents();
    std::vector<std::string> dialogs() const;  // texts of dialogs shown
    // The children first to last, including those removed this frame (see isRemoved()).
    static std::vector<tidewell::Sprite*> childrenOf(const tidewell::Sprite* sprite);
    template <typename T>
    static std::vector<T*> childrenOfType(const tidewell::Sprite* sprite) {
        std::vector<T*> found;
        for (tidewell::Sprite* child : childrenOf(sprite)) {
            if (T* typed = dynamic_cast<T*>(child)) found.push_back(typed);
        }
        return found;
    }
    void TearDown() override;  // stops the engine, also after a failure

    // The simulated machine, for what the calls above do not cover (window events, audio
    // device loss, the mixed samples). Made on first use.
    tidewell::platform::headless::HeadlessPlatform& machine();
    const tidewell::platform::headless::HeadlessPlatform& machine() const;
    // The fresh folder the settings file goes to (made with the machine).
    const std::filesystem::path& settingsFolder() const { return settingsRoot_; }
    // Makes the baked data folder the current directory until TearDown, as the game does
    // at start; a folder without the baked assets fails the test. startEngine() calls it.
    void enterDataFolder();
    bool isEngineRunning() const { return engineStarted_; }
    // Whether a step ended in an engine exception.
    bool stepFailed() const { return stepFailed_; }
    // Milliseconds of virtual time per stepped frame.
    static constexpr std::uint32_t frameMilliseconds = 50;

private:
    void cleanUp();
    void recordAudio(int kind, const char* file, float volume);

    std::filesystem::path settingsRoot_;
    std::filesystem::path previousDirectory_;
    tidewell::platform::headless::HeadlessPlatform* machine_ = nullptr;
    bool engineStarted_ = false;
    bool stepping_ = false;
    bool stepFailed_ = false;
    int joysticksAttached_ = 0;
    std::vector<AudioEvent> audioEvents_;
};

}  // namespace brinefall::testing
