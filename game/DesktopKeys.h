#pragma once

#include <filesystem>
#include <string>

namespace brinefall {

// The keys a desktop game answers in every scene, before the scene sees them: Alt+Enter
// and F11 switch between full screen and a window (stored as "fullScreen", as the
// options panel stores it), F12 writes the picture on screen as a PNG file. A key used
// here is not passed on, its release neither, so Alt+Enter never also chooses in a menu.
// The Alt keys themselves belong to the desktop (Alt+Tab, Alt+Enter) and never reach a
// scene either, so that they do not skip the logo or the opening as any other key does.
class DesktopKeys {
public:
    // True when the key was one of these: the scenes must not see it.
    bool keyDown(int key);
    // True for the release of a key whose press was used here.
    bool keyUp(int key);

    // Full screen becomes a window and a window full screen; the choice is stored.
    static void toggleFullScreen();
    // Writes the frame on screen into screenshotFolder(); says on standard error where it
    // went, or in one line why it could not be written. The game goes on either way.
    static void takeScreenshot();
    // $XDG_PICTURES_DIR/Brinefall, else ~/Pictures/Brinefall; empty when neither is known.
    static std::filesystem::path screenshotFolder();
    // brinefall-<stamp>.png in the folder, or -2, -3 ... before the extension when a file
    // of that name is already there. The stamp is the local time, YYYY-MM-DD-HH-MM-SS.
    static std::filesystem::path freeScreenshotName(const std::filesystem::path& folder, const std::string& stamp);

private:
    static bool isAltDown();
    static bool isAlt(int key);

    // The used presses whose releases are still to come, by key.
    bool enterHeld_ = false;
    bool f11Held_ = false;
    bool f12Held_ = false;
};

}  // namespace brinefall
