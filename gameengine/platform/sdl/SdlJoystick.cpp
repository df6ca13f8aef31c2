#include "SdlJoystick.h"

#include <algorithm>

#include "SdlForceLink.h"
#include "SdlHapticEffect.h"
#include "SdlInput.h"
#include "SdlRumbleEffect.h"

namespace tidewell::platform::sdl {
namespace {

constexpr int kButtons = 32;
constexpr int kLeftTriggerButton = 17;
constexpr int kRightTriggerButton = 18;
constexpr Sint16 kTriggerPressed = 16384;  // past half way
constexpr Sint16 kTriggerReleased = 8192;  // let back below a quarter, so a trembling finger makes no clicks

// Our button number of a controller button; -1 for the d-pad, which moves the stick instead.
int controllerButton(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A:
            return 0;
        case SDL_CONTROLLER_BUTTON_B:
            return 1;
        case SDL_CONTROLLER_BUTTON_X:
            return 2;
        case SDL_CONTROLLER_BUTTON_Y:
            return 3;
        case SDL_CONTROLLER_BUTTON_BACK:
            return 4;
        case SDL_CONTROLLER_BUTTON_GUIDE:
            return 5;
        case SDL_CONTROLLER_BUTTON_START:
            return 6;
        case SDL_CONTROLLER_BUTTON_LEFTSTICK:
            return 7;
        case SDL_CONTROLLER_BUTTON_RIGHTSTICK:
            return 8;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
            return 9;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            return 10;
        case SDL_CONTROLLER_BUTTON_MISC1:
            return 11;
        case SDL_CONTROLLER_BUTTON_PADDLE1:
            return 12;
        case SDL_CONTROLLER_BUTTON_PADDLE2:
            return 13;
        case SDL_CONTROLLER_BUTTON_PADDLE3:
            return 14;
        case SDL_CONTROLLER_BUTTON_PADDLE4:
            return 15;
        case SDL_CONTROLLER_BUTTON_TOUCHPAD:
            return 16;
        default:
            return -1;
    }
}

Uint8 padBit(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return SDL_HAT_UP;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return SDL_HAT_DOWN;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return SDL_HAT_LEFT;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return SDL_HAT_RIGHT;
        default:
            return 0;
    }
}

// The other axes keep a device's own range, 0 to 65535, centred at 32768.
std::int32_t wideRange(Sint16 value) { return static_cast<std::int32_t>(value) + 32768; }

// A hat as a point of view: hundredths of a degree clockwise from forwards, or centred.
std::uint32_t pointOfView(Uint8 hat) {
    switch (hat) {
        case SDL_HAT_UP:
            return 0;
        case SDL_HAT_RIGHTUP:
            return 4500;
        case SDL_HAT_RIGHT:
            return 9000;
        case SDL_HAT_RIGHTDOWN:
            return 13500;
        case SDL_HAT_DOWN:
            return 18000;
        case SDL_HAT_LEFTDOWN:
            return 22500;
        case SDL_HAT_LEFT:
            return 27000;
        case SDL_HAT_LEFTUP:
            return 31500;
        default:
            return 0xFFFFFFFFu;
    }
}

SDL_Haptic* openConstantForce(SDL_Joystick* joystick) {
    if (SDL_WasInit(SDL_INIT_HAPTIC) == 0 || SDL_JoystickIsHaptic(joystick) != 1) {
        return nullptr;
    }
    SDL_Haptic* haptic = SDL_HapticOpenFromJoystick(joystick);
    if (haptic != nullptr && (SDL_HapticQuery(haptic) & SDL_HAPTIC_CONSTANT) == 0) {
        SDL_HapticClose(haptic);
        haptic = nullptr;
    }
    return haptic;
}

}  // namespace

SdlJoystick::SdlJoystick(SdlInput& input, int deviceIndex) : input_(input) {
    if (SDL_IsGameController(deviceIndex)) {
        controller_ = SDL_GameControllerOpen(deviceIndex);
        joystick_ = controller_ != nullptr ? SDL_GameControllerGetJoystick(controller_) : nullptr;
    } else {
        joystick_ = SDL_JoystickOpen(deviceIndex);
    }
    if (joystick_ == nullptr) {
        return;
    }
    id_ = SDL_JoystickInstanceID(joystick_);
    const char* name = controller_ != nullptr ? SDL_GameControllerName(controller_) : SDL_JoystickName(joystick_);
    name_ = name != nullptr ? name : "Joystick";
    force_ = std::make_shared<SdlForceLink>(joystick_, openConstantForce(joystick_));
    readInitialState();
    input_.connect(this);
}

SdlJoystick::~SdlJoystick() {
    if (joystick_ == nullptr) {
        return;
    }
    input_.disconnect(this);
    SDL_Haptic* haptic = force_->haptic();
    force_->forget();
    if (haptic != nullptr) {
        SDL_HapticClose(haptic);
    }
    if (controller_ != nullptr) {
        SDL_GameControllerClose(controller_);
    } else {
        SDL_JoystickClose(joystick_);
    }
}

