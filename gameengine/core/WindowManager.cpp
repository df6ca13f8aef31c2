#include "core/WindowManager.h"

#include "core/ErrorGeneric.h"
#include "graphics/GraphicManager.h"
#include "input/InputManager.h"
#include "core/MainLoop.h"
#include "sound/SoundMusicManager.h"
#include "core/Error.h"
#include "resources/TwiFile.h"
#include "platform/Platform.h"

#include <string>
#include <vector>

namespace tidewell::WindowManager {
namespace {

constexpr const char* kModule = "gameengine\\Game Engine\\WindowManager";
constexpr const char* kDefaultTitle = "Game Window";

std::string title;
bool titleSet = false;
std::vector<std::uint32_t> icon;
int iconWidth = 0;
int iconHeight = 0;
bool fullScreen = false;
bool created = false;
bool recreating = false;
bool shuttingDown = false;
bool minimised = false;

// Icon resources are baked pictures in the data folder.
const char* iconFileName(int resourceId) {
    return resourceId == 101 ? "icon.twi" : nullptr;
}

// A 4-bit alpha of 15 stands for opaque: the picture's alpha is stretched from
// 0..240 to 0..255 so the icon's solid parts are solid.
std::uint32_t opaqueIconPixel(std::uint32_t argb) {
    const std::uint32_t alpha = argb >> 24;
    return (alpha / 16 * 17) << 24 | (argb & 0xFFFFFF);
}

std::vector<std::uint32_t> loadIcon(int resourceId, int& width, int& height) {
    const char* name = iconFileName(resourceId);
    if (name == nullptr) {
        return {};
    }
    try {
        TwiFile file(name);
        file.load();
        std::vector<std::uint32_t> pixels(file.pixels, file.pixels + std::size_t(file.width) * file.height);
        for (std::uint32_t& pixel : pixels) {
            pixel = opaqueIconPixel(pixel);
        }
        width = static_cast<int>(file.width);
        height = static_cast<int>(file.height);
        return pixels;
    } catch (const Error&) {
        return {};  // a window without an icon is no reason to stop the game
    }
}

platform::Window& window() {
    return platform::current().window();
}

void openWindow() {
    platform::Window& target = window();
    target.setTitle(titleSet ? title : kDefaultTitle);
    target.setIcon(icon.empty() ? nullptr : icon.data(), iconWidth, iconHeight);
    if (!target.create(fullScreen)) {
        throw ErrorGeneric(kModule, 213, 0);
    }
    minimised = false;
}

// The window was re-created in the other mode: everything bound to the old one starts over.
void resetDevices() {
    // A display that is not up yet has nothing bound to the old window.
    if (GraphicManager::isStarted()) GraphicManager::resetDevice();
    SoundMusicManager::resetDevice();
    InputManager::resetDevices();
}

} // namespace

void setTitle(const char* newTitle) {
    if (created || newTitle == nullptr) {
        return;
    }
    title = newTitle;
    titleSet = true;
}

// The baked picture has the size it was made for; the desktop scales it if it must.
void setIcon(int resourceId, int /*width*/, int /*height*/) {
    if (created) {
        return;
    }
    icon = loadIcon(resourceId, iconWidth, iconHeight);
    if (icon.empty()) {
        iconWidth = iconHeight = 0;
    }
}

void createWindow() {
    openWindow();
    created = true;
}

void destroyWindow() {
    shuttingDown = true;
    if (platform::isInstalled()) {
        window().destroy();
    }
    icon.clear();
    iconWidth = iconHeight = 0;
    created = false;
    shuttingDown = false;
    titleSet = false;
    title.clear();
}

void setFullScreen(bool wanted) {
    if (!created) {
        fullScreen = wanted;
        return;
    }
    if (wanted == fullScreen) {
        return;
    }
    fullScreen = wanted;
    recreating = true;
    try {
        window().destroy();
        openWindow();
        resetDevices();
    } catch (...) {
        recreating = false;
        throw;
    }
    recreating = false;
}

bool isFullScreen() {
    return fullScreen;
}

platform::Window* getWindow() {
    return created && platform::isInstalled() ? &window() : nullptr;
}

bool handleNextEvent() {
    if (!platform::isInstalled()) {
        return false;
    }
    platform::WindowEvent event;
    if (!window().pollEvent(event)) {
        return false;
    }
    handleEvent(event);
    return true;
}

void handleEvent(const platform::WindowEvent& event) {
    using Kind = platform::WindowEventKind;
    if (recreating) {
        return;  // the switch neither pauses nor quits the game
    }
    switch (event.kind) {
    case Kind::Close:
        if (!shuttingDown) {
            MainLoop::requestQuit();
        }
        break;
    case Kind::Minimised:
        minimised = true;
        MainLoop::setActive(false);
        break;
    case Kind::Restored:
        minimised = false;
        MainLoop::setActive(true);
        break;
    case Kind::FocusGained:
        MainLoop::setActive(!minimised);
        break;
    case Kind::FocusLost:
        MainLoop::setActive(false);
        break;
    case Kind::Exposed:
        // Uncovered while no frame runs (a paused or inactive game): show the last frame again.
        GraphicManager::copyToWindow();
        break;
    }
}

} // namespace tidewell::WindowManager
