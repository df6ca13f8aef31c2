#include "SdlPictureFit.h"

namespace tidewell::platform::sdl {

PictureFit pictureFitOf(SDL_Window* window) {
    if (window == nullptr) {
        return PictureFit(0, 0);
    }
    int width = 0;
    int height = 0;
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GetWindowSize(window, &width, &height);
    SDL_GetWindowSizeInPixels(window, &drawableWidth, &drawableHeight);
    return PictureFit(width, height, drawableWidth, drawableHeight);
}

} // namespace tidewell::platform::sdl
