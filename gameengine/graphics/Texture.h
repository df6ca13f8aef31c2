#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace tidewell {

class ImageResource;
class Renderer;
class SoftwareRenderer;
class Surface;

// What a hardware renderer keeps for one texture (its device textures); the texture
// owns it and drops it with its surfaces.
class TextureDeviceObjects {
public:
    virtual ~TextureDeviceObjects() = default;
};

// One image made drawable: any rectangle of it is drawn at any screen position,
// mirrored or not, with a multiply and an add colour. Textures are made, shared and
// deleted only by the graphics manager, which prepares each for the renderer in use.
//
// In its software form the opaque pixels live in colour-keyed surfaces copied as
// they are, and the translucent ones are found through a sorted list and blended, so
// a mostly opaque picture costs little; a tinted or faded draw blends every pixel.
class Texture {
public:
    // Takes one reference to the image; ErrorGeneric for a null image.
    explicit Texture(ImageResource* image);
    // Drops the surfaces and gives the image reference back.
    virtual ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // For a hardware renderer: its size limits and itself, which makes and draws the surfaces.
    void prepareHardware(std::uint32_t maxWidth, std::uint32_t maxHeight, std::uint32_t tileWidth,
                         std::uint32_t tileHeight, Renderer* device);
    // For the software renderer: sorts the pixels into opaque and translucent and splits
    // the image into cells of at most maxWidth × maxHeight. The colour key is chosen when
    // first needed: pictures without opaque pixels (every .twi file) never need one.
    void prepareSoftware(std::uint32_t maxWidth, std::uint32_t maxHeight, bool rotationBlits,
                         SoftwareRenderer* directDraw, Surface* backBuffer);

    // Makes the surfaces and fills them from the image, unless they exist.
    void create();
    void destroySurfaces();
    void recreate();

    // Draws the source rectangle [srcLeft, srcRight) × [srcTop, srcBottom) at the
    // destination; a destination whose left is right of its right is mirrored left to
    // right, one whose top is below its bottom upside down. Nothing is scaled: the
    // picture keeps the source's size, placed at the destination's top-left corner.
    void draw(int srcLeft, int srcTop, int srcRight, int srcBottom, int dstLeft, int dstTop, int dstRight,
              int dstBottom, std::uint32_t multiply, std::uint32_t add);

    bool usesImage(const ImageResource* image) const { return image == image_; }

    ImageResource* getImage() const { return image_; }
    std::uint32_t getWidth() const { return width_; }
    std::uint32_t getHeight() const { return height_; }
    const std::uint32_t* getPixels() const { return pixels_; }
    bool isCreated() const { return created_; }
    bool isHardware() const { return hardware_; }
    std::uint32_t getMaxWidth() const { return maxWidth_; }
    std::uint32_t getMaxHeight() const { return maxHeight_; }
    std::uint32_t getTileWidth() const { return tileWidth_; }
    std::uint32_t getTileHeight() const { return tileHeight_; }
    std::uint32_t getColumns() const { return columns_; }
    std::uint32_t getRows() const { return rows_; }
    // Software form: the size of the last column and of the last row of cells.
    std::uint32_t getSurfaceWidth() const { return surfaceWidth_; }
    std::uint32_t getSurfaceHeight() const { return surfaceHeight_; }
    bool hasOpaquePixels() const { return hasOpaque_; }
    bool hasTranslucentPixels() const { return hasTranslucent_; }
    std::uint32_t getTranslucentPixelCount() const { return translucentCount_; }
    std::uint32_t getColourKey() const;
    // The cell of that column and row, or null while the surfaces do not exist.
    Surface* getSurface(std::uint32_t column, std::uint32_t row) const;

    // A hardware renderer's objects for this texture.
    std::unique_ptr<TextureDeviceObjects> deviceObjects;

private:
    // A run of translucent pixels within one row: the sorted index list, kept as runs
    // of consecutive indices so that whole stretches are blended at once.
    struct Run {
        std::uint32_t start;  // y × width + x of its first pixel
        std::uint32_t length;
    };
    // The source and destination of one draw after clipping, same size, destination normalised.
    struct Placement {
        int srcLeft, srcTop, srcRight, srcBottom;
        int dstLeft, dstTop;
        bool mirrorX, mirrorY;
        int width() const { return srcRight - srcLeft; }
        int height() const { return srcBottom - srcTop; }
    };

    void copyImage(int missingImageLine);
    void classifyPixels();
    std::uint32_t chooseColourKey() const;
    void computeSoftwareGrid();
    void createSoftwareSurfaces();
    void fillCell(Surface& cell, std::uint32_t column, std::uint32_t row);
    bool place(int srcLeft, int srcTop, int srcRight, int srcBottom, int dstLeft, int dstTop, int dstRight,
               int dstBottom, Placement& placement) const;
    void blitOpaque(const Placement& placement);
    void blendTranslucent(const Placement& placement);
    void drawSoftware(const Placement& placement, std::uint32_t multiply, std::uint32_t add);

    ImageResource* image_ = nullptr;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    const std::uint32_t* pixels_ = nullptr;
    bool created_ = false;
    bool hardware_ = false;
    std::uint32_t maxWidth_ = 0;
    std::uint32_t maxHeight_ = 0;
    std::uint32_t tileWidth_ = 0;
    std::uint32_t tileHeight_ = 0;
    std::uint32_t surfaceWidth_ = 0;
    std::uint32_t surfaceHeight_ = 0;
    std::uint32_t columns_ = 0;
    std::uint32_t rows_ = 0;
    bool hasTranslucent_ = true;
    bool hasOpaque_ = true;
    std::vector<Run> translucentRuns_;
    std::uint32_t translucentCount_ = 0;
    // Chosen on first use for the software form; empty until then.
    mutable std::optional<std::uint32_t> colourKey_;
    bool rotationBlits_ = false;
    SoftwareRenderer* directDraw_ = nullptr;
    Surface* backBuffer_ = nullptr;
    Renderer* device_ = nullptr;
    // Column by column: the cell of column c and row r is at c × rows + r.
    std::vector<std::unique_ptr<Surface>> surfaces_;
};

}  // namespace tidewell
