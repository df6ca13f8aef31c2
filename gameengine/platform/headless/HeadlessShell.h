#pragma once

#include "../Shell.h"

#include <vector>

namespace tidewell::platform::headless {

// Records the addresses it is asked to open; opens nothing.
class HeadlessShell : public Shell {
public:
    bool openAddress(const std::string& address) override;
    const std::vector<std::string>& opened() const { return opened_; }

private:
    std::vector<std::string> opened_;
};

} // namespace tidewell::platform::headless
