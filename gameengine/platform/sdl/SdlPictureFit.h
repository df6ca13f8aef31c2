#pragma once

#include "../PictureFit.h"

#include <SDL.h>

namespace tidewell::platform::sdl {

// The picture's place in the window as it is now: its size in points for the pointer and
// in pixels for drawing. Every path that draws the picture or maps the pointer asks here.
PictureFit pictureFitOf(SDL_Window* window);

// The window's size in pixels as the X server has it; false where that cannot be asked (not
// X11). SDL answers with what was asked for: a full screen that no window manager granted (a
// bare X server, some kiosk and tiling set-ups) still reads as the whole display while the
// window kept its size, so the picture would be placed for a screen it does not have.
bool serverWindowSize(SDL_Window* window, int& width, int& height);

} // namespace tidewell::platform::sdl