void SdlJoystick::readInitialState() {
    if (controller_ != nullptr) {
        stickX_ = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
        stickY_ = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
        state_.lRx = wideRange(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_RIGHTX));
        state_.lRy = wideRange(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_RIGHTY));
        state_.lZ = wideRange(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
        state_.lRz = wideRange(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
        for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
            const auto sdlButton = static_cast<SDL_GameControllerButton>(button);
            const bool down = SDL_GameControllerGetButton(controller_, sdlButton) != 0;
            if (const Uint8 bit = padBit(static_cast<Uint8>(button)); bit != 0) {
                pad_ = static_cast<Uint8>(down ? pad_ | bit : pad_ & ~bit);
            } else if (const int ours = controllerButton(static_cast<Uint8>(button)); ours >= 0) {
                state_.rgbButtons[ours] = down ? 0x80 : 0;
            }
        }
    } else {
        const int axes = SDL_JoystickNumAxes(joystick_);
        stickX_ = axes > 0 ? SDL_JoystickGetAxis(joystick_, 0) : 0;
        stickY_ = axes > 1 ? SDL_JoystickGetAxis(joystick_, 1) : 0;
        std::int32_t* others[] = {&state_.lZ,  &state_.lRx,          &state_.lRy,
                                  &state_.lRz, &state_.rglSlider[0], &state_.rglSlider[1]};
        for (int axis = 2; axis < std::min(axes, 8); ++axis) {
            *others[axis - 2] = wideRange(SDL_JoystickGetAxis(joystick_, axis));
        }
        const int buttons = std::min(SDL_JoystickNumButtons(joystick_), kButtons);
        for (int button = 0; button < buttons; ++button) {
            state_.rgbButtons[button] = SDL_JoystickGetButton(joystick_, button) != 0 ? 0x80 : 0;
        }
        const int hats = std::min(SDL_JoystickNumHats(joystick_), 4);
        for (int hat = 0; hat < hats; ++hat) {
            state_.rgdwPOV[hat] = pointOfView(SDL_JoystickGetHat(joystick_, hat));
        }
        pad_ = hats > 0 ? SDL_JoystickGetHat(joystick_, 0) : SDL_HAT_CENTERED;
    }
    state_.lX = stickPosition(JoystickAxis::X);
    state_.lY = stickPosition(JoystickAxis::Y);
}

std::string SdlJoystick::name() const { return name_; }

InputResult SdlJoystick::setAxisRange(JoystickAxis axis, std::int32_t minimum, std::int32_t maximum) {
    if (!scales_.of(axis).setRange(minimum, maximum)) {
        return InputResult::InvalidParam;
    }
    (axis == JoystickAxis::X ? state_.lX : state_.lY) = stickPosition(axis);
    return InputResult::Ok;
}

InputResult SdlJoystick::setDeadZone(JoystickAxis axis, std::uint32_t tenThousandths) {
    if (!scales_.of(axis).setDeadZone(tenThousandths)) {
        return InputResult::InvalidParam;
    }
    (axis == JoystickAxis::X ? state_.lX : state_.lY) = stickPosition(axis);
    return InputResult::Ok;
}

InputResult SdlJoystick::setAutoCenter(bool /*on*/) {
    return InputResult::Unsupported;  // SDL has no spring to switch off
}

InputResult SdlJoystick::poll() {
    return readProblem();  // the event pump already brought SDL's view up to date
}

InputResult SdlJoystick::readState(JoystickState& state) {
    if (const InputResult problem = readProblem(); !succeeded(problem)) {
        return problem;
    }
    state = state_;
    return InputResult::Ok;
}

bool SdlJoystick::hasForceFeedback() const {
    return force_ != nullptr && (force_->haptic() != nullptr || force_->canRumble());
}

std::unique_ptr<ForceEffect> SdlJoystick::createConstantForce(const ConstantForce& force, InputResult& result) {
    if (force_ == nullptr || !isAttached()) {
        result = InputResult::InputLost;
        return nullptr;
    }
    if (force_->haptic() != nullptr) {
        return SdlHapticEffect::create(force_, force, result);
    }
    if (!force_->canRumble()) {
        result = InputResult::Unsupported;
        return nullptr;
    }
    if (force.level < -10000 || force.level > 10000 || force.gain < 0 || force.gain > 10000) {
        result = InputResult::InvalidParam;
        return nullptr;
    }
    result = InputResult::Ok;
    return std::make_unique<SdlRumbleEffect>(force_, force);
}

void SdlJoystick::keepForceGoing() {
    if (force_ != nullptr) {
        force_->updateRumble();
    }
}

void SdlJoystick::accept(const SDL_Event& event) {
    if (joystick_ == nullptr) {
        return;
    }
    if ((event.type == SDL_JOYDEVICEREMOVED && event.jdevice.which == id_) ||
        (event.type == SDL_CONTROLLERDEVICEREMOVED && event.cdevice.which == id_)) {
        markDetached();
        force_->unplug();
        return;
    }
    if (controller_ != nullptr) {
        acceptController(event);
    } else {
        acceptRaw(event);
    }
}

