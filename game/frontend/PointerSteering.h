#pragma once

namespace brinefall::PointerSteering {

// How far one frame of steering moves the pointer, in pixels.
inline constexpr int kStep = 10;

// The keys bound to Up, Down, Left and Right (the arrows unless the player chose others) or
// the first joystick move the mouse pointer by 10 pixels on each axis; called each frame by
// the title screen and the game scene, so the menus work
// without a mouse. The first joystick, when there is one, overrides the keys: its
// vertical lean replaces the keys' vertical step, and a horizontal lean replaces the
// horizontal one.
void steer();

// Enter and the keys bound to Fire and Pause (Left Ctrl and Space unless changed) click
// wherever the pointer is, as any joystick button does, so the menus need no mouse.
bool clicksPointer(int key);

// A click of the left mouse button where the pointer stands.
void click();

}  // namespace brinefall::PointerSteering
