#include "WebDialogs.h"

#include <emscripten.h>

namespace tidewell::platform::web {

DialogAnswer WebDialogs::present(const std::string& title, const std::string& text, DialogButtons buttons) {
    if (buttons == DialogButtons::YesNo) {
        const int yes = EM_ASM_INT({ return window.confirm(UTF8ToString($0) + '\n\n' + UTF8ToString($1)) ? 1 : 0; },
                                   title.c_str(), text.c_str());
        return yes != 0 ? DialogAnswer::Yes : DialogAnswer::No;
    }
    EM_ASM({
        var title = UTF8ToString($0);
        var text = UTF8ToString($1);
        if (Module['showDialog']) Module['showDialog'](title, text);
        else window.alert(title + '\n\n' + text);
    }, title.c_str(), text.c_str());
    return DialogAnswer::Ok;
}

}  // namespace tidewell::platform::web
