#pragma once

#include "InputBuffer.h"
#include "InputDevices.h"

namespace tidewell::platform {

// What every backend's devices share: acquisition, the buffer of changes and the way a
// device is lost (taken away until acquired again) or unplugged (never to come back).
// A backend feeds it the hardware's changes with record(); the device kinds add their
// state reads.
template <typename Interface>
class BufferedDevice : public Interface {
public:
    InputResult setBufferSize(std::size_t size) override {
        buffer_.setCapacity(size);
        return InputResult::Ok;
    }

    InputResult acquire() override {
        if (!attached_) {
            return InputResult::Failed;
        }
        if (!acquired_) {
            buffer_.clear();  // nothing from before the acquisition is kept
        }
        acquired_ = true;
        lost_ = false;
        return InputResult::Ok;
    }

    void unacquire() override {
        acquired_ = false;
        buffer_.clear();
    }

    InputResult readBuffered(InputDatum* data, std::size_t capacity, std::size_t& count) override {
        count = 0;
        if (const InputResult problem = readProblem(); !succeeded(problem)) {
            return problem;
        }
        count = buffer_.take(data, capacity);
        return InputResult::Ok;
    }

    // A change of the hardware, kept only while the device is acquired; false when it was not kept.
    bool record(const InputDatum& datum) { return acquired_ && buffer_.push(datum); }
    // The same for an axis whose system reports every small step (see InputBuffer::pushAxis).
    bool recordAxis(const InputDatum& datum, std::uint32_t axisLimit, bool relative) {
        return acquired_ && buffer_.pushAxis(datum, axisLimit, relative);
    }

    // Another program took the device: reads fail with InputLost until it is acquired again.
    void markLost() {
        if (acquired_) {
            lost_ = true;
        }
        acquired_ = false;
        buffer_.clear();
    }

    // The device was unplugged: it is lost and can no longer be acquired.
    void markDetached() {
        markLost();
        lost_ = true;
        attached_ = false;
    }

    bool isAcquired() const { return acquired_; }
    bool isAttached() const { return attached_; }

protected:
    // Why the device cannot be read now, or Ok.
    InputResult readProblem() const {
        if (lost_) {
            return InputResult::InputLost;
        }
        return acquired_ ? InputResult::Ok : InputResult::NotAcquired;
    }

    InputBuffer buffer_;

private:
    bool acquired_ = false;
    bool lost_ = false;
    bool attached_ = true;
};

}  // namespace tidewell::platform
