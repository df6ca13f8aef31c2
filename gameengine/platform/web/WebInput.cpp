#include "WebInput.h"

#include "WebJoystick.h"
#include "WebKeyboard.h"
#include "WebMouse.h"
#include "WebWindow.h"

#include <emscripten/html5.h>

#include <algorithm>

namespace tidewell::platform::web {
namespace {

constexpr const char* kCanvas = "#canvas";

// Keys the game uses do not scroll the page or go to the browser: the answer tells.
EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void* input) {
    WebKeyboard* keyboard = static_cast<WebInput*>(input)->keyboard();
    return keyboard != nullptr && keyboard->accept(event->code, type == EMSCRIPTEN_EVENT_KEYDOWN, event->repeat != 0);
}

EM_BOOL onMouse(int type, const EmscriptenMouseEvent* event, void* userData) {
    auto& input = *static_cast<WebInput*>(userData);
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) input.window().notePointer(event->targetX, event->targetY);
    if (WebMouse* mouse = input.mouse()) mouse->accept(type, *event);
    return type != EMSCRIPTEN_EVENT_MOUSEMOVE;  // a click on the canvas selects no text
}

EM_BOOL onWheel(int, const EmscriptenWheelEvent* event, void* userData) {
    if (WebMouse* mouse = static_cast<WebInput*>(userData)->mouse()) mouse->acceptWheel(event->deltaY);
    return EM_TRUE;
}

EM_BOOL onGamepad(int type, const EmscriptenGamepadEvent* event, void* input) {
    static_cast<WebInput*>(input)->notePlugging(event->index, type == EMSCRIPTEN_EVENT_GAMEPADCONNECTED);
    return EM_FALSE;
}

}  // namespace

WebInput::WebInput(WebWindow& window) : window_(window) {
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, this, true, &onKey);
    emscripten_set_keyup_callback(page, this, true, &onKey);
    // Buttons released off the canvas still end the press.
    emscripten_set_mousemove_callback(kCanvas, this, false, &onMouse);
    emscripten_set_mousedown_callback(kCanvas, this, false, &onMouse);
    emscripten_set_mouseup_callback(page, this, false, &onMouse);
    emscripten_set_wheel_callback(kCanvas, this, false, &onWheel);
    emscripten_set_gamepadconnected_callback(this, false, &onGamepad);
    emscripten_set_gamepaddisconnected_callback(this, false, &onGamepad);
    // Keys released while the page has no focus send no event: none may stay held.
    window_.whenFocusLost([this] {
        if (keyboard_ != nullptr) keyboard_->releaseAll();
    });
}

WebInput::~WebInput() {
    window_.whenFocusLost(nullptr);
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, nullptr, true, nullptr);
    emscripten_set_keyup_callback(page, nullptr, true, nullptr);
    emscripten_set_mousemove_callback(kCanvas, nullptr, false, nullptr);
    emscripten_set_mousedown_callback(kCanvas, nullptr, false, nullptr);
    emscripten_set_mouseup_callback(page, nullptr, false, nullptr);
    emscripten_set_wheel_callback(kCanvas, nullptr, false, nullptr);
    emscripten_set_gamepadconnected_callback(nullptr, false, nullptr);
    emscripten_set_gamepaddisconnected_callback(nullptr, false, nullptr);
}

std::unique_ptr<KeyboardDevice> WebInput::createKeyboard(InputResult& result) {
    result = InputResult::Ok;
    return std::make_unique<WebKeyboard>(*this);
}

std::unique_ptr<MouseDevice> WebInput::createMouse(InputResult& result) {
    result = InputResult::Ok;
    return std::make_unique<WebMouse>(*this);
}

bool WebInput::enumerateJoysticks(std::vector<JoystickInstance>& found) {
    found.clear();
    joysticksChanged_ = false;
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return false;
    const int count = emscripten_get_num_gamepads();
    for (int index = 0; index < count; ++index) {
        EmscriptenGamepadEvent pad{};
        if (emscripten_get_gamepad_status(index, &pad) == EMSCRIPTEN_RESULT_SUCCESS && pad.connected) {
            found.push_back(JoystickInstance{index, pad.id});
        }
    }
    return true;
}

std::unique_ptr<JoystickDevice> WebInput::createJoystick(const JoystickInstance& instance, InputResult& result) {
    result = InputResult::Failed;
    EmscriptenGamepadEvent pad{};
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS ||
        emscripten_get_gamepad_status(instance.id, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected) {
        return nullptr;
    }
    result = InputResult::Ok;
    return std::make_unique<WebJoystick>(*this, instance.id, pad.id);
}

void WebInput::collect(std::uint64_t /*frame*/) {
    // Keys and the mouse arrived through their handlers; gamepads must be asked.
    if (joysticks_.empty() || emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
    for (WebJoystick* joystick : joysticks_) joystick->sample();
}

void WebInput::injectKey(std::uint8_t code, bool down) {
    if (keyboard_ != nullptr) keyboard_->inject(code, down);
}

void WebInput::notePlugging(int index, bool connected) {
    const auto open = std::find_if(joysticks_.begin(), joysticks_.end(),
                                   [index](const WebJoystick* joystick) { return joystick->index() == index; });
    if (open == joysticks_.end()) {
        joysticksChanged_ = joysticksChanged_ || connected;
        return;
    }
    if (!connected) {
        (*open)->markDetached();
        joysticksChanged_ = true;
    }
}

void WebInput::disconnect(WebKeyboard* keyboard) {
    if (keyboard_ == keyboard) keyboard_ = nullptr;
}

void WebInput::disconnect(WebMouse* mouse) {
    if (mouse_ == mouse) mouse_ = nullptr;
}

void WebInput::disconnect(WebJoystick* joystick) {
    joysticks_.erase(std::remove(joysticks_.begin(), joysticks_.end(), joystick), joysticks_.end());
}

}  // namespace tidewell::platform::web
