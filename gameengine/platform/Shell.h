#pragma once

#include <string>

namespace tidewell::platform {

// The desktop's handler for web addresses.
class Shell {
public:
    virtual ~Shell() = default;

    // Opens an http or https address in the user's browser; false when refused or it failed.
    virtual bool openAddress(const std::string& address) = 0;
};

// Only web addresses are handed to the desktop: anything else could start a program.
bool isWebAddress(const std::string& address);

} // namespace tidewell::platform
