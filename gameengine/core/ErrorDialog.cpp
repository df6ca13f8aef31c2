#include "core/ErrorDialog.h"

#include "graphics/GraphicManager.h"
#include "platform/Platform.h"

#include <cstdio>

namespace tidewell {

platform::DialogAnswer showErrorDialog(const std::string& title, const std::string& text,
                                       platform::DialogButtons buttons) {
    if (platform::isInstalled()) {
        return platform::current().dialogs().showError(title, text, buttons);
    }
    std::fprintf(stderr, "brinefall: %s: %s\n", title.c_str(), text.c_str());
    return buttons == platform::DialogButtons::Ok ? platform::DialogAnswer::Ok : platform::DialogAnswer::No;
}

void reportError(const std::string& title, const std::string& detail, const std::string& contact,
                 const std::string& reportAddress) {
    const std::string text = "An Error Occured:\n\n" + detail + "\n\nWe are sorry for the error, please contact " +
                             contact +
                             " to report the error and we will solve it as soon as possible.\n\n"
                             "Do you want to report the error now?";
    if (showErrorDialog(title, text, platform::DialogButtons::YesNo) == platform::DialogAnswer::Yes) {
        openAddress(reportAddress + encodeForAddress(detail));
    }
}

std::string encodeForAddress(const std::string& text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : text) {
        if (c == ' ') {
            encoded += "%20";
        } else if (c == '\n') {
            encoded += "%0D%0A";
        } else if (c < 0x20 || c >= 0x7F || c == '%' || c == '&' || c == '#' || c == '+') {
            encoded += '%';
            encoded += digits[c >> 4];
            encoded += digits[c & 15];
        } else {
            encoded += static_cast<char>(c);
        }
    }
    return encoded;
}

void openAddress(const std::string& address) {
    if (!platform::isInstalled()) {
        return;
    }
    platform::Platform& machine = platform::current();
    // A full-screen game would hide the browser: give the desktop back first. Either
    // step may fail (the display may be down already) without stopping the page opening.
    try {
        GraphicManager::flipToGdiSurface();
    } catch (...) {
    }
    try {
        GraphicManager::restoreDisplayMode();
    } catch (...) {
    }
    if (machine.window().isCreated()) {
        machine.window().minimise();
    }
    if (!machine.shell().openAddress(address)) {
        std::fprintf(stderr, "brinefall: could not open %s\n", address.c_str());
    }
}

} // namespace tidewell
