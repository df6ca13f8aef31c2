#include "core/ErrorNoVideoMemory.h"

#include "core/ErrorDialog.h"

namespace tidewell {

void ErrorNoVideoMemory::show() {
    showErrorDialog("Screen Error",
                    "There is not enough video memory to run the game. The requirement of this game has already been "
                    "very low, perhaps you should replace your video card with a new one so that you can enjoy more "
                    "games.",
                    platform::DialogButtons::Ok);
}

} // namespace tidewell
