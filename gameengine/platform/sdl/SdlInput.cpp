#include "SdlInput.h"

#include <algorithm>

#include "SdlEventPump.h"
#include "SdlJoystick.h"
#include "SdlKeyboard.h"
#include "SdlMouse.h"

namespace tidewell::platform::sdl {

SdlInput::SdlInput(SdlEventPump& pump) : pump_(pump) {
    // The mouse scales its own motion, whichever renderer draws; SDL's 2D renderer must not do it too.
    SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_SCALING, "0");
    pump_.addSink([this](const SDL_Event& event) { accept(event); });
}

SdlInput::~SdlInput() { close(); }

void SdlInput::close() {
    if (hapticSupport_) {
        SDL_QuitSubSystem(SDL_INIT_HAPTIC);
        hapticSupport_ = false;
    }
    if (joystickSupport_) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
        joystickSupport_ = false;
    }
}

std::unique_ptr<KeyboardDevice> SdlInput::createKeyboard(InputResult& result) {
    result = InputResult::Ok;
    return std::make_unique<SdlKeyboard>(*this);
}

std::unique_ptr<MouseDevice> SdlInput::createMouse(InputResult& result) {
    result = InputResult::Ok;
    return std::make_unique<SdlMouse>(*this);
}

bool SdlInput::openJoystickSupport() {
    if (!joystickSupport_) {
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0) {
            return false;
        }
        joystickSupport_ = true;
    }
    // Without force feedback the joysticks still work; their effects fall back to rumble.
    if (!hapticSupport_) {
        hapticSupport_ = SDL_InitSubSystem(SDL_INIT_HAPTIC) == 0;
    }
    return true;
}

bool SdlInput::enumerateJoysticks(std::vector<JoystickInstance>& found) {
    found.clear();
    if (!openJoystickSupport()) {
        return false;
    }
    joysticksChanged_ = false;
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        if (id < 0) {
            continue;
        }
        const char* name =
            SDL_IsGameController(index) ? SDL_GameControllerNameForIndex(index) : SDL_JoystickNameForIndex(index);
        found.push_back(JoystickInstance{id, name != nullptr ? name : "Joystick"});
    }
    return true;
}

std::unique_ptr<JoystickDevice> SdlInput::createJoystick(const JoystickInstance& instance, InputResult& result) {
    result = InputResult::Failed;
    if (!openJoystickSupport()) {
        return nullptr;
    }
    // Device indexes shift as devices come and go; the instance id stays with the device.
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) != instance.id) {
            continue;
        }
        auto joystick = std::make_unique<SdlJoystick>(*this, index);
        if (!joystick->isOpen()) {
            return nullptr;
        }
        result = InputResult::Ok;
        return joystick;
    }
    return nullptr;
}

void SdlInput::collect(std::uint64_t /*frame*/) {
    pump_.drain();
    for (SdlJoystick* joystick : joysticks_) {
        joystick->keepForceGoing();
    }
}

void SdlInput::injectKey(std::uint8_t code, bool down) {
    if (keyboard_ != nullptr) {
        keyboard_->inject(code, down);
    }
}

void SdlInput::accept(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (keyboard_ != nullptr) {
                keyboard_->accept(event);
            }
            break;
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        case SDL_MOUSEWHEEL:
            if (mouse_ != nullptr) {
                mouse_->accept(event);
            }
            break;
        case SDL_JOYDEVICEADDED:
        case SDL_JOYDEVICEREMOVED:
            notePlugging(event);
            [[fallthrough]];  // the open pads hear of it too: a pad pulled out marks itself gone
        default:
            for (SdlJoystick* joystick : joysticks_) {
                joystick->accept(event);
            }
            break;
    }
}

// SDL announces every pad that is already there when joystick support starts; those are open
// by then and change nothing. A controller also sends controller events of its own, which
// always come with these joystick ones.
void SdlInput::notePlugging(const SDL_Event& event) {
    if (event.type == SDL_JOYDEVICEADDED) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(event.jdevice.which);
        if (id < 0 || !isOpen(id)) {
            joysticksChanged_ = true;
        }
    } else if (isOpen(event.jdevice.which)) {
        joysticksChanged_ = true;
    }
}

bool SdlInput::isOpen(SDL_JoystickID id) const {
    return std::any_of(joysticks_.begin(), joysticks_.end(),
                       [id](const SdlJoystick* joystick) { return joystick->instanceId() == id; });
}

void SdlInput::disconnect(SdlKeyboard* keyboard) {
    if (keyboard_ == keyboard) {
        keyboard_ = nullptr;
    }
}

void SdlInput::disconnect(SdlMouse* mouse) {
    if (mouse_ == mouse) {
        mouse_ = nullptr;
    }
}

void SdlInput::disconnect(SdlJoystick* joystick) {
    joysticks_.erase(std::remove(joysticks_.begin(), joysticks_.end(), joystick), joysticks_.end());
}

}  // namespace tidewell::platform::sdl
