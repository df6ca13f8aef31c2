#include "display/Image.h"

#include <algorithm>

#include "graphics/GraphicManager.h"
#include "graphics/PixelPosition.h"
#include "graphics/Texture.h"

namespace tidewell {
namespace {

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

Image::~Image() { GraphicManager::releaseTexture(texture_); }

float Image::getWidth() const { return static_cast<float>(frameWidth_); }
float Image::getHeight() const { return static_cast<float>(frameHeight_); }
float Image::getLeft() const { return x - anchorX_; }
float Image::getTop() const { return y - anchorY_; }
float Image::getRight() const { return x - anchorX_ + static_cast<float>(frameWidth_); }
float Image::getBottom() const { return y - anchorY_ + static_cast<float>(frameHeight_); }

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
    if (!texture_ || (getEffectiveColour() >> 24) == 0) return;
    if (getDrawX() == getAbsoluteX() && getDrawY() == getAbsoluteY()) {
        texture_->draw(sourceLeft_, sourceTop_, sourceRight_, sourceBottom_, destinationLeft_, destinationTop_,
                       destinationRight_, destinationBottom_, getEffectiveColour(), getEffectiveAddColour());
        return;
    }
    // Between ticks the frame goes where the picture shows the sprite, cut to the same clip.
    const Rectangles between = rectanglesAt(getDrawX(), getDrawY());
    texture_->draw(between.sourceLeft, between.sourceTop, between.sourceRight, between.sourceBottom,
                   between.destinationLeft, between.destinationTop, between.destinationRight, between.destinationBottom,
                   getEffectiveColour(), getEffectiveAddColour());
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
    Texture* old = texture_;
    texture_ = newTexture;
    GraphicManager::releaseTexture(old);
    if (texture_) {
        textureWidth_ = texture_->getWidth();
        textureHeight_ = texture_->getHeight();
        columns_ = std::max(newColumns, 1u);
        rows_ = std::max(newRows, 1u);
        frameCount_ = newFrameCount > 0 ? newFrameCount : columns_ * rows_;
    } else {
        textureWidth_ = textureHeight_ = 0;
        columns_ = rows_ = frameCount_ = 1;
    }
    frameWidth_ = textureWidth_ / columns_;
    frameHeight_ = textureHeight_ / rows_;
    setFrame(frame_);
    updateAbsolutePosition();
}

void Image::setFrame(unsigned newFrame) {
    frame_ = newFrame < frameCount_ ? newFrame : frameCount_ - 1;
    updateRectangles();
}

void Image::setAnchorX(float newAnchorX) {
    anchorX_ = newAnchorX;
    updateAbsoluteX();
}

void Image::setAnchorY(float newAnchorY) {
    anchorY_ = newAnchorY;
    updateAbsoluteY();
}

void Image::setAnchor(float newAnchorX, float newAnchorY) {
    anchorX_ = newAnchorX;
    anchorY_ = newAnchorY;
    updateAbsolutePosition();
}

void Image::setAlignment(int horizontal, int vertical) {
    if (horizontal == 1)
        anchorX_ = 0;
    else if (horizontal == 2)
        anchorX_ = static_cast<float>(frameWidth_);
    else if (horizontal == 3)
        anchorX_ = static_cast<float>(frameWidth_ / 2);
    if (vertical == 1)
        anchorY_ = 0;
    else if (vertical == 2)
        anchorY_ = static_cast<float>(frameHeight_);
    else if (vertical == 3)
        anchorY_ = static_cast<float>(frameHeight_ / 2);
    updateAbsolutePosition();
}

void Image::setFlipX(bool flip) {
    flipX_ = flip;
    updateAbsoluteX();
}

Image::Rectangles Image::rectanglesAt(float screenX, float screenY) const {
    Rectangles result;
    const unsigned column = frame_ % columns_;
    const unsigned row = frame_ / columns_;
    result.sourceLeft = static_cast<int>(frameWidth_ * column);
    result.sourceRight = result.sourceLeft + static_cast<int>(frameWidth_);
    result.sourceTop = static_cast<int>(frameHeight_ * row);
    result.sourceBottom = result.sourceTop + static_cast<int>(frameHeight_);
    const int left = truncated(screenX - anchorX_);
    const int top = truncated(screenY - anchorY_);
    clipAxis(left, frameWidth_, truncated(getEffectiveClipLeft()), truncated(getEffectiveClipRight()), flipX_,
             result.sourceLeft, result.sourceRight, result.destinationLeft, result.destinationRight);
    clipAxis(top, frameHeight_, truncated(getEffectiveClipTop()), truncated(getEffectiveClipBottom()), flipY,
             result.sourceTop, result.sourceBottom, result.destinationTop, result.destinationBottom);
    return result;
}

void Image::updateRectangles() {
    const Rectangles now = rectanglesAt(getAbsoluteX(), getAbsoluteY());
    sourceLeft_ = now.sourceLeft;
    sourceTop_ = now.sourceTop;
    sourceRight_ = now.sourceRight;
    sourceBottom_ = now.sourceBottom;
    destinationLeft_ = now.destinationLeft;
    destinationTop_ = now.destinationTop;
    destinationRight_ = now.destinationRight;
    destinationBottom_ = now.destinationBottom;
}

}  // namespace tidewell
