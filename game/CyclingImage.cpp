#include "CyclingImage.h"

#include <algorithm>

#include "ShowcaseKit.h"

namespace brinefall {

CyclingImage::CyclingImage(const char* fileName, unsigned columns, unsigned rows, std::vector<Step> steps,
                           unsigned phase)
    : Image(fileName, columns, rows), steps_(std::move(steps)), counter_(phase) {
    ShowcaseKit::notePicture(fileName);
    for (Step& step : steps_) {
        step.duration = std::max(step.duration, 1u);
        length_ += step.duration;
    }
    setAlignment(3, 3);
    setFrame(frameAt(counter_));
}

void CyclingImage::update() {
    if (!cycling_ || length_ == 0) return;
    ++counter_;
    setFrame(frameAt(counter_));
}

unsigned CyclingImage::frameAt(unsigned count) const {
    if (length_ == 0) return getFrame();
    unsigned within = count % length_;
    for (const Step& step : steps_) {
        if (within < step.duration) return step.frame;
        within -= step.duration;
    }
    return steps_.back().frame;
}

}  // namespace brinefall
