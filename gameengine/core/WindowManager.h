#pragma once

#include "platform/Window.h"

namespace tidewell::WindowManager {

// The program's single top-level window: created windowed (a centred, captioned
// window whose client area is the logical screen) or full screen, turned into
// activation changes and the quit request, and re-created with the devices that
// depend on it when the full-screen setting changes while the game runs.

// The caption; only before the window exists. Without one the window is called "Game Window".
void setTitle(const char* title);
// The icon resource `resourceId` (101: the baked "icon.twi"), asked for at width x
// height; only before the window exists. A missing icon file leaves the window without one.
void setIcon(int resourceId, int width, int height);
// Creates and shows the window; throws ErrorGeneric (WindowManager, 213, 0) when it cannot.
void createWindow();
// Destroys the window at shut-down, without asking the main loop to quit.
void destroyWindow();
// Before creation: just the flag. After: re-creates the window in the new mode and resets the devices.
void setFullScreen(bool fullScreen);
bool isFullScreen();
// The platform window, or null while none exists.
platform::Window* getWindow();

// Takes one waiting window event and acts on it; false when none was waiting.
bool handleNextEvent();
// Acts on one window event: close asks the main loop to quit, focus and minimising set activation.
void handleEvent(const platform::WindowEvent& event);

} // namespace tidewell::WindowManager
