#pragma once

#include "../Dialogs.h"

#include <vector>

namespace tidewell::platform::headless {

// Records every dialog instead of showing it and answers with a chosen button.
class HeadlessDialogs : public Dialogs {
public:
    struct Shown {
        std::string title;
        std::string text;
        DialogButtons buttons;
    };

    // The answer to Yes/No dialogs; Ok dialogs are always answered Ok. Default: No.
    void answerWith(DialogAnswer answer) { answer_ = answer; }
    const std::vector<Shown>& shown() const { return shown_; }

protected:
    DialogAnswer present(const std::string& title, const std::string& text, DialogButtons buttons) override;

private:
    DialogAnswer answer_ = DialogAnswer::No;
    std::vector<Shown> shown_;
};

} // namespace tidewell::platform::headless
