#include "WebShell.h"

#include <emscripten.h>

namespace tidewell::platform::web {

bool WebShell::openAddress(const std::string& address) {
    if (!isWebAddress(address)) return false;
    // The new page gets no hold on this one; a blocked pop-up is a refusal.
    return EM_ASM_INT({
        var opened = window.open(UTF8ToString($0), '_blank');
        if (!opened) return 0;
        opened.opener = null;
        return 1;
    }, address.c_str()) != 0;
}

}  // namespace tidewell::platform::web
