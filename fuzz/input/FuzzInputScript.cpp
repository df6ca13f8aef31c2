// Reads arbitrary text as an input script or journal: it is refused with a line-numbered
// reason or it parses, and what parses plays on the headless devices frame by frame, with
// the joysticks opened anew whenever one is plugged in or pulled out, as the input manager
// does, never a crash.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/InputScript.h"
#include "platform/headless/HeadlessInput.h"
#include "platform/headless/HeadlessWindow.h"
#include "platform/headless/VirtualClock.h"

namespace {

using namespace tidewell::platform;

// Enough frames to reach every kind of line, few enough that a run stays quick.
constexpr std::size_t kMostFramesPlayed = 64;

void check(bool condition) {
    if (!condition) std::abort();
}

void drain(InputDevice& device) {
    InputDatum data[64];
    std::size_t count = 0;
    device.readBuffered(data, 64, count);
    check(count <= 64);
}

void openJoysticks(headless::HeadlessInput& input, std::vector<std::unique_ptr<JoystickDevice>>& joysticks) {
    joysticks.clear();
    std::vector<JoystickInstance> found;
    check(input.enumerateJoysticks(found));
    check(!input.joysticksChanged());
    for (const JoystickInstance& instance : found) {
        InputResult result = InputResult::Failed;
        auto joystick = input.createJoystick(instance, result);
        check(joystick != nullptr && succeeded(result));
        joystick->setAxisRange(JoystickAxis::X, -1000, 1000);
        joystick->setDeadZone(JoystickAxis::Y, 1000);
        joystick->setBufferSize(64);
        joystick->acquire();
        joysticks.push_back(std::move(joystick));
    }
}

void play(const InputScript& script) {
    headless::VirtualClock clock;
    headless::HeadlessWindow window(clock);
    headless::HeadlessInput input(window);
    input.play(script);
    InputResult result = InputResult::Failed;
    auto keyboard = input.createKeyboard(result);
    auto mouse = input.createMouse(result);
    keyboard->setBufferSize(16);
    keyboard->acquire();
    mouse->setBufferSize(16);
    mouse->acquire();
    std::vector<std::unique_ptr<JoystickDevice>> joysticks;
    openJoysticks(input, joysticks);

    std::vector<std::uint64_t> frames;
    for (const InputScript::Action& action : script.actions) {
        if (frames.empty() || frames.back() != action.frame) frames.push_back(action.frame);
    }
    frames.resize(std::min(frames.size(), kMostFramesPlayed));
    for (std::uint64_t frame : frames) {
        input.collect(frame);
        if (input.joysticksChanged()) openJoysticks(input, joysticks);
        drain(*keyboard);
        drain(*mouse);
        for (auto& joystick : joysticks) {
            drain(*joystick);
            JoystickState state;
            joystick->readState(state);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    InputScript script;
    std::string whyNot;
    if (!InputScript::parse(text, script, whyNot)) {
        check(whyNot.rfind("line ", 0) == 0);
        return 0;
    }
    check(std::is_sorted(script.actions.begin(), script.actions.end(),
                         [](const auto& first, const auto& second) { return first.frame < second.frame; }));
    play(script);
    return 0;
}
