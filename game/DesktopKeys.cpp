#include "DesktopKeys.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <system_error>
#include <vector>

#include "graphics/GraphicManager.h"
#include "input/InputManager.h"
#include "ScanCodes.h"
#include "core/SettingManager.h"
#include "core/WindowManager.h"
#include "platform/PngFile.h"

namespace brinefall {

using namespace tidewell;

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

std::string timeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d-%H-%M-%S", &local);
    return text;
}

void sayScreenshotFailed(const std::string& why) {
    std::fprintf(stderr, "brinefall: no screenshot taken: %s\n", why.c_str());
}

}  // namespace

bool DesktopKeys::isAltDown() {
    return (InputManager::keyStates[kKeyLeftAlt] & 0x80) != 0 || (InputManager::keyStates[kKeyRightAlt] & 0x80) != 0;
}

bool DesktopKeys::isAlt(int key) { return key == kKeyLeftAlt || key == kKeyRightAlt; }

bool DesktopKeys::keyDown(int key) {
    if (isAlt(key)) return true;
    if ((key == kKeyEnter || key == kKeyNumpadEnter) && isAltDown()) {
        enterHeld_ = true;
        toggleFullScreen();
        return true;
    }
    if (key == kKeyF11) {
        f11Held_ = true;
        toggleFullScreen();
        return true;
    }
    if (key == kKeyF12) {
        f12Held_ = true;
        takeScreenshot();
        return true;
    }
    return false;
}

bool DesktopKeys::keyUp(int key) {
    if (isAlt(key)) return true;
    bool* held = nullptr;
    if (key == kKeyEnter || key == kKeyNumpadEnter) {
        held = &enterHeld_;
    } else if (key == kKeyF11) {
        held = &f11Held_;
    } else if (key == kKeyF12) {
        held = &f12Held_;
    }
    if (held == nullptr || !*held) return false;
    *held = false;
    return true;
}

void DesktopKeys::toggleFullScreen() {
    const bool wanted = !WindowManager::isFullScreen();
    WindowManager::setFullScreen(wanted);
    SettingManager::writeSetting("fullScreen", wanted);
}

std::filesystem::path DesktopKeys::screenshotFolder() {
    if (isSet("XDG_PICTURES_DIR")) return std::filesystem::path(std::getenv("XDG_PICTURES_DIR")) / "Brinefall";
    if (isSet("HOME")) return std::filesystem::path(std::getenv("HOME")) / "Pictures" / "Brinefall";
    return {};
}

std::filesystem::path DesktopKeys::freeScreenshotName(const std::filesystem::path& folder, const std::string& stamp) {
    const std::string stem = "brinefall-" + stamp;
    std::filesystem::path candidate = folder / (stem + ".png");
    std::error_code error;
    for (int number = 2; std::filesystem::exists(candidate, error); ++number) {
        candidate = folder / (stem + "-" + std::to_string(number) + ".png");
    }
    return candidate;
}

void DesktopKeys::takeScreenshot() {
    std::vector<std::uint32_t> rgb;
    int width = 0;
    int height = 0;
    std::string whyNot;
    if (!GraphicManager::readFrame(rgb, width, height, whyNot)) {
        sayScreenshotFailed(whyNot);
        return;
    }
    const std::filesystem::path folder = screenshotFolder();
    if (folder.empty()) {
        sayScreenshotFailed("neither XDG_PICTURES_DIR nor HOME is set");
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        sayScreenshotFailed("cannot make " + folder.string() + ": " + error.message());
        return;
    }
    const std::filesystem::path file = freeScreenshotName(folder, timeStamp());
    if (!platform::writePng(file, rgb.data(), width, height, whyNot)) {
        sayScreenshotFailed("cannot write " + file.string() + ": " + whyNot);
        return;
    }
    std::fprintf(stderr, "brinefall: screenshot written to %s\n", file.c_str());
}

}  // namespace brinefall
