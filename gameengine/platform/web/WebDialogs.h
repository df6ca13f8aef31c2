#pragma once

#include "../Dialogs.h"

namespace tidewell::platform::web {

// Message boxes in the page: an Ok box over the canvas (the page's Module.showDialog, or the
// browser's alert where the page has none), a Yes/No question as the browser's confirm box.
// The text also goes to the console.
class WebDialogs : public Dialogs {
protected:
    DialogAnswer present(const std::string& title, const std::string& text, DialogButtons buttons) override;
};

}  // namespace tidewell::platform::web
