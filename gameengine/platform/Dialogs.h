#pragma once

#include <string>

namespace tidewell::platform {

enum class DialogButtons { Ok, YesNo };
enum class DialogAnswer { Ok, Yes, No };

// Modal message boxes with the error icon. Every text also goes to standard error,
// so a run without a display still says what went wrong.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Writes title and text to standard error, then shows the dialog and returns the button pressed.
    DialogAnswer showError(const std::string& title, const std::string& text, DialogButtons buttons);

protected:
    // Shows the dialog itself; a backend that cannot show it answers No (or Ok for an Ok box).
    virtual DialogAnswer present(const std::string& title, const std::string& text, DialogButtons buttons) = 0;
};

} // namespace tidewell::platform
