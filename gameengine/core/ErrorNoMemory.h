#pragma once

#include "core/Error.h"

namespace tidewell {

// An allocation failed.
class ErrorNoMemory : public Error {
public:
    void show() override;
};

} // namespace tidewell
