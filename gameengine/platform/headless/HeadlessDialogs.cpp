#include "HeadlessDialogs.h"

namespace tidewell::platform::headless {

DialogAnswer HeadlessDialogs::present(const std::string& title, const std::string& text, DialogButtons buttons) {
    shown_.push_back(Shown{title, text, buttons});
    return buttons == DialogButtons::Ok ? DialogAnswer::Ok : answer_;
}

} // namespace tidewell::platform::headless
