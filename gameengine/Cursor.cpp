#include "Cursor.h"

#include <algorithm>
#include <new>

#include "ErrorNoMemory.h"

namespace tidewell {

Cursor::Cursor(const std::uint32_t* colours, unsigned width, unsigned height, unsigned columns, unsigned rows,
               unsigned frameCount)
    : Image(colours, width, height, columns, rows, frameCount) {}

Cursor::~Cursor() = default;

void Cursor::setHotSpots(const float* xs, const float* ys, unsigned n) {
    hotSpotX.clear();
    hotSpotY.clear();
    if (xs && ys) {
        try {
            hotSpotX.assign(getFrameCount(), 0.0f);
            hotSpotY.assign(getFrameCount(), 0.0f);
        } catch (const std::bad_alloc&) {
            throw ErrorNoMemory();
        }
        const unsigned given = std::min(n, getFrameCount());
        std::copy(xs, xs + given, hotSpotX.begin());
        std::copy(ys, ys + given, hotSpotY.begin());
    }
    setPointerFrame(pointerFrame);
}

void Cursor::setPointerFrame(unsigned frame) {
    pointerFrame = frame < getFrameCount() ? frame : getFrameCount() - 1;
    setFrame(pointerFrame);
    if (!hotSpotX.empty()) setAnchor(hotSpotX[pointerFrame], hotSpotY[pointerFrame]);
}

}  // namespace tidewell
