#pragma once

#include "core/Error.h"

namespace tidewell {

// The display could not hold the game's surfaces.
class ErrorNoVideoMemory : public Error {
public:
    void show() override;
};

} // namespace tidewell
