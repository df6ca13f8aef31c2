#include "HeadlessForceEffect.h"

namespace tidewell::platform::headless {

HeadlessForceEffect::HeadlessForceEffect(std::shared_ptr<ForceRecord> record) : record_(std::move(record)) {}

HeadlessForceEffect::~HeadlessForceEffect() {
    record_->playing = false;
    record_->released = true;
}

InputResult HeadlessForceEffect::start() {
    if (record_->lost || record_->unplugged) {
        return InputResult::InputLost;
    }
    record_->playing = true;
    ++record_->starts;
    return InputResult::Ok;
}

InputResult HeadlessForceEffect::stop() {
    if (record_->lost || record_->unplugged) {
        return InputResult::InputLost;
    }
    record_->playing = false;
    return InputResult::Ok;
}

InputResult HeadlessForceEffect::setLevel(std::int32_t level) {
    if (record_->lost || record_->unplugged) {
        return InputResult::InputLost;
    }
    if (level < -10000 || level > 10000) {
        return InputResult::InvalidParam;
    }
    record_->level = level;
    return InputResult::Ok;
}

}  // namespace tidewell::platform::headless
