#include "Image.h"

#include <algorithm>

#include "GraphicManager.h"
#include "Texture.h"

namespace tidewell {
namespace {

// Truncation toward zero, kept within int so a sprite flung far away stays harmless.
int truncated(float value) { return static_cast<int>(std::clamp(value, -1.0e9f, 1.0e9f)); }

// One axis of the rectangles: the frame's screen span [low, low + size) cut to the clip,
// the source losing the same pixels (on the far side when mirrored).
void clipAxis(int low, unsigned size, int clipLow, int clipHigh, bool mirrored, int& sourceLow, int& sourceHigh,
              int& destinationLow, int& destinationHigh) {
    const int high = low + static_cast<int>(size);
    if (!mirrored) {
        destinationLow = low;
        destinationHigh = high;
        if (low < clipLow) {
            sourceLow += clipLow - low;
            destinationLow = clipLow;
        }
        if (high > clipHigh) {
            sourceHigh -= high - clipHigh;
            destinationHigh = clipHigh;
        }
        return;
    }
    destinationLow = high;
    destinationHigh = low;
    if (low < clipLow) {
        sourceHigh -= clipLow - low;
        destinationHigh = clipLow;
    }
    if (high > clipHigh) {
        sourceLow += high - clipHigh;
        destinationLow = clipHigh;
    }
}

}  // namespace

Image::Image(const char* fileName, unsigned columns, unsigned rows, unsigned frameCount) {
    setFile(fileName, columns, rows, frameCount);
}

Image::Image(Texture* texture, unsigned columns, unsigned rows, unsigned frameCount) {
    setTexture(texture, columns, rows, frameCount);
}

Image::Image(const std::uint32_t* colours, unsigned width, unsigned height, unsigned columns, unsigned rows,
             unsigned frameCount) {
    setPixels(colours, width, height, columns, rows, frameCount);
}

Image::~Image() { GraphicManager::releaseTexture(texture); }

float Image::getWidth() const { return static_cast<float>(frameWidth); }
float Image::getHeight() const { return static_cast<float>(frameHeight); }
float Image::getLeft() const { return x - anchorX; }
float Image::getTop() const { return y - anchorY; }
float Image::getRight() const { return x - anchorX + static_cast<float>(frameWidth); }
float Image::getBottom() const { return y - anchorY + static_cast<float>(frameHeight); }

void Image::updateAbsoluteX() {
    Sprite::updateAbsoluteX();
    updateRectangles();
}

void Image::updateAbsoluteY() {
    Sprite::updateAbsoluteY();
    updateRectangles();
}

void Image::updateAbsolutePosition() {
    Sprite::updateAbsolutePosition();
    updateRectangles();
}

void Image::updateClip() {
    Sprite::updateClip();
    updateRectangles();
}

void Image::draw() {
    if (!texture || (getEffectiveColour() >> 24) == 0) return;
    texture->draw(sourceLeft, sourceTop, sourceRight, sourceBottom, destinationLeft, destinationTop, destinationRight,
                  destinationBottom, getEffectiveColour(), getEffectiveAddColour());
}

void Image::setFile(const char* fileName, unsigned newColumns, unsigned newRows, unsigned newFrameCount) {
    adoptTexture(fileName ? GraphicManager::getTexture(fileName, true) : nullptr, newColumns, newRows, newFrameCount);
}

void Image::setTexture(Texture* newTexture, unsigned newColumns, unsigned newRows, unsigned newFrameCount) {
    adoptTexture(newTexture ? GraphicManager::retainTexture(newTexture) : nullptr, newColumns, newRows, newFrameCount);
}

void Image::setPixels(const std::uint32_t* colours, unsigned width, unsigned height, unsigned newColumns,
                      unsigned newRows, unsigned newFrameCount) {
    Texture* made =
        colours && width > 0 && height > 0 ? GraphicManager::createTexture(width, height, colours, true) : nullptr;
    adoptTexture(made, newColumns, newRows, newFrameCount);
}

// The new texture is taken before the old one goes back, so that setting the same
// picture again never deletes and re-reads it.
void Image::adoptTexture(Texture* newTexture, unsigned newColumns, unsigned newRows, unsigned newFrameCount) {
    Texture* old = texture;
    texture = newTexture;
    GraphicManager::releaseTexture(old);
    if (texture) {
        textureWidth = texture->getWidth();
        textureHeight = texture->getHeight();
        columns = std::max(newColumns, 1u);
        rows = std::max(newRows, 1u);
        frameCount = newFrameCount > 0 ? newFrameCount : columns * rows;
    } else {
        textureWidth = textureHeight = 0;
        columns = rows = frameCount = 1;
    }
    frameWidth = textureWidth / columns;
    frameHeight = textureHeight / rows;
    setFrame(frame);
    updateAbsolutePosition();
}

void Image::setFrame(unsigned newFrame) {
    frame = newFrame < frameCount ? newFrame : frameCount - 1;
    updateRectangles();
}

void Image::setAnchorX(float newAnchorX) {
    anchorX = newAnchorX;
    updateAbsoluteX();
}

void Image::setAnchorY(float newAnchorY) {
    anchorY = newAnchorY;
    updateAbsoluteY();
}

void Image::setAnchor(float newAnchorX, float newAnchorY) {
    anchorX = newAnchorX;
    anchorY = newAnchorY;
    updateAbsolutePosition();
}

void Image::setAlignment(int horizontal, int vertical) {
    if (horizontal == 1)
        anchorX = 0;
    else if (horizontal == 2)
        anchorX = static_cast<float>(frameWidth);
    else if (horizontal == 3)
        anchorX = static_cast<float>(frameWidth / 2);
    if (vertical == 1)
        anchorY = 0;
    else if (vertical == 2)
        anchorY = static_cast<float>(frameHeight);
    else if (vertical == 3)
        anchorY = static_cast<float>(frameHeight / 2);
    updateAbsolutePosition();
}

void Image::setFlipX(bool flip) {
    flipX = flip;
    updateAbsoluteX();
}

void Image::updateRectangles() {
    const unsigned column = frame % columns;
    const unsigned row = frame / columns;
    sourceLeft = static_cast<int>(frameWidth * column);
    sourceRight = sourceLeft + static_cast<int>(frameWidth);
    sourceTop = static_cast<int>(frameHeight * row);
    sourceBottom = sourceTop + static_cast<int>(frameHeight);
    const int left = truncated(getAbsoluteX() - anchorX);
    const int top = truncated(getAbsoluteY() - anchorY);
    clipAxis(left, frameWidth, truncated(getEffectiveClipLeft()), truncated(getEffectiveClipRight()), flipX, sourceLeft,
             sourceRight, destinationLeft, destinationRight);
    clipAxis(top, frameHeight, truncated(getEffectiveClipTop()), truncated(getEffectiveClipBottom()), flipY, sourceTop,
             sourceBottom, destinationTop, destinationBottom);
}

}  // namespace tidewell
