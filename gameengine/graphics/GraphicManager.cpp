#include "graphics/GraphicManager.h"

#include <algorithm>
#include <cstdio>

#include "core/Engine.h"
#include "core/ErrorDirectX.h"
#include "core/ErrorGeneric.h"
#include "core/MainLoop.h"
#include "core/NewOrNoMemory.h"
#include "core/Screen.h"
#include "core/WindowManager.h"
#include "display/Sprite.h"
#include "graphics/Font.h"
#include "graphics/PixelBlend.h"
#include "graphics/Renderer.h"
#include "graphics/SoftwareRenderer.h"
#include "graphics/Texture.h"
#include "input/InputManager.h"
#include "platform/Platform.h"
#include "resources/FontResource.h"
#include "resources/ImageResource.h"
#include "resources/Registry.h"
#include "resources/ResourceManager.h"

namespace tidewell::GraphicManager {

bool allowHardware3D = true;
bool requireHardware3D = false;
int preferredDepth = 16;
int backBufferCount = 1;
bool clearBackground = true;
std::uint32_t clearColour = 0xFFFFFFFF;

namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\GraphicManager";
constexpr int kLineGetTextureList = 154;
constexpr int kLineCreateTextureList = 195;
constexpr int kLineGetFontList = 322;
constexpr int kLineFlipNoDevice = 548;
constexpr int kLineRestoreNoDevice = 561;
constexpr int kLineRestoreFailed = 566;
constexpr int kLinePresentNoPrimary = 589;
constexpr int kLineCopyNoPrimary = 611;
constexpr int kLineResetAfterNoList = 1167;
constexpr int kLineResetNoList = 1189;
constexpr int kLineRecoveryNoList = 1205;
constexpr int kLinePixelNoBackBuffer = 1994;
constexpr int kLineLineNoBackBuffer = 2079;
constexpr int kLineRectangleNoBackBuffer = 2237;
constexpr int kLinePolygonNoBackBuffer = 2362;

bool started = false;
std::unique_ptr<Renderer> renderer;
RendererFactory hardwareFactory = nullptr;
bool hardware3D = false;
bool fullScreenDisplay = false;
int displayDepth = 0;
DisplayFormat displayFormat;
std::unique_ptr<Registry<Texture>> textureList;
std::unique_ptr<Registry<Font>> fontList;
std::uint64_t currentPictureTick = 0;
float currentPictureFraction = 1;
std::vector<float> fractionsOfTick{1.0f};  // kept from tick to tick, so that a tick costs no allocation
std::uint64_t changedPictures = 0;

// Full screen takes the depth asked for; a window shows the desktop's own, 32 bits.
int chooseDepth(bool fullScreen) {
    if (!fullScreen) return 32;
    return preferredDepth == 32 ? 32 : 16;
}

// The hardware renderer when allowed and available, else the software one.
void openDevice() {
    fullScreenDisplay = WindowManager::isFullScreen();
    displayDepth = chooseDepth(fullScreenDisplay);
    renderer.reset();
    std::string whyNot;
    if (allowHardware3D && hardwareFactory) {
        renderer = hardwareFactory(fullScreenDisplay, displayDepth, requireHardware3D, whyNot);
    }
    if (!renderer && allowHardware3D && requireHardware3D) {
        std::fprintf(stderr, "brinefall: the graphics card was asked for, but it cannot draw here%s%s\n",
                     whyNot.empty() ? "" : ": ", whyNot.c_str());
        throw ErrorDirectX();
    }
    if (!renderer && !whyNot.empty()) std::fprintf(stderr, "brinefall: drawing in software: %s\n", whyNot.c_str());
    if (!renderer) renderer.reset(newOrNoMemory<SoftwareRenderer>(displayDepth));
    hardware3D = renderer->isHardware();
    displayFormat = renderer->displayFormat();
    displayDepth = displayFormat.depth;
}

void closeDevice() {
    renderer.reset();
    hardware3D = false;
}

Texture* shareTexture(ImageResource* image, bool preload) {
    const ReferenceLoan<ImageResource> loan(image, ResourceManager::releaseImage);
    return textureList->retain([image](const Texture& texture) { return texture.usesImage(image); },
                               [image, preload] {
                                   std::unique_ptr<Texture> texture(newOrNoMemory<Texture>(image));
                                   renderer->prepareTexture(*texture);
                                   if (preload) texture->create();
                                   return texture.release();
                               });
}

void startIfNeeded() {
    if (!started) start();
}

void frameBody() {
    renderer->beginScene();
    try {
        if (hardware3D || clearBackground) renderer->clear(clearColour);
        if (Sprite* root = getRootSprite()) root->dispatchDraw();
        InputManager::drawPointer();
    } catch (...) {
        renderer->endScene();
        throw;
    }
    renderer->endScene();
}

// After a loss: surfaces get their memory back (or are made anew) and every texture
// fills its surfaces again from its image.
void recoverSurfaces() {
    if (!renderer->restoreAllSurfaces()) renderer->recreateSurfaces();
    if (!textureList) throw ErrorGeneric(kModulePath, kLineRecoveryNoList, 0);
    textureList->forEach([](Texture& texture) { texture.recreate(); });
}

// The common rules of the primitives: the clip kept within the screen; false when
// nothing is left to draw in.
bool screenClip(int clipLeft, int clipTop, int clipRight, int clipBottom, ClipRect& clip) {
    clip.left = std::max(clipLeft, 0);
    clip.top = std::max(clipTop, 0);
    clip.right = std::min(clipRight, static_cast<int>(screenWidth));
    clip.bottom = std::min(clipBottom, static_cast<int>(screenHeight));
    return clip.left < clip.right && clip.top < clip.bottom;
}

Renderer& requireRenderer(int line) {
    if (!renderer) throw ErrorGeneric(kModulePath, line, 0);
    return *renderer;
}

}  // namespace

