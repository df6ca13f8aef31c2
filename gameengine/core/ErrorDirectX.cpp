#include "core/ErrorDirectX.h"

#include "core/ErrorDialog.h"

namespace tidewell {

void ErrorDirectX::show(const std::string& downloadAddress) {
    const std::string text =
        std::string("SDL 2 and a working display are required to run this game.\n\n"
                    "You can find out how to install SDL 2 for free from our web site:\n\n") +
        downloadAddress +
        "\n\nMost games require SDL 2 to run, so it is worth installing.\n\nDo you want to read it now?";
    if (showErrorDialog("Platform Error", text, platform::DialogButtons::YesNo) == platform::DialogAnswer::Yes) {
        openAddress(downloadAddress);
    }
}

} // namespace tidewell
