#include "backgrounds/ScrollingBackground.h"

#include <algorithm>

namespace brinefall {

ScrollingBackground::ScrollingBackground() = default;

ScrollingBackground::~ScrollingBackground() = default;

void ScrollingBackground::setTargetSpeed(float speed) { targetSpeed_ = speed; }

float ScrollingBackground::easeSpeed() {
    if (speed_ > targetSpeed_) speed_ = std::max(speed_ - 1, targetSpeed_);
    if (speed_ < targetSpeed_) speed_ = std::min(speed_ + 1, targetSpeed_);
    return speed_;
}

}  // namespace brinefall
