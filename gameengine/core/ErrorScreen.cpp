#include "core/ErrorScreen.h"

#include "core/ErrorDialog.h"

#include <string>

namespace tidewell {

ErrorScreen::ErrorScreen(int width, int height) : width(width), height(height) {}

void ErrorScreen::show() {
    showErrorDialog("Screen Error",
                    "Your screen must have resolution " + std::to_string(width) + " x " + std::to_string(height) +
                        " and must have at least 16 bit colour depth",
                    platform::DialogButtons::Ok);
}

} // namespace tidewell
