#include "display/Cursor.h"

#include <algorithm>

#include "core/NewOrNoMemory.h"

namespace tidewell {

Cursor::Cursor(const std::uint32_t* colours, unsigned width, unsigned height, unsigned columns, unsigned rows,
               unsigned frameCount)
    : Image(colours, width, height, columns, rows, frameCount) {}

Cursor::~Cursor() = default;

void Cursor::setHotSpots(const float* xs, const float* ys, unsigned n) {
    hotSpotX_.clear();
    hotSpotY_.clear();
    if (xs && ys) {
        orNoMemory([this] {
            hotSpotX_.assign(getFrameCount(), 0.0f);
            hotSpotY_.assign(getFrameCount(), 0.0f);
        });
        const unsigned given = std::min(n, getFrameCount());
        std::copy(xs, xs + given, hotSpotX_.begin());
        std::copy(ys, ys + given, hotSpotY_.begin());
    }
    setPointerFrame(pointerFrame_);
}

void Cursor::setPointerFrame(unsigned frame) {
    pointerFrame_ = frame < getFrameCount() ? frame : getFrameCount() - 1;
    setFrame(pointerFrame_);
    if (!hotSpotX_.empty()) setAnchor(hotSpotX_[pointerFrame_], hotSpotY_[pointerFrame_]);
}

}  // namespace tidewell
