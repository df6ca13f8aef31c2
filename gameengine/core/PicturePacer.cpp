#include "core/PicturePacer.h"

#include <algorithm>

#include "core/MainLoop.h"

namespace tidewell {
// A picture k periods into the tick is drawn while k·1000/rate <= 50 − 500/rate, that is
// while k <= (rate − 10) / 20.
void PicturePacer::setRate(std::uint32_t picturesPerSecond) {
    rate_ = picturesPerSecond;
    perTick_ = rate_ > framesPerSecond ? (rate_ - framesPerSecond / 2) / framesPerSecond + 1 : 1;
    fractions_.resize(perTick_);
    for (unsigned picture = 0; picture < perTick_; ++picture) fractions_[picture] = fractionOf(picture);
}

void PicturePacer::startTick() {
    inTick_ = true;
    drawn_ = 1;
}

float PicturePacer::fractionOf(unsigned picture) const {
    if (picture + 1 >= perTick_) return 1;
    return static_cast<float>(picture + 1) * static_cast<float>(framesPerSecond) / static_cast<float>(rate_);
}

// Rounded up, so that no picture comes before its time.
std::uint32_t PicturePacer::dueAt(unsigned picture) const {
    if (picture == 0 || rate_ == 0) return 0;
    return (picture * 1000 + rate_ - 1) / rate_;
}

unsigned PicturePacer::takeDuePicture(std::uint32_t elapsedMs) {
    if (!inTick_) return 0;
    unsigned due = 0;
    for (unsigned picture = drawn_; picture < perTick_ && dueAt(picture) <= elapsedMs; ++picture) due = picture;
    if (due == 0) return 0;
    drawn_ = due + 1;
    return due;
}

}  // namespace tidewell
