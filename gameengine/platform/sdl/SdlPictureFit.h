#pragma once

#include "../PictureFit.h"

#include <SDL.h>

namespace tidewell::platform::sdl {

// The picture's place in the window as it is now: its size in points for the pointer and
// in pixels for drawing. Every path that draws the picture or maps the pointer asks here.
PictureFit pictureFitOf(SDL_Window* window);

} // namespace tidewell::platform::sdl