void setHardwareRendererFactory(RendererFactory factory) { hardwareFactory = factory; }

void start() {
    if (started) return;
    openDevice();
    if (!textureList) textureList = newRegistry<Texture>();
    if (!fontList) fontList = newRegistry<Font>();
    started = true;
}

void stop() {
    // Fonts first: each gives its atlas texture back while the texture list still exists.
    if (fontList) fontList->clear();
    if (textureList) textureList->clear();
    fontList.reset();
    textureList.reset();
    closeDevice();
    currentPictureFraction = 1;  // the next start draws where things are until told otherwise
    started = false;
}

bool isStarted() { return started; }

void resetDevice() {
    if (!textureList) throw ErrorGeneric(kModulePath, kLineResetNoList, 0);
    textureList->forEach([](Texture& texture) { texture.destroySurfaces(); });
    closeDevice();
    openDevice();
    if (!textureList) throw ErrorGeneric(kModulePath, kLineResetAfterNoList, 0);
    textureList->forEach([](Texture& texture) { renderer->prepareTexture(texture); });
}

void flipToGdiSurface() {
    // Nothing is flipped in this port: the frame is a picture in memory, shown by the window.
    if (!started) throw ErrorGeneric(kModulePath, kLineFlipNoDevice, 0);
}

// Full screen is the window's state here, not the display's: whoever opened the window
// full screen, it becomes an ordinary window, so the dialog or browser that comes next is seen.
void restoreDisplayMode() {
    platform::Window* window = platform::isInstalled() ? &platform::current().window() : nullptr;
    const bool windowOpen = window && window->isCreated();
    if (!started && !windowOpen) throw ErrorGeneric(kModulePath, kLineRestoreNoDevice, 0);
    if (windowOpen && window->isFullScreen() && !window->recreate(false)) {
        throw ErrorGeneric(kModulePath, kLineRestoreFailed, 0);
    }
}

bool isHardware3D() { return hardware3D; }

int getDisplayDepth() { return displayDepth; }

const DisplayFormat& getDisplayFormat() { return displayFormat; }

Renderer* getRenderer() { return renderer.get(); }

bool readFrame(std::vector<std::uint32_t>& rgb, int& width, int& height, std::string& whyNot) {
    if (!started || !renderer) {
        whyNot = "the display is not up";
        return false;
    }
    return renderer->readFrame(rgb, width, height, whyNot);
}

void drawFrame() {
    if (!started || !MainLoop::isActive()) return;
    try {
        frameBody();
    } catch (...) {
        recoverSurfaces();
        frameBody();
    }
}

void present() {
    if (!started || !MainLoop::isActive()) return;
    if (!fullScreenDisplay) {
        copyToWindow();
        return;
    }
    platform::Window* window = WindowManager::getWindow();
    if (!window) throw ErrorGeneric(kModulePath, kLinePresentNoPrimary, 0);
    renderer->present(*window);
}

void beginTick(const std::vector<float>& fractions) {
    constexpr std::size_t kMostPictures = 64;  // one bit each in changedPictures
    ++currentPictureTick;
    fractionsOfTick.assign(fractions.begin(), fractions.begin() + std::min(fractions.size(), kMostPictures));
    if (fractionsOfTick.empty()) fractionsOfTick.push_back(1.0f);
    changedPictures = 0;
}

std::uint64_t pictureTick() { return currentPictureTick; }

unsigned picturesInTick() { return static_cast<unsigned>(fractionsOfTick.size()); }

float tickFraction(unsigned picture) { return picture < fractionsOfTick.size() ? fractionsOfTick[picture] : 1.0f; }

void setPictureFraction(float fraction) { currentPictureFraction = std::clamp(fraction, 0.0f, 1.0f); }

float pictureFraction() { return currentPictureFraction; }

void notePictureChanges(std::uint64_t pictures) { changedPictures |= pictures; }

bool pictureDiffers(unsigned picture) { return picture < 64 && (changedPictures >> picture & 1u) != 0; }

void copyToWindow() {
    if (!started || fullScreenDisplay) return;
    platform::Window* window = WindowManager::getWindow();
    if (!window) throw ErrorGeneric(kModulePath, kLineCopyNoPrimary, 0);
    renderer->present(*window);
}

