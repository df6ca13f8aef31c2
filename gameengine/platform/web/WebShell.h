#pragma once

#include "../Shell.h"

namespace tidewell::platform::web {

// Opens web addresses in a new tab of the browser.
class WebShell : public Shell {
public:
    bool openAddress(const std::string& address) override;
};

}  // namespace tidewell::platform::web
