#include "SdlHapticEffect.h"

#include "SdlForceLink.h"

namespace tidewell::platform::sdl {
namespace {

// Our levels run to 10000, SDL's to 32767.
Sint16 hapticLevel(std::int32_t level) {
    const std::int32_t clamped = level < -10000 ? -10000 : (level > 10000 ? 10000 : level);
    return static_cast<Sint16>(clamped * 32767 / 10000);
}

}  // namespace

std::unique_ptr<SdlHapticEffect> SdlHapticEffect::create(std::shared_ptr<SdlForceLink> link, const ConstantForce& force,
                                                         InputResult& result) {
    SDL_Haptic* haptic = link->haptic();
    if (haptic == nullptr) {
        result = InputResult::Unsupported;
        return nullptr;
    }
    if (force.level < -10000 || force.level > 10000 || force.gain < 0 || force.gain > 10000) {
        result = InputResult::InvalidParam;
        return nullptr;
    }
    SDL_HapticEffect description{};
    description.type = SDL_HAPTIC_CONSTANT;
    description.constant.direction.type = SDL_HAPTIC_POLAR;
    // Both count hundredths of a degree clockwise from "away from the player".
    description.constant.direction.dir[0] = ((force.direction % 36000) + 36000) % 36000;
    description.constant.length =
        force.lengthMicroseconds == ConstantForce::kInfinite ? SDL_HAPTIC_INFINITY : force.lengthMicroseconds / 1000;
    description.constant.level = hapticLevel(force.level);
    // SDL has one gain for the whole device, where each effect had its own.
    if ((SDL_HapticQuery(haptic) & SDL_HAPTIC_GAIN) != 0) {
        SDL_HapticSetGain(haptic, force.gain / 100);
    }
    const int id = SDL_HapticNewEffect(haptic, &description);
    if (id < 0) {
        result = InputResult::Failed;
        return nullptr;
    }
    result = InputResult::Ok;
    return std::unique_ptr<SdlHapticEffect>(new SdlHapticEffect(std::move(link), id, description));
}

SdlHapticEffect::SdlHapticEffect(std::shared_ptr<SdlForceLink> link, int id, const SDL_HapticEffect& description)
    : link_(std::move(link)), id_(id), description_(description) {}

SdlHapticEffect::~SdlHapticEffect() {
    if (SDL_Haptic* haptic = link_->haptic()) {
        SDL_HapticDestroyEffect(haptic, id_);
    }
}

// An unplugged joystick has nothing left to shake; losing the controller is not a fault
// of the game, so its effects carry on as if they played, without the motors.

InputResult SdlHapticEffect::start() {
    SDL_Haptic* haptic = link_->haptic();
    if (haptic == nullptr) {
        return InputResult::Ok;
    }
    return SDL_HapticRunEffect(haptic, id_, 1) == 0 ? InputResult::Ok : InputResult::Failed;
}

InputResult SdlHapticEffect::stop() {
    SDL_Haptic* haptic = link_->haptic();
    if (haptic == nullptr) {
        return InputResult::Ok;
    }
    return SDL_HapticStopEffect(haptic, id_) == 0 ? InputResult::Ok : InputResult::Failed;
}

InputResult SdlHapticEffect::setLevel(std::int32_t level) {
    if (level < -10000 || level > 10000) {
        return InputResult::InvalidParam;
    }
    description_.constant.level = hapticLevel(level);
    SDL_Haptic* haptic = link_->haptic();
    if (haptic == nullptr) {
        return InputResult::Ok;
    }
    // Updating a playing effect changes its strength at once.
    return SDL_HapticUpdateEffect(haptic, id_, &description_) == 0 ? InputResult::Ok : InputResult::Failed;
}

}  // namespace tidewell::platform::sdl
