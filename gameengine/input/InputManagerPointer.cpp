// The mouse pointer: where it is, how game code moves and clicks it, and the sprite the
// graphics manager draws over every frame.

#include <algorithm>
#include <memory>

#include "display/Cursor.h"
#include "core/Engine.h"
#include "input/InputManager.h"
#include "input/InputManagerInternal.h"
#include "core/NewOrNoMemory.h"
#include "graphics/PointerImage.h"
#include "core/Screen.h"
#include "display/Sprite.h"

namespace tidewell::InputManager {

namespace internal {

std::uint32_t clampToWidth(std::int64_t x) {
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(x, 0, screenWidth - 1));
}

std::uint32_t clampToHeight(std::int64_t y) {
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(y, 0, screenHeight - 1));
}

}  // namespace internal

namespace {

constexpr std::int32_t kMouseButtons = 4;
constexpr float kHotSpotX[] = {0, 10};
constexpr float kHotSpotY[] = {0, 0};

std::unique_ptr<Cursor> pointer;
unsigned pointerFrame = 0;

// The built-in arrow is made at its first drawing, so that input alone needs no display.
Cursor& pointerSprite() {
    if (!pointer) {
        const std::vector<std::uint32_t> pixels = makePointerImage();
        pointer.reset(newOrNoMemory<Cursor>(pixels.data(), pointerImageWidth, pointerImageHeight, 2, 1, 2));
        pointer->setHotSpots(kHotSpotX, kHotSpotY, 2);
        pointer->setPointerFrame(pointerFrame);
        pointer->setAlpha(pointerVisible ? 255 : 0);
    }
    return *pointer;
}

}  // namespace

void internal::releasePointer() { pointer.reset(); }

void drawPointer() {
    Cursor& sprite = pointerSprite();
    sprite.setPosition(static_cast<float>(mouseX), static_cast<float>(mouseY));
    sprite.draw();
}

void setCursorFrame(unsigned frame) {
    pointerFrame = frame;
    if (pointer) pointer->setPointerFrame(frame);
}

unsigned getCursorFrame() { return pointerFrame; }

void setCursorVisible(bool visible) {
    pointerVisible = visible;
    if (pointer) pointer->setAlpha(visible ? 255 : 0);
}

void setMousePosition(std::uint32_t x, std::uint32_t y) {
    mouseX = x < screenWidth ? x : screenWidth - 1;
    mouseY = y < screenHeight ? y : screenHeight - 1;
    if (Sprite* root = getRootSprite()) {
        root->dispatchMouseMove(static_cast<int>(mouseX), static_cast<int>(mouseY), false);
    }
}

void moveMouse(std::int32_t dx, std::int32_t dy) {
    const std::int64_t x = std::max<std::int64_t>(0, static_cast<std::int64_t>(mouseX) + dx);
    const std::int64_t y = std::max<std::int64_t>(0, static_cast<std::int64_t>(mouseY) + dy);
    // Anything beyond the screen is clamped there by setMousePosition.
    setMousePosition(static_cast<std::uint32_t>(std::min<std::int64_t>(x, screenWidth)),
                     static_cast<std::uint32_t>(std::min<std::int64_t>(y, screenHeight)));
}

void pressMouseButton(std::int32_t button) {
    if (button < 0 || button >= kMouseButtons) {
        return;
    }
    mouseButtons[button] = 0x80;
    if (Sprite* root = getRootSprite()) {
        root->dispatchMouseDown(static_cast<int>(mouseX), static_cast<int>(mouseY), button, false);
    }
}

void releaseMouseButton(std::int32_t button) {
    if (button < 0 || button >= kMouseButtons) {
        return;
    }
    mouseButtons[button] = 0;
    if (Sprite* root = getRootSprite()) {
        root->dispatchMouseUp(static_cast<int>(mouseX), static_cast<int>(mouseY), button, false);
    }
}

}  // namespace tidewell::InputManager
