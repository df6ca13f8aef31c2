#pragma once

#include "core/Error.h"

#include <string>

namespace tidewell {

// The graphics, sound or input layer could not be started on this machine.
// The name is the engine's historical one; on Linux the layer is SDL 2 and a display.
class ErrorDirectX : public Error {
public:
    using Error::show;
    // Explains what is missing and offers to open the help page; Yes opens it.
    void show(const std::string& downloadAddress);
};

} // namespace tidewell
