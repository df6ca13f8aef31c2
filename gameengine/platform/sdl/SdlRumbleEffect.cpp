#include "SdlRumbleEffect.h"

#include <cstdlib>

#include "SdlForceLink.h"

namespace tidewell::platform::sdl {

SdlRumbleEffect::SdlRumbleEffect(std::shared_ptr<SdlForceLink> link, const ConstantForce& force)
    : link_(std::move(link)),
      level_(force.level),
      gain_(force.gain),
      lengthMs_(force.lengthMicroseconds == ConstantForce::kInfinite ? ConstantForce::kInfinite
                                                                     : force.lengthMicroseconds / 1000) {
    link_->add(this);
}

SdlRumbleEffect::~SdlRumbleEffect() {
    playing_ = false;
    link_->remove(this);
    link_->updateRumble();
}

InputResult SdlRumbleEffect::start() {
    playing_ = true;
    startedAt_ = SDL_GetTicks();
    link_->updateRumble();
    return InputResult::Ok;
}

InputResult SdlRumbleEffect::stop() {
    playing_ = false;
    link_->updateRumble();
    return InputResult::Ok;
}

InputResult SdlRumbleEffect::setLevel(std::int32_t level) {
    if (level < -10000 || level > 10000) {
        return InputResult::InvalidParam;
    }
    level_ = level;
    link_->updateRumble();
    return InputResult::Ok;
}

Uint16 SdlRumbleEffect::strengthAt(Uint32 now) const {
    if (!playing_ || (lengthMs_ != ConstantForce::kInfinite && now - startedAt_ >= lengthMs_)) {
        return 0;
    }
    const long scaled = static_cast<long>(std::abs(level_)) * gain_ / 10000 * 0xFFFF / 10000;
    return static_cast<Uint16>(scaled > 0xFFFF ? 0xFFFF : scaled);
}

}  // namespace tidewell::platform::sdl
