#include "SdlPictureFit.h"

#include <SDL_syswm.h>

namespace tidewell::platform::sdl {

#if defined(SDL_VIDEO_DRIVER_X11) && defined(BRINEFALL_HAVE_X11)
bool serverWindowSize(SDL_Window* window, int& width, int& height) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return false;
    }
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) == 0) {
        return false;
    }
    width = attributes.width;
    height = attributes.height;
    return width > 0 && height > 0;
}
#else
bool serverWindowSize(SDL_Window*, int&, int&) { return false; }
#endif

PictureFit pictureFitOf(SDL_Window* window) {
    if (window == nullptr) {
        return PictureFit(0, 0);
    }
    int width = 0;
    int height = 0;
    // X11 draws a window in its own pixels, so there its points are its pixels.
    if (serverWindowSize(window, width, height)) {
        return PictureFit(width, height);
    }
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GetWindowSize(window, &width, &height);
    SDL_GetWindowSizeInPixels(window, &drawableWidth, &drawableHeight);
    return PictureFit(width, height, drawableWidth, drawableHeight);
}

} // namespace tidewell::platform::sdl
