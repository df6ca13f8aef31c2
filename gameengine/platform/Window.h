#pragma once

#include "FrameView.h"
#include "GpuDevice.h"

#include <cstdint>
#include <string>

namespace tidewell::platform {

// The fixed logical screen every frame is drawn for, whatever the window's real size.
inline constexpr int kLogicalWidth = 800;
inline constexpr int kLogicalHeight = 600;

// What the window tells the main loop; the window manager turns these into actions.
enum class WindowEventKind {
    Close,       // the user closed the window (or the system asked the program to quit)
    FocusGained, // the window became the active one
    FocusLost,   // another window became active
    Minimised,   // the window was iconified
    Restored,    // the window came back from being minimised
    Exposed,     // part of the window must be painted again
};

struct WindowEvent {
    WindowEventKind kind = WindowEventKind::Exposed;
};

struct WindowSize {
    int width = 0;
    int height = 0;
};

// The program's one top-level window. Windowed it is a centred, captioned window
// whose client area is exactly the logical screen; full screen it is borderless and
// desktop-sized, and the logical picture is scaled into it with its aspect kept.
class Window {
public:
    virtual ~Window() = default;

    // Sets the caption; kept for later creations and applied at once to an open window.
    virtual void setTitle(const std::string& title) = 0;
    // Sets the icon from width x height 32-bit ARGB pixels, row by row; kept like the title.
    // Null pixels or an empty size forget the icon for later creations.
    virtual void setIcon(const std::uint32_t* argbPixels, int width, int height) = 0;

    // Creates and shows the window; false (with the system's lastError) when it cannot.
    virtual bool create(bool fullScreen) = 0;
    // Destroys the window if it exists; never reports Close for it.
    virtual void destroy() = 0;
    // True between a successful create and destroy.
    virtual bool isCreated() const = 0;
    // Whether the window was created full screen.
    virtual bool isFullScreen() const = 0;
    // The client area in real pixels (800 x 600 windowed).
    virtual WindowSize clientSize() const = 0;

    // Takes the oldest pending window event; false when there is none.
    virtual bool pollEvent(WindowEvent& event) = 0;

    // Shows a finished frame, scaled to the client area with its aspect kept; nothing while the card draws here.
    virtual void present(const FrameView& frame) = 0;
    // Pictures a second the display shows; 0 when it shows only each tick's own picture.
    virtual std::uint32_t refreshRate() const = 0;
    // Says which picture the next present shows: 0 a tick's own, k the k-th after it.
    virtual void notePicture(unsigned betweenTicks) = 0;
    // Lets the graphics card draw into the window; null with the reason (empty: no card at all) when none can.
    // The device stays until closeGpu() (a re-created window leaves it lost, not gone).
    virtual GpuDevice* openGpu(std::string& whyNot) = 0;
    // Gives the graphics card up; present() shows frames again. Nothing when none is open.
    virtual void closeGpu() = 0;
    // Iconifies the window so that another program (a browser) can be seen.
    virtual void minimise() = 0;

    // The system cursor's position in logical screen pixels; false when it is not over the picture.
    virtual bool cursorPosition(int& x, int& y) const = 0;
    // Places the system cursor over the logical pixel (x, y) of the picture.
    virtual void moveSystemCursor(int x, int y) = 0;
    // Shows or hides the system cursor over the window.
    virtual void showSystemCursor(bool shown) = 0;
    // Relative mode: the cursor is hidden and held, and only motion is reported.
    virtual void setRelativeMouseMode(bool relative) = 0;

    // Destroys and creates the window again, for a switch to or from full screen.
    bool recreate(bool fullScreen) {
        destroy();
        return create(fullScreen);
    }
};

} // namespace tidewell::platform
