#include "Dialogs.h"

#include <cstdio>

namespace tidewell::platform {

DialogAnswer Dialogs::showError(const std::string& title, const std::string& text, DialogButtons buttons) {
    std::fprintf(stderr, "brinefall: %s: %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
    return present(title, text, buttons);
}

} // namespace tidewell::platform
