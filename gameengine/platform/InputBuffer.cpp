#include "InputBuffer.h"

#include <algorithm>

namespace tidewell::platform {

void InputBuffer::setCapacity(std::size_t capacity) {
    capacity_ = capacity;
    if (data_.size() > capacity_) {
        data_.resize(capacity_);  // the newest go, as if they had arrived with the buffer full
    }
}

bool InputBuffer::push(const InputDatum& datum) {
    if (data_.size() >= capacity_) {
        return false;
    }
    data_.push_back(datum);
    return true;
}

bool InputBuffer::pushAxis(const InputDatum& datum, std::uint32_t axisLimit, bool relative) {
    // The axis data at the end of the buffer that share the newest sequence: the last report.
    std::size_t first = data_.size();
    while (first > 0 && data_[first - 1].offset < axisLimit && data_[first - 1].sequence == data_.back().sequence) {
        --first;
    }
    if (first == data_.size()) {
        return push(datum);
    }
    const auto report = data_.begin() + static_cast<std::ptrdiff_t>(first);
    const auto same =
        std::find_if(report, data_.end(), [&](const InputDatum& kept) { return kept.offset == datum.offset; });
    if (same != data_.end()) {
        same->value = relative ? same->value + datum.value : datum.value;  // wraps as the signed sum does
    } else if (!push(datum)) {
        return false;
    }
    for (std::size_t index = first; index < data_.size(); ++index) {
        data_[index].sequence = datum.sequence;
    }
    return true;
}

std::size_t InputBuffer::take(InputDatum* out, std::size_t count) {
    const std::size_t taken = std::min(count, data_.size());
    if (out == nullptr) {
        data_.erase(data_.begin(), data_.begin() + static_cast<std::ptrdiff_t>(taken));
        return taken;
    }
    std::copy_n(data_.begin(), taken, out);
    data_.erase(data_.begin(), data_.begin() + static_cast<std::ptrdiff_t>(taken));
    return taken;
}

}  // namespace tidewell::platform
