#include "FrameCycle.h"

#include "display/Image.h"

namespace brinefall {

void FrameCycle::step(tidewell::Image* image, int& counter) const {
    for (const Cue& cue : cues) {
        if (cue.count == counter) image->setFrame(cue.frame);
    }
    counter = (counter + 1) % period;
}

}  // namespace brinefall
