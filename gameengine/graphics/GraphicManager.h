#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/DisplayFormat.h"

namespace tidewell {

class Font;
class Renderer;
class Texture;

// The display: chooses the renderer, draws and presents the frames, keeps the shared
// textures and fonts, and draws the primitives. Options are read by start() (and by
// resetDevice()), so they are set before the engine starts.
namespace GraphicManager {

// Lets a hardware renderer be used when one can be had.
extern bool allowHardware3D;
// With allowHardware3D: the hardware renderer or none; start() and resetDevice() throw
// ErrorDirectX (saying why on standard error) instead of drawing in software. Only then
// is an OpenGL drawn by the processor (no hardware acceleration) used; otherwise it is
// set aside for the software renderer, which is faster.
extern bool requireHardware3D;
// Colour depth asked for full screen: 16 or 32 (anything else means 16). A window uses 32.
extern int preferredDepth;
// Back buffers asked for full screen.
extern int backBufferCount;
// Software renderer: clear the back buffer before every frame (the game switches it off,
// as every frame covers the whole screen anyway).
extern bool clearBackground;
// What the back buffer is cleared to.
extern std::uint32_t clearColour;

// Makes a hardware renderer for the display mode, or null with the reason when none
// can be had here (the software renderer is used then). A card that is not accelerated
// (OpenGL drawn by the processor) is taken only with acceptUnaccelerated.
using RendererFactory = std::unique_ptr<Renderer> (*)(bool fullScreen, int depth, bool acceptUnaccelerated,
                                                      std::string& whyNot);
// The hardware renderer to try at start and at every device reset; null for none.
void setHardwareRendererFactory(RendererFactory factory);

// Brings the display up for the window's mode and makes the registries.
void start();
// Deletes every font and texture, whoever still holds them, and lets the display go.
void stop();
bool isStarted();
// After the window was re-created in the other mode: the renderer is chosen again and
// every texture is fitted to it, to be drawn again without being fetched again.
void resetDevice();
// Make the desktop visible for a dialog or a browser: the frame stops being shown
// full screen. ErrorGeneric when the display is not up.
void flipToGdiSurface();
void restoreDisplayMode();

// Whether the renderer in use draws with the graphics card.
bool isHardware3D();
// 16 or 32, and the back buffer's pixel layout.
int getDisplayDepth();
const DisplayFormat& getDisplayFormat();
// The renderer in use, or null while the display is down.
Renderer* getRenderer();

// The frame: clear (when asked), the display tree, the pointer; drawn once more after
// restoring the surfaces when anything in it failed. Nothing while the program is inactive.
void drawFrame();
// Shows the finished frame; nothing while inactive.
void present();

// Drawing positions. The rules move sprites once a tick; a picture drawn between ticks
// (smooth motion) shows each sprite between where it stood at the previous tick and where
// it stands now, by a fraction from 0 (the previous place) to 1 (the current one). A new
// tick for the pictures, with the fractions of its pictures, its own first (at least one;
// at most 64 are kept): the places sprites hold now become their previous places when
// they are next drawn.
void beginTick(const std::vector<float>& fractions);
// The tick the pictures belong to, counted from 1 by beginTick(); 0 before the first.
std::uint64_t pictureTick();
// The tick's pictures and their fractions.
unsigned picturesInTick();
float tickFraction(unsigned picture);
// The fraction of the pictures drawn from now on. 1, the default, draws everything where it is.
void setPictureFraction(float fraction);
float pictureFraction();
// Said by drawing the tick's own picture: the pictures of the tick (bit k for picture k) in
// which a sprite stands at another pixel than in the picture before.
void notePictureChanges(std::uint64_t pictures);
// Whether picture k of the tick shows something at another pixel than picture k - 1; if not,
// it is the same picture and need not be drawn.
bool pictureDiffers(unsigned picture);
// Shows the last frame again in a window (after part of it was uncovered).
void copyToWindow();
// The frame on screen (the logical picture, without the window's scaling) as width x height
// 0xRRGGBB words, row by row; false with the reason when the display is down or its
// renderer cannot read the picture back.
bool readFrame(std::vector<std::uint32_t>& rgb, int& width, int& height, std::string& whyNot);

// The shared texture of a .twi file (null, with nothing made, for another extension);
// with preload its surfaces are made at once. Starts the manager when it must.
Texture* getTexture(const char* fileName, bool preload);
// The shared texture of width × height ARGB colours, rows from the top.
Texture* createTexture(std::uint32_t width, std::uint32_t height, const std::uint32_t* colours, bool preload);
// One more holder of a listed texture. Returns it.
Texture* retainTexture(Texture* texture);
// One holder fewer; the last one deletes it. Null, an unlisted texture and any texture
// given back after stop() (which deleted them all) are left alone.
void releaseTexture(Texture* texture);
// The shared font of a .twf file, loaded at once with preload.
Font* getFont(const char* fileName, bool preload);
// As releaseTexture.
void releaseFont(Font* font);
// How many hold a texture or a font (0 when not listed), and how many are listed: for
// diagnostics and tests.
unsigned long referenceCount(const Texture* texture);
unsigned long referenceCount(const Font* font);
std::size_t textureCount();
std::size_t fontCount();

// Colours in the current display format.
int countBits(std::uint32_t mask);
// 0xRRGGBB (alpha ignored) as a display pixel.
std::uint32_t toDisplayColour(std::uint32_t rgb);
// The same packing for any bit counts, alpha on top (no alpha field for 0 alpha bits).
std::uint32_t toPixelFormat(std::uint32_t argb, int redBits, int greenBits, int blueBits, int alphaBits);
// Per channel: pixel × multiply / 255 + add, at most 255; alpha 0.
std::uint32_t multiplyAddColour(std::uint32_t pixel, std::uint32_t multiply, std::uint32_t add);
// Per channel: a + b, at most 255; alpha 0.
std::uint32_t addColours(std::uint32_t a, std::uint32_t b);
// Two display pixels mixed per field: alpha × source + (255 − alpha) × destination, over 255.
std::uint32_t blendPixel(std::uint32_t destination, std::uint32_t source, std::uint32_t alpha);

// The primitives, each in one colour (its alpha the opacity) plus an add colour,
// clipped to [clipLeft, clipRight) × [clipTop, clipBottom) within the screen.
void drawPixel(int x, int y, std::uint32_t colour, std::uint32_t add, int clipLeft, int clipTop, int clipRight,
               int clipBottom);
// Both ends included.
void drawLine(int x0, int y0, int x1, int y1, std::uint32_t colour, std::uint32_t add, int clipLeft, int clipTop,
              int clipRight, int clipBottom);
// The pixels [left, right) × [top, bottom).
void drawRectangle(int left, int top, int right, int bottom, std::uint32_t colour, std::uint32_t add, int clipLeft,
                   int clipTop, int clipRight, int clipBottom);
// A convex polygon, filled as a fan from its first point.
void drawPolygon(const int* xs, const int* ys, int count, std::uint32_t colour, std::uint32_t add, int clipLeft,
                 int clipTop, int clipRight, int clipBottom);

}  // namespace GraphicManager
}  // namespace tidewell
