#pragma once

#include <cstdint>
#include <vector>

#include "display/Image.h"

namespace tidewell {

// The mouse pointer: an image whose frames are pointer pictures (an arrow, a hand),
// each with its own hot spot, the pixel that marks the pointer's position. The input
// manager owns the one pointer, places it at the mouse and draws it over every frame.
class Cursor : public Image {
public:
    // From width × height ARGB colours holding the frames; no hot spots.
    Cursor(const std::uint32_t* colours, unsigned width, unsigned height, unsigned columns, unsigned rows,
           unsigned frameCount);
    ~Cursor() override;

    // One hot spot per frame: the first n given, (0, 0) for the frames after them.
    // Without both arrays the pointer has none and keeps its anchor.
    void setHotSpots(const float* xs, const float* ys, unsigned n);
    // Shows that frame (the last one for a frame past the end) with its hot spot on the position.
    void setPointerFrame(unsigned frame);
    unsigned getPointerFrame() const { return pointerFrame_; }

private:
    unsigned pointerFrame_ = 0;
    std::vector<float> hotSpotX_;
    std::vector<float> hotSpotY_;
};

}  // namespace tidewell
