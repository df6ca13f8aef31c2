#pragma once

#include "../Dialogs.h"

namespace tidewell::platform::sdl {

// SDL's message box: modal, error icon, no owner window.
class SdlDialogs : public Dialogs {
protected:
    DialogAnswer present(const std::string& title, const std::string& text, DialogButtons buttons) override;
};

} // namespace tidewell::platform::sdl
