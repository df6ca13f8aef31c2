#pragma once

#include <cstddef>
#include <deque>

#include "InputDevices.h"

namespace tidewell::platform {

// The data a device keeps between reads. It holds at most its capacity (0 until one is
// set: the device buffers nothing); what arrives while it is full is lost, so the data
// already kept stay in order and nothing older is pushed out.
class InputBuffer {
public:
    void setCapacity(std::size_t capacity);
    std::size_t capacity() const { return capacity_; }

    // Keeps the datum; false when the buffer is full and it was lost.
    bool push(const InputDatum& datum);
    // Keeps an axis datum (offset below axisLimit), merging it into the axis data at the end
    // of the buffer when they are one report (the same sequence) with no button between:
    // a relative axis adds its movement to its datum there, an absolute one replaces its
    // value, and the report takes the new datum's sequence, since it now ends at that
    // moment. A device whose system reports every small step keeps its buttons that way
    // instead of filling up with steps. Without such a report it is pushed like any datum.
    bool pushAxis(const InputDatum& datum, std::uint32_t axisLimit, bool relative);
    // Moves up to `count` of the oldest data into `out`; returns how many.
    std::size_t take(InputDatum* out, std::size_t count);
    void clear() { data_.clear(); }

    bool empty() const { return data_.empty(); }
    std::size_t size() const { return data_.size(); }
    // The kept data, oldest first, for a device that merges a change into the newest ones.
    std::deque<InputDatum>& data() { return data_; }

private:
    std::deque<InputDatum> data_;
    std::size_t capacity_ = 0;
};

}  // namespace tidewell::platform
