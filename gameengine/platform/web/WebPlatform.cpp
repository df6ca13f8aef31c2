#include "WebPlatform.h"

#include <emscripten.h>

namespace tidewell::platform::web {

std::unique_ptr<Platform> createPlatform(const PlatformOptions& /*options*/, std::string& whyNot) {
    if (EM_ASM_INT({ return typeof window == 'object' && typeof document == 'object' ? 1 : 0; }) == 0) {
        whyNot = "not running in a web page";
        return nullptr;
    }
    return std::make_unique<WebPlatform>();
}

}  // namespace tidewell::platform::web