Texture* getTexture(const char* fileName, bool preload) {
    startIfNeeded();
    if (!textureList) throw ErrorGeneric(kModulePath, kLineGetTextureList, 0);
    ImageResource* image = ResourceManager::getImage(fileName);
    return image ? shareTexture(image, preload) : nullptr;
}

Texture* createTexture(std::uint32_t width, std::uint32_t height, const std::uint32_t* colours, bool preload) {
    startIfNeeded();
    if (!textureList) throw ErrorGeneric(kModulePath, kLineCreateTextureList, 0);
    return shareTexture(ResourceManager::getColoursImage(width, height, colours), preload);
}

Texture* retainTexture(Texture* texture) { return retainListed(textureList, texture); }

void releaseTexture(Texture* texture) { releaseListed(textureList, texture, Unlisted::LeftAlone); }

Font* getFont(const char* fileName, bool preload) {
    startIfNeeded();
    if (!fontList) throw ErrorGeneric(kModulePath, kLineGetFontList, 0);
    FontResource* resource = ResourceManager::getFontResource(fileName);
    const ReferenceLoan<FontResource> loan(resource, ResourceManager::releaseFontResource);
    return fontList->retain([resource](const Font& font) { return font.usesResource(resource); },
                            [resource, preload] {
                                std::unique_ptr<Font> font(newOrNoMemory<Font>(resource));
                                if (preload) font->load();
                                return font.release();
                            });
}

void releaseFont(Font* font) { releaseListed(fontList, font, Unlisted::LeftAlone); }

unsigned long referenceCount(const Texture* texture) { return listedCount(textureList, texture); }

unsigned long referenceCount(const Font* font) { return listedCount(fontList, font); }

std::size_t textureCount() { return textureList ? textureList->size() : 0; }

std::size_t fontCount() { return fontList ? fontList->size() : 0; }

int countBits(std::uint32_t mask) { return tidewell::countBits(mask); }

std::uint32_t toDisplayColour(std::uint32_t rgb) { return displayFormat.toDisplayColour(rgb); }

std::uint32_t toPixelFormat(std::uint32_t argb, int redBits, int greenBits, int blueBits, int alphaBits) {
    const std::uint32_t red = ((argb & 0xFF0000) >> (24 - redBits)) << (greenBits + blueBits);
    const std::uint32_t green = ((argb & 0xFF00) >> (16 - greenBits)) << blueBits;
    const std::uint32_t blue = (argb & 0xFF) >> (8 - blueBits);
    const std::uint32_t alpha = alphaBits > 0 ? (argb >> (32 - alphaBits)) << (redBits + greenBits + blueBits) : 0;
    return alpha | red | green | blue;
}

std::uint32_t multiplyAddColour(std::uint32_t pixel, std::uint32_t multiply, std::uint32_t add) {
    return PixelBlend::multiplyAddColour(pixel, multiply, add);
}

std::uint32_t addColours(std::uint32_t a, std::uint32_t b) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        result |= std::min<std::uint32_t>(255, ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) << shift;
    }
    return result;
}

std::uint32_t blendPixel(std::uint32_t destination, std::uint32_t source, std::uint32_t alpha) {
    return displayFormat.blendPixel(destination, source, alpha);
}

void drawPixel(int x, int y, std::uint32_t colour, std::uint32_t add, int clipLeft, int clipTop, int clipRight,
               int clipBottom) {
    ClipRect clip;
    if ((colour >> 24) == 0 || !screenClip(clipLeft, clipTop, clipRight, clipBottom, clip)) return;
    requireRenderer(kLinePixelNoBackBuffer).drawPixel(x, y, colour, add, clip);
}

void drawLine(int x0, int y0, int x1, int y1, std::uint32_t colour, std::uint32_t add, int clipLeft, int clipTop,
              int clipRight, int clipBottom) {
    ClipRect clip;
    if ((colour >> 24) == 0 || !screenClip(clipLeft, clipTop, clipRight, clipBottom, clip)) return;
    requireRenderer(kLineLineNoBackBuffer).drawLine(x0, y0, x1, y1, colour, add, clip);
}

void drawRectangle(int left, int top, int right, int bottom, std::uint32_t colour, std::uint32_t add, int clipLeft,
                   int clipTop, int clipRight, int clipBottom) {
    ClipRect clip;
    if ((colour >> 24) == 0 || !screenClip(clipLeft, clipTop, clipRight, clipBottom, clip)) return;
    requireRenderer(kLineRectangleNoBackBuffer).drawRectangle(left, top, right, bottom, colour, add, clip);
}

void drawPolygon(const int* xs, const int* ys, int count, std::uint32_t colour, std::uint32_t add, int clipLeft,
                 int clipTop, int clipRight, int clipBottom) {
    ClipRect clip;
    if ((colour >> 24) == 0 || !xs || !ys || count < 3) return;
    if (!screenClip(clipLeft, clipTop, clipRight, clipBottom, clip)) return;
    requireRenderer(kLinePolygonNoBackBuffer).drawPolygon(xs, ys, count, colour, add, clip);
}

}  // namespace tidewell::GraphicManager
