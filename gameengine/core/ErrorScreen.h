#pragma once

#include "core/Error.h"

namespace tidewell {

// The screen cannot show the game's resolution or colour depth.
class ErrorScreen : public Error {
public:
    ErrorScreen(int width, int height);
    void show() override;

    int width;
    int height;
};

} // namespace tidewell
