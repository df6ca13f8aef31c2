#pragma once

#include <cstdint>

#include "display/Sprite.h"

namespace tidewell {

class Texture;

// The sprite that shows one frame of a texture. The texture is a grid of equal frames
// (columns × rows, read row by row); the current frame sits with its anchor point on
// the sprite's position, optionally mirrored, tinted by the sprite's colours and cut
// to its clip rectangle. Animation is the owner choosing the frame.
class Image : public Sprite {
public:
    // A frame count of 0 means columns × rows; a column or row count of 0 counts as 1.
    // From a file (normally .twi), shared through the graphics manager.
    explicit Image(const char* fileName, unsigned columns = 1, unsigned rows = 1, unsigned frameCount = 0);
    // Sharing a texture somebody already holds.
    explicit Image(Texture* texture, unsigned columns = 1, unsigned rows = 1, unsigned frameCount = 0);
    // From width × height ARGB colours, rows from the top.
    Image(const std::uint32_t* colours, unsigned width, unsigned height, unsigned columns = 1, unsigned rows = 1,
          unsigned frameCount = 0);
    // Gives the texture back.
    ~Image() override;

    float getWidth() const override;
    float getHeight() const override;
    float getLeft() const override;
    float getTop() const override;
    float getRight() const override;
    float getBottom() const override;
    void updateAbsoluteX() override;
    void updateAbsoluteY() override;
    void updateAbsolutePosition() override;
    void updateClip() override;
    void draw() override;

    // Each replaces the texture and the grid; when no texture results the image is
    // empty (size 0, one frame). The current frame is kept when it still exists.
    void setFile(const char* fileName, unsigned columns = 1, unsigned rows = 1, unsigned frameCount = 0);
    void setTexture(Texture* texture, unsigned columns = 1, unsigned rows = 1, unsigned frameCount = 0);
    void setPixels(const std::uint32_t* colours, unsigned width, unsigned height, unsigned columns = 1,
                   unsigned rows = 1, unsigned frameCount = 0);
    // A frame at or past the end shows the last one.
    void setFrame(unsigned frame);
    void setAnchorX(float anchorX);
    void setAnchorY(float anchorY);
    void setAnchor(float anchorX, float anchorY);
    // 1 left (top), 2 right (bottom), 3 centre (middle) of the frame; other values leave that axis.
    void setAlignment(int horizontal, int vertical);
    void setFlipX(bool flip);

    unsigned getFrame() const { return frame_; }
    unsigned getFrameCount() const { return frameCount_; }
    unsigned getColumns() const { return columns_; }
    unsigned getRows() const { return rows_; }
    unsigned getFrameWidth() const { return frameWidth_; }
    unsigned getFrameHeight() const { return frameHeight_; }
    unsigned getTextureWidth() const { return textureWidth_; }
    unsigned getTextureHeight() const { return textureHeight_; }
    float getAnchorX() const { return anchorX_; }
    float getAnchorY() const { return anchorY_; }
    bool getFlipX() const { return flipX_; }
    Texture* getTexture() const { return texture_; }

    // The part of the texture drawn and where it goes (reversed on a mirrored axis).
    int getSourceLeft() const { return sourceLeft_; }
    int getSourceTop() const { return sourceTop_; }
    int getSourceRight() const { return sourceRight_; }
    int getSourceBottom() const { return sourceBottom_; }
    int getDestinationLeft() const { return destinationLeft_; }
    int getDestinationTop() const { return destinationTop_; }
    int getDestinationRight() const { return destinationRight_; }
    int getDestinationBottom() const { return destinationBottom_; }

private:
    unsigned frame_ = 0;
    unsigned frameCount_ = 1;
    unsigned textureWidth_ = 0;
    unsigned textureHeight_ = 0;
    unsigned columns_ = 1;
    unsigned rows_ = 1;
    unsigned frameWidth_ = 0;
    unsigned frameHeight_ = 0;
    float anchorX_ = 0;
    float anchorY_ = 0;
    Texture* texture_ = nullptr;
    int sourceLeft_ = 0;
    int sourceTop_ = 0;
    int sourceRight_ = 0;
    int sourceBottom_ = 0;
    int destinationLeft_ = 0;
    int destinationTop_ = 0;
    int destinationRight_ = 0;
    int destinationBottom_ = 0;
    bool flipX_ = false;

protected:
    // No setter: a subclass that shows its picture upside down sets it.
    bool flipY = false;

    // Takes the new texture (already one reference held), gives the old one back and sets the grid.
    void adoptTexture(Texture* newTexture, unsigned columns, unsigned rows, unsigned frameCount);
    void updateRectangles();

private:
    // The part of the texture drawn and where it goes, for the frame placed at a screen point.
    struct Rectangles {
        int sourceLeft = 0, sourceTop = 0, sourceRight = 0, sourceBottom = 0;
        int destinationLeft = 0, destinationTop = 0, destinationRight = 0, destinationBottom = 0;
    };
    Rectangles rectanglesAt(float screenX, float screenY) const;
};

}  // namespace tidewell
