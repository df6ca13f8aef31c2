#include "SdlDialogs.h"

#include <SDL.h>

namespace tidewell::platform::sdl {

DialogAnswer SdlDialogs::present(const std::string& title, const std::string& text, DialogButtons buttons) {
    const DialogAnswer unanswered = buttons == DialogButtons::Ok ? DialogAnswer::Ok : DialogAnswer::No;
    const SDL_MessageBoxButtonData okButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"},
    };
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
    };
    const bool yesNo = buttons == DialogButtons::YesNo;
    const SDL_MessageBoxData data = {
        SDL_MESSAGEBOX_ERROR,
        nullptr,
        title.c_str(),
        text.c_str(),
        yesNo ? 2 : 1,
        yesNo ? yesNoButtons : okButtons,
        nullptr,
    };
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0) {
        return unanswered;  // no display, or the box was closed: the text is on standard error already
    }
    if (!yesNo) {
        return DialogAnswer::Ok;
    }
    return pressed == 1 ? DialogAnswer::Yes : DialogAnswer::No;
}

} // namespace tidewell::platform::sdl
