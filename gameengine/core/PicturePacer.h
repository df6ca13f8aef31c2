#pragma once

#include <cstdint>
#include <vector>

namespace tidewell {

// When the pictures of a tick are drawn, and how far each stands between the places of
// the previous tick (0) and those of this one (1). The display shows `rate` pictures a
// second and a tick lasts 50 ms: the tick's own picture comes first, the others follow one
// display period apart while each is still seen for at least half a period before the
// next tick. A picture shows the places of the moment the next one replaces it, so the
// last before a tick shows everything where the tick left it, as one picture a tick does,
// and the tick's own picture already shows part of what the tick did (a key's effect is
// seen no later than without pictures between ticks).
class PicturePacer {
public:
    // Pictures a second the display shows; up to 20 (0: unknown or none) gives one a tick.
    void setRate(std::uint32_t picturesPerSecond);
    std::uint32_t rate() const { return rate_; }
    // Pictures in one tick, its own included.
    unsigned picturesPerTick() const { return perTick_; }

    // A tick began: its own picture is the next one.
    void startTick();
    // The fraction of a picture of the tick: 0 is the tick's own.
    float fractionOf(unsigned picture) const;
    // The fractions of all the tick's pictures, in order.
    const std::vector<float>& fractions() const { return fractions_; }
    // Milliseconds from the tick's start at which a picture is due.
    std::uint32_t dueAt(unsigned picture) const;
    // The latest picture between ticks due `elapsedMs` after the tick began and not drawn
    // yet (pictures whose time passed unseen are skipped); 0 when none is due.
    unsigned takeDuePicture(std::uint32_t elapsedMs);
    // The next picture of the tick not drawn yet; picturesPerTick() when none is left.
    unsigned nextPicture() const { return inTick_ ? drawn_ : perTick_; }

private:
    std::uint32_t rate_ = 0;
    unsigned perTick_ = 1;
    std::vector<float> fractions_{1.0f};
    bool inTick_ = false;  // no picture comes between ticks before the first tick
    unsigned drawn_ = 0;   // pictures of this tick drawn or skipped, its own included
};

}  // namespace tidewell
