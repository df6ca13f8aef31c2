#pragma once

#include "backgrounds/Background.h"

namespace brinefall {

// A stage background that scrolls: its speed, 2 pixels a frame at first, eases by 1 a
// frame towards the target the scene sets, never overshooting it.
class ScrollingBackground : public Background {
public:
    ScrollingBackground();
    ~ScrollingBackground() override;

    void setTargetSpeed(float speed) override;

    float getSpeed() const { return speed_; }
    float getTargetSpeed() const { return targetSpeed_; }

protected:
    // One frame's step of the speed towards the target; the speed to scroll by this frame.
    float easeSpeed();

private:
    float speed_ = 2.0f;
    float targetSpeed_ = 2.0f;
};

}  // namespace brinefall
