#pragma once

// The engine started on a headless platform, with a root sprite that writes down every
// input event it is given, and a way to run frames and drive the simulated devices.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/Engine.h"
#include "input/InputManager.h"
#include "core/MainLoop.h"
#include "display/Sprite.h"
#include "core/WindowManager.h"
#include "platform/InputScript.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

// Takes every kind of input and notes each event as a line of text.
class InputRecorder : public tidewell::Sprite {
public:
    explicit InputRecorder(std::vector<std::string>& log) : log_(log) {
        keyboardEnabled = true;
        mouseEnabled = true;
        joystickEnabled = true;
    }

    void onKeyDown(int key, bool) override { note("key down ", key); }
    void onKeyUp(int key, bool) override { note("key up ", key); }
    void onMouseMove(int x, int y, bool) override { note("mouse move ", x, " ", y); }
    void onMouseDown(int x, int y, int button, bool) override { note("mouse down ", button, " at ", x, " ", y); }
    void onMouseUp(int x, int y, int button, bool) override { note("mouse up ", button, " at ", x, " ", y); }
    void onJoystickMove(float x, float y, int joystick, bool) override {
        note("joystick ", joystick, " move ", x, " ", y);
    }
    void onJoystickDown(int button, int joystick, bool) override { note("joystick ", joystick, " down ", button); }
    void onJoystickUp(int button, int joystick, bool) override { note("joystick ", joystick, " up ", button); }

private:
    template <typename... Parts>
    void note(const Parts&... parts) {
        std::ostringstream line;
        (line << ... << parts);
        log_.push_back(line.str());
    }

    std::vector<std::string>& log_;
};

// The script the text holds; a text that is not one fails the test.
inline tidewell::platform::InputScript parsedScript(const std::string& text) {
    std::istringstream stream(text);
    tidewell::platform::InputScript script;
    std::string whyNot;
    EXPECT_TRUE(tidewell::platform::InputScript::parse(stream, script, whyNot)) << whyNot << "\n" << text;
    return script;
}

// Why the text is not a script; a text that is one fails the test.
inline std::string scriptProblem(const std::string& text) {
    std::istringstream stream(text);
    tidewell::platform::InputScript script;
    std::string whyNot;
    EXPECT_FALSE(tidewell::platform::InputScript::parse(stream, script, whyNot)) << text;
    return whyNot;
}

class InputFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-input-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        settingsRoot = pattern;
        auto made = std::make_unique<tidewell::platform::headless::HeadlessPlatform>(
            tidewell::platform::PlatformOptions{settingsRoot});
        machine = made.get();
        tidewell::platform::install(std::move(made));
        tidewell::MainLoop::reset();
        tidewell::InputManager::quitOnKey = false;
    }

    void TearDown() override {
        tidewell::stopEngine();
        tidewell::WindowManager::setFullScreen(false);
        tidewell::InputManager::quitOnKey = true;
        tidewell::InputManager::resetPolledState();
        tidewell::MainLoop::setFrameLimit(std::nullopt);
        tidewell::platform::install(nullptr);
        std::filesystem::remove_all(settingsRoot);
    }

    // Starts the engine (full screen or windowed) with the recording root.
    void startEngine(bool fullScreen = false) {
        tidewell::WindowManager::setFullScreen(fullScreen);
        tidewell::startEngine();
        tidewell::setRootSprite(new InputRecorder(log));
    }

    // One frame's input steps, as the main loop runs them.
    void frame() {
        tidewell::InputManager::gatherEvents();
        tidewell::InputManager::dispatchEvents();
    }

    // What the root was given since the last call.
    std::vector<std::string> delivered() {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }

    tidewell::platform::headless::HeadlessInput& input() { return machine->input(); }

    std::filesystem::path settingsRoot;
    tidewell::platform::headless::HeadlessPlatform* machine = nullptr;
    std::vector<std::string> log;
};
