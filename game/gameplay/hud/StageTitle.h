#pragma once

#include "display/Sprite.h"

namespace brinefall {

// The stage's title at the start of a stage; for stage 1 with the controls beside it
// in force (keys or joystick, as the player chose). It clears itself after its duration.
class StageTitle : public tidewell::Sprite {
public:
    explicit StageTitle(bool useJoystick);

    void show(int n);
    void update() override;

    int getDuration() const { return duration_; }
    int getCounter() const { return counter_; }

private:
    int duration_ = 100;
    int counter_ = 0;
    bool useJoystick_;
};

}  // namespace brinefall
