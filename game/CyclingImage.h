#pragma once

#include <vector>

#include "Image.h"

namespace brinefall {

// An image that plays its frames by itself: a cycle of steps, each showing one frame
// for a number of updates, as the game's actors animate (a hopping crab's 0 for 20
// frames, 1 for 5 ...). Centred on its position, as the game's actors are.
class CyclingImage : public tidewell::Image {
public:
    struct Step {
        unsigned frame;
        unsigned duration;  // updates, at least 1
    };

    // `phase` starts the cycle that many updates in, so that equal neighbours differ.
    CyclingImage(const char* fileName, unsigned columns, unsigned rows, std::vector<Step> steps, unsigned phase = 0);

    void update() override;

    // Stops or resumes the cycle where it is (an actor showing its hit frame stops it).
    void setCycling(bool cycling) { cycling_ = cycling; }
    // The frame the cycle shows at that count of updates.
    unsigned frameAt(unsigned count) const;

private:
    std::vector<Step> steps_;
    unsigned length_ = 0;
    unsigned counter_ = 0;
    bool cycling_ = true;
};

}  // namespace brinefall
