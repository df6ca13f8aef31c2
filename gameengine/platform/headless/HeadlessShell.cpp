#include "HeadlessShell.h"

namespace tidewell::platform::headless {

bool HeadlessShell::openAddress(const std::string& address) {
    if (!isWebAddress(address)) {
        return false;
    }
    opened_.push_back(address);
    return true;
}

} // namespace tidewell::platform::headless