void SdlJoystick::acceptController(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERAXISMOTION:
            if (event.caxis.which != id_) {
                return;
            }
            switch (event.caxis.axis) {
                case SDL_CONTROLLER_AXIS_LEFTX:
                    setStick(0, event.caxis.value);
                    break;
                case SDL_CONTROLLER_AXIS_LEFTY:
                    setStick(1, event.caxis.value);
                    break;
                case SDL_CONTROLLER_AXIS_RIGHTX:
                    state_.lRx = wideRange(event.caxis.value);
                    break;
                case SDL_CONTROLLER_AXIS_RIGHTY:
                    state_.lRy = wideRange(event.caxis.value);
                    break;
                case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
                    setTrigger(0, kLeftTriggerButton, event.caxis.value);
                    break;
                case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
                    setTrigger(1, kRightTriggerButton, event.caxis.value);
                    break;
                default:
                    break;
            }
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            if (event.cbutton.which != id_) {
                return;
            }
            const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
            if (const Uint8 bit = padBit(event.cbutton.button); bit != 0) {
                setPad(static_cast<Uint8>(down ? pad_ | bit : pad_ & ~bit));
            } else if (const int button = controllerButton(event.cbutton.button); button >= 0) {
                setButton(button, down);
            }
            break;
        }
        default:
            break;
    }
}

void SdlJoystick::acceptRaw(const SDL_Event& event) {
    switch (event.type) {
        case SDL_JOYAXISMOTION: {
            if (event.jaxis.which != id_) {
                return;
            }
            const int axis = event.jaxis.axis;
            if (axis < 2) {
                setStick(axis, event.jaxis.value);
            } else if (axis < 8) {
                std::int32_t* others[] = {&state_.lZ,  &state_.lRx,          &state_.lRy,
                                          &state_.lRz, &state_.rglSlider[0], &state_.rglSlider[1]};
                *others[axis - 2] = wideRange(event.jaxis.value);
            }
            break;
        }
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            if (event.jbutton.which == id_ && event.jbutton.button < kButtons) {
                setButton(event.jbutton.button, event.type == SDL_JOYBUTTONDOWN);
            }
            break;
        case SDL_JOYHATMOTION:
            if (event.jhat.which != id_ || event.jhat.hat >= 4) {
                return;
            }
            state_.rgdwPOV[event.jhat.hat] = pointOfView(event.jhat.value);
            if (event.jhat.hat == 0) {
                setPad(event.jhat.value);
            }
            break;
        default:
            break;
    }
}

void SdlJoystick::setStick(int axis, Sint16 value) {
    (axis == 0 ? stickX_ : stickY_) = value;
    reportStick();
}

void SdlJoystick::setPad(Uint8 hat) {
    pad_ = hat;
    reportStick();
}

// Where an axis stands as the game sees it: the d-pad, when held, wins over the stick.
std::int32_t SdlJoystick::stickPosition(JoystickAxis axis) const {
    Sint16 raw = axis == JoystickAxis::X ? stickX_ : stickY_;
    const Uint8 low = axis == JoystickAxis::X ? SDL_HAT_LEFT : SDL_HAT_UP;
    const Uint8 high = axis == JoystickAxis::X ? SDL_HAT_RIGHT : SDL_HAT_DOWN;
    if ((pad_ & low) != 0) {
        raw = SDL_JOYSTICK_AXIS_MIN;
    } else if ((pad_ & high) != 0) {
        raw = SDL_JOYSTICK_AXIS_MAX;
    }
    return scales_.of(axis).apply(raw, SDL_JOYSTICK_AXIS_MIN, SDL_JOYSTICK_AXIS_MAX);
}

// Only a change that the game can see is reported; a stick trembling in its dead zone is not.
void SdlJoystick::reportStick() {
    const std::int32_t x = stickPosition(JoystickAxis::X);
    const std::int32_t y = stickPosition(JoystickAxis::Y);
    if (x == state_.lX && y == state_.lY) {
        return;
    }
    const std::uint32_t sequence = input_.takeSequence();
    if (x != state_.lX) {
        recordAxis(InputDatum{joystickOffset::x, static_cast<std::uint32_t>(x), sequence}, joystickOffset::button0,
                   false);
    }
    if (y != state_.lY) {
        recordAxis(InputDatum{joystickOffset::y, static_cast<std::uint32_t>(y), sequence}, joystickOffset::button0,
                   false);
    }
    state_.lX = x;
    state_.lY = y;
}

void SdlJoystick::setButton(int button, bool down) {
    const std::uint8_t value = down ? 0x80 : 0;
    if (state_.rgbButtons[button] == value) {
        return;
    }
    state_.rgbButtons[button] = value;
    record(InputDatum{joystickOffset::button0 + static_cast<std::uint32_t>(button), value, input_.takeSequence()});
}

void SdlJoystick::setTrigger(int axisSlot, int button, Sint16 value) {
    (axisSlot == 0 ? state_.lZ : state_.lRz) = wideRange(value);
    const bool held = state_.rgbButtons[button] != 0;
    if (!held && value >= kTriggerPressed) {
        setButton(button, true);
    } else if (held && value < kTriggerReleased) {
        setButton(button, false);
    }
}

}  // namespace tidewell::platform::sdl
