#include "Shell.h"

namespace tidewell::platform {

bool isWebAddress(const std::string& address) {
    const bool httpScheme = address.rfind("http://", 0) == 0 || address.rfind("https://", 0) == 0;
    if (!httpScheme) {
        return false;
    }
    for (unsigned char c : address) {
        if (c <= 0x20 || c == 0x7F) {
            return false;  // control characters or spaces would be reinterpreted by the opener
        }
    }
    return true;
}

} // namespace tidewell::platform
