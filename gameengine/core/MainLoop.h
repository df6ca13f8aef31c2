#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace tidewell {

// The fixed frame rate and the logical screen.
inline constexpr std::uint32_t framesPerSecond = 20;

namespace MainLoop {

// Runs frames at 20 a second until a quit is requested. Window events are served
// first; a frame starts when (now - start of the previous frame) * 20 >= 1000 in
// unsigned 32-bit milliseconds. With smooth motion the pictures between frames are
// drawn when due; otherwise, and once a frame's pictures are all drawn, the loop waits
// for events until the next is due instead of spinning. While inactive nothing runs.
void run();

// One pass of run() without its wait: serves one window event, or runs the frame or draws
// the picture between frames that is due. Returns how long the loop may then wait for
// events: 0 = go on at once, kWaitForever while in the background. A host that owns the
// event loop (a browser page) calls this from its own callbacks instead of run().
std::uint32_t runDue();
// Whether run() would stop now: a quit was requested or the frame limit is reached.
bool isFinished();

// One frame, now, without waiting for it to be due: the music streams are refilled,
// input is gathered and dispatched, the tree updates, removed sprites are swept (in the
// tree and outside it), the
// frame is drawn and presented. run() does each of its frames with this; a test
// fixture steps the game with it. Counts towards framesRun(), not checked against
// the frame limit.
void runFrame();

// Smooth motion: between ticks the loop presents pictures at the display's rate, each
// showing every sprite between where it stood at the previous tick and where it stands
// now. Off, there is one picture a tick, the tick's own. The ticks are the same either way.
void setSmoothMotion(bool on);
bool isSmoothMotion();

// Foreground or background. Leaving pauses sounds, music and force feedback;
// returning resumes them and drops the input queued in the meantime.
void setActive(bool active);
bool isActive();

// Ends the loop after the current pass.
void requestQuit();
bool isQuitRequested();

// Quit normally after this many frames (a headless run); nothing = run until asked to quit.
void setFrameLimit(std::optional<std::uint64_t> frames);
// Frames run since reset().
std::uint64_t framesRun();

// Called at the start of every frame, before input is gathered, with the number of the
// frame (counted from 1): a program that plays the game puts its keys into the input
// devices here, so they are read in the same frame. An empty hook removes it; reset()
// leaves it in place.
using FrameStartHook = std::function<void(std::uint64_t frame)>;
void setFrameStartHook(FrameStartHook hook);

// Back to the state of a fresh start: active, no quit, no frame run yet.
void reset();

}  // namespace MainLoop
}  // namespace tidewell
