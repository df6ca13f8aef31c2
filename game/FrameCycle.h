#pragma once

#include <vector>

namespace tidewell {
class Image;
}  // namespace tidewell

namespace brinefall {

// A picture's looping animation: a counter that runs from 0 to period - 1 and wraps, and
// the frame the picture shows when the counter reaches a cue's count. The counter is the
// animated actor's own.
struct FrameCycle {
    struct Cue {
        int count;
        unsigned frame;
    };

    int period;
    std::vector<Cue> cues;

    // Shows the frame of the counter's cue, if it has one, then advances the counter.
    void step(tidewell::Image* image, int& counter) const;
};

}  // namespace brinefall
