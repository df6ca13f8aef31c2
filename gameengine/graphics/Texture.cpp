#include "graphics/Texture.h"

#include <algorithm>
#include <cstring>

#include "core/ErrorGeneric.h"
#include "core/Screen.h"
#include "graphics/PixelBlend.h"
#include "graphics/Renderer.h"
#include "graphics/SoftwareRenderer.h"
#include "graphics/Surface.h"
#include "resources/ImageResource.h"
#include "resources/ResourceManager.h"

namespace tidewell {
namespace {

constexpr const char* kModulePath = "gameengine\\Game Engine\\Texture";

constexpr int kLineNoImage = 54;
constexpr int kLineHardwareNoImage = 114;
constexpr int kLineHardwareNoDevice = 140;
constexpr int kLineSoftwareNoImage = 151;
constexpr int kLineSoftwareNoDirectDraw = 179;
constexpr int kLineSoftwareNoBackBuffer = 184;
constexpr int kLineGridZeroSize = 311;
constexpr int kLineGridZeroLimit = 315;
constexpr int kLineCreateNoDirectDraw = 691;
constexpr int kLineCreateZeroSize = 696;
constexpr int kLineFillNoPixels = 799;
constexpr int kLineFillRestore = 885;
constexpr int kLineFillLock = 889;
constexpr int kLineHardwareStillMissing = 995;
constexpr int kLineSoftwareStillMissing = 1125;
constexpr int kLineBlitNoBackBuffer = 1184;
constexpr int kLineBlitNoSurface = 1188;
constexpr int kLineBlitFailed = 1283;
constexpr int kLineTranslucentNoBackBuffer = 1316;
constexpr int kLineTranslucentRestore = 1418;
constexpr int kLineTranslucentLock = 1421;
constexpr int kLineSoftwareDrawNoBackBuffer = 1582;
constexpr int kLineSoftwareDrawRestore = 1660;
constexpr int kLineSoftwareDrawLock = 1663;

constexpr std::uint32_t kPlainMultiply = 0xFFFFFFFF;
constexpr std::uint32_t kPlainAdd = 0xFF000000;

// A pixel's colour reduced to 4 bits a channel: the classes among which a 32-bit key is chosen.
std::uint32_t colourClass(std::uint32_t pixel) {
    return ((pixel >> 20) & 0xF) << 8 | ((pixel >> 12) & 0xF) << 4 | ((pixel >> 4) & 0xF);
}

// The least used entry of a histogram: the first unused one, else the rarest, the smallest among equals.
std::uint32_t leastUsed(const std::vector<std::uint32_t>& counts) {
    return static_cast<std::uint32_t>(std::min_element(counts.begin(), counts.end()) - counts.begin());
}

}  // namespace

Texture::Texture(ImageResource* image) {
    if (!image) throw ErrorGeneric(kModulePath, kLineNoImage, 0);
    image_ = ResourceManager::retainImage(image);
}

Texture::~Texture() {
    destroySurfaces();
    ResourceManager::releaseImage(image_);
}

void Texture::copyImage(int missingImageLine) {
    if (!image_) throw ErrorGeneric(kModulePath, missingImageLine, 0);
    width_ = image_->width;
    height_ = image_->height;
    pixels_ = image_->pixels;
}

void Texture::prepareHardware(std::uint32_t maxWidth, std::uint32_t maxHeight, std::uint32_t tileWidth,
                              std::uint32_t tileHeight, Renderer* device) {
    destroySurfaces();
    copyImage(kLineHardwareNoImage);
    if (!device) throw ErrorGeneric(kModulePath, kLineHardwareNoDevice, 0);
    hardware_ = true;
    maxWidth_ = maxWidth;
    maxHeight_ = maxHeight;
    tileWidth_ = tileWidth;
    tileHeight_ = tileHeight;
    device_ = device;
    directDraw_ = nullptr;
    backBuffer_ = nullptr;
}

void Texture::prepareSoftware(std::uint32_t maxWidth, std::uint32_t maxHeight, bool rotationBlits,
                              SoftwareRenderer* directDraw, Surface* backBuffer) {
    destroySurfaces();
    copyImage(kLineSoftwareNoImage);
    hardware_ = false;
    device_ = nullptr;
    maxWidth_ = maxWidth;
    maxHeight_ = maxHeight;
    rotationBlits_ = rotationBlits;
    if (!directDraw) throw ErrorGeneric(kModulePath, kLineSoftwareNoDirectDraw, 0);
    if (!backBuffer) throw ErrorGeneric(kModulePath, kLineSoftwareNoBackBuffer, 0);
    directDraw_ = directDraw;
    backBuffer_ = backBuffer;
    classifyPixels();
    colourKey_.reset();
    computeSoftwareGrid();
}

// Row by row, in stretches: the pixels of a picture come in long runs of one kind, so each
// run of translucent pixels is found with one tight scan instead of a test per pixel.
void Texture::classifyPixels() {
    hasOpaque_ = false;
    hasTranslucent_ = false;
    translucentRuns_.clear();
    translucentCount_ = 0;
    if (!pixels_) return;
    const auto isTranslucent = [](std::uint32_t pixel) { return pixel - 0x01000000u < 0xFE000000u; };
    for (std::uint32_t y = 0; y < height_; ++y) {
        const std::uint32_t* row = pixels_ + std::size_t{y} * width_;
        std::uint32_t x = 0;
        while (x < width_) {
            while (x < width_ && !isTranslucent(row[x])) {
                hasOpaque_ = hasOpaque_ || (row[x] >> 24) == 255;
                ++x;
            }
            const std::uint32_t start = x;
            // Four at a time through the long stretches, then one by one to the run's end.
            // The four tests are added, not chained with &&, so that no branch splits them.
            while (x + 4 <= width_ && isTranslucent(row[x]) + isTranslucent(row[x + 1]) + isTranslucent(row[x + 2]) +
                                              isTranslucent(row[x + 3]) == 4) {
                x += 4;
            }
            while (x < width_ && isTranslucent(row[x])) ++x;
            if (x > start) {
                translucentRuns_.push_back({y * width_ + start, x - start});
                translucentCount_ += x - start;
            }
        }
    }
    hasTranslucent_ = translucentCount_ > 0;
    translucentRuns_.shrink_to_fit();
}

std::uint32_t Texture::getColourKey() const {
    if (!directDraw_) return 0;  // the hardware form keys nothing
    if (!colourKey_) colourKey_ = chooseColourKey();
    return *colourKey_;
}

std::uint32_t Texture::chooseColourKey() const {
    const std::size_t count = std::size_t{width_} * height_;
    const DisplayFormat& format = directDraw_->displayFormat();
    if (format.depth == 16) {
        std::vector<std::uint32_t> uses(65536, 0);
        for (std::size_t i = 0; pixels_ && i < count; ++i) {
            if (pixels_[i] >> 24) ++uses[format.toDisplayColour(pixels_[i])];
        }
        return leastUsed(uses);
    }
    std::vector<std::uint32_t> uses(4096, 0);
    for (std::size_t i = 0; pixels_ && i < count; ++i) {
        if (pixels_[i] >> 24) ++uses[colourClass(pixels_[i])];
    }
    const std::uint32_t chosen = leastUsed(uses);
    return ((chosen >> 8 & 0xF) * 16 + 1) << 16 | ((chosen >> 4 & 0xF) * 16 + 1) << 8 | ((chosen & 0xF) * 16 + 1);
}

void Texture::computeSoftwareGrid() {
    if (width_ == 0 || height_ == 0) throw ErrorGeneric(kModulePath, kLineGridZeroSize, 0);
    if (maxWidth_ == 0 || maxHeight_ == 0) throw ErrorGeneric(kModulePath, kLineGridZeroLimit, 0);
    columns_ = (width_ - 1) / maxWidth_ + 1;
    rows_ = (height_ - 1) / maxHeight_ + 1;
    surfaceWidth_ = width_ - (columns_ - 1) * maxWidth_;
    surfaceHeight_ = height_ - (rows_ - 1) * maxHeight_;
}

void Texture::create() {
    if (created_) return;
    if (hardware_) {
        device_->createTextureSurfaces(*this);
    } else {
        createSoftwareSurfaces();
    }
    created_ = true;
}

void Texture::destroySurfaces() {
    if (hardware_ && device_ && created_) device_->destroyTextureSurfaces(*this);
    deviceObjects.reset();
    surfaces_.clear();
    created_ = false;
}

void Texture::recreate() {
    destroySurfaces();
    create();
}

Surface* Texture::getSurface(std::uint32_t column, std::uint32_t row) const {
    const std::size_t index = std::size_t{column} * rows_ + row;
    return column < columns_ && row < rows_ && index < surfaces_.size() ? surfaces_[index].get() : nullptr;
}

// Only the opaque pixels need surfaces: a picture without any is drawn by blending alone.
void Texture::createSoftwareSurfaces() {
    if (!directDraw_) throw ErrorGeneric(kModulePath, kLineCreateNoDirectDraw, 0);
    if (width_ == 0 || height_ == 0) throw ErrorGeneric(kModulePath, kLineCreateZeroSize, 0);
    if (!hasOpaque_) return;
    if (!pixels_) throw ErrorGeneric(kModulePath, kLineFillNoPixels, 0);
    std::vector<std::unique_ptr<Surface>> cells;
    for (std::uint32_t column = 0; column < columns_; ++column) {
        for (std::uint32_t row = 0; row < rows_; ++row) {
            const std::uint32_t cellWidth = column + 1 < columns_ ? maxWidth_ : surfaceWidth_;
            const std::uint32_t cellHeight = row + 1 < rows_ ? maxHeight_ : surfaceHeight_;
            std::unique_ptr<Surface> cell = directDraw_->createSurface(cellWidth, cellHeight);
            cell->setColourKey(getColourKey());
            fillCell(*cell, column, row);
            cells.push_back(std::move(cell));
        }
    }
    surfaces_ = std::move(cells);
}

void Texture::fillCell(Surface& cell, std::uint32_t column, std::uint32_t row) {
    const PixelRect whole{0, 0, static_cast<int>(cell.getWidth()), static_cast<int>(cell.getHeight())};
    std::uint8_t* first = nullptr;
    for (;;) {
        SurfaceResult result;
        first = cell.lock(whole, result);
        if (first) break;
        if (result != SurfaceResult::SurfaceLost)
            throw ErrorGeneric(kModulePath, kLineFillLock, static_cast<int>(result));
        if (!cell.restore()) throw ErrorGeneric(kModulePath, kLineFillRestore, 0);
    }
    const DisplayFormat& format = cell.getFormat();
    const std::uint32_t key = getColourKey();
    for (std::uint32_t y = 0; y < cell.getHeight(); ++y) {
        const std::uint32_t* source = pixels_ + std::size_t{row * maxHeight_ + y} * width_ + column * maxWidth_;
        std::uint8_t* target = first + std::size_t{y} * cell.getPitch();
        for (std::uint32_t x = 0; x < cell.getWidth(); ++x) {
            const std::uint32_t pixel = source[x];
            std::uint32_t value = key;
            if (pixel >> 24 == 255) {
                // The unused top byte stays 0, like every pixel of the back buffer.
                value = format.depth == 16 ? format.toDisplayColour(pixel) : pixel & 0xFFFFFF;
                if (value == key) value = format.avoidKeyColour(value);
            }
            if (format.depth == 16) {
                const auto narrow = static_cast<std::uint16_t>(value);
                std::memcpy(target + x * 2, &narrow, sizeof narrow);
            } else {
                std::memcpy(target + x * 4, &value, sizeof value);
            }
        }
    }
    cell.unlock();
}

void Texture::draw(int srcLeft, int srcTop, int srcRight, int srcBottom, int dstLeft, int dstTop, int dstRight,
                   int dstBottom, std::uint32_t multiply, std::uint32_t add) {
    if ((multiply >> 24) == 0) return;
    if (!created_) create();
    if (!created_)
        throw ErrorGeneric(kModulePath, hardware_ ? kLineHardwareStillMissing : kLineSoftwareStillMissing, 0);
    if (hardware_) {
        device_->drawTexture(*this, srcLeft, srcTop, srcRight, srcBottom, dstLeft, dstTop, dstRight, dstBottom,
                             multiply, add);
        return;
    }
    Placement placement;
    if (!place(srcLeft, srcTop, srcRight, srcBottom, dstLeft, dstTop, dstRight, dstBottom, placement)) return;
    const bool plainColours = multiply == kPlainMultiply && add == kPlainAdd;
    const bool bothMirrored = placement.mirrorX && placement.mirrorY;
    if (!plainColours || (bothMirrored && !rotationBlits_)) {
        drawSoftware(placement, multiply, add);
        return;
    }
    if (hasOpaque_) blitOpaque(placement);
    if (hasTranslucent_) blendTranslucent(placement);
}

// Keeps the source within the image and the destination within the screen, moving the
// matching edge of the other rectangle (the opposite one on a mirrored axis).
bool Texture::place(int srcLeft, int srcTop, int srcRight, int srcBottom, int dstLeft, int dstTop, int dstRight,
                    int dstBottom, Placement& placement) const {
    placement.mirrorX = dstLeft > dstRight;
    placement.mirrorY = dstTop > dstBottom;
    placement.srcLeft = srcLeft;
    placement.srcTop = srcTop;
    placement.srcRight = srcRight;
    placement.srcBottom = srcBottom;
    placement.dstLeft = std::min(dstLeft, dstRight);
    placement.dstTop = std::min(dstTop, dstBottom);

    auto clipAxis = [](int& srcLow, int& srcHigh, int& dstLow, bool mirrored, int imageSize, int screenSize) {
        // The source within the image: the destination follows the edge that moved.
        if (srcLow < 0) {
            if (!mirrored) dstLow += -srcLow;
            srcLow = 0;
        }
        if (srcHigh > imageSize) {
            if (mirrored) dstLow += srcHigh - imageSize;
            srcHigh = imageSize;
        }
        if (srcHigh <= srcLow) return false;
        // The destination within the screen: the source loses the same number of pixels.
        if (dstLow < 0) {
            const int cut = -dstLow;
            if (mirrored)
                srcHigh -= cut;
            else
                srcLow += cut;
            dstLow = 0;
        }
        const int dstHigh = dstLow + (srcHigh - srcLow);
        if (dstHigh > screenSize) {
            const int cut = dstHigh - screenSize;
            if (mirrored)
                srcLow += cut;
            else
                srcHigh -= cut;
        }
        return srcHigh > srcLow;
    };
    return clipAxis(placement.srcLeft, placement.srcRight, placement.dstLeft, placement.mirrorX,
                    static_cast<int>(width_), static_cast<int>(screenWidth)) &&
           clipAxis(placement.srcTop, placement.srcBottom, placement.dstTop, placement.mirrorY,
                    static_cast<int>(height_), static_cast<int>(screenHeight));
}

void Texture::blitOpaque(const Placement& placement) {
    Surface* backBuffer = directDraw_->getBackBuffer();
    if (!backBuffer) throw ErrorGeneric(kModulePath, kLineBlitNoBackBuffer, 0);
    const int cellWidth = static_cast<int>(maxWidth_);
    const int cellHeight = static_cast<int>(maxHeight_);
    const std::uint32_t firstColumn = static_cast<std::uint32_t>(placement.srcLeft / cellWidth);
    const std::uint32_t lastColumn = static_cast<std::uint32_t>((placement.srcRight - 1) / cellWidth);
    const std::uint32_t firstRow = static_cast<std::uint32_t>(placement.srcTop / cellHeight);
    const std::uint32_t lastRow = static_cast<std::uint32_t>((placement.srcBottom - 1) / cellHeight);
    for (std::uint32_t column = firstColumn; column <= lastColumn; ++column) {
        for (std::uint32_t row = firstRow; row <= lastRow; ++row) {
            Surface* cell = getSurface(column, row);
            if (!cell) throw ErrorGeneric(kModulePath, kLineBlitNoSurface, 0);
            const int cellLeft = static_cast<int>(column) * cellWidth;
            const int cellTop = static_cast<int>(row) * cellHeight;
            const int partLeft = std::max(placement.srcLeft, cellLeft);
            const int partTop = std::max(placement.srcTop, cellTop);
            const int partRight = std::min(placement.srcRight, cellLeft + static_cast<int>(cell->getWidth()));
            const int partBottom = std::min(placement.srcBottom, cellTop + static_cast<int>(cell->getHeight()));
            if (partRight <= partLeft || partBottom <= partTop) continue;
            // A mirrored part lands as far from the destination's left as it is from the source's right.
            const int x =
                placement.dstLeft + (placement.mirrorX ? placement.srcRight - partRight : partLeft - placement.srcLeft);
            const int y =
                placement.dstTop + (placement.mirrorY ? placement.srcBottom - partBottom : partTop - placement.srcTop);
            const PixelRect part{partLeft - cellLeft, partTop - cellTop, partRight - cellLeft, partBottom - cellTop};
            const SurfaceResult result = backBuffer->blitKeyed(*cell, part, x, y, placement.mirrorX, placement.mirrorY);
            if (result != SurfaceResult::Ok) throw ErrorGeneric(kModulePath, kLineBlitFailed, static_cast<int>(result));
        }
    }
}

void Texture::blendTranslucent(const Placement& placement) {
    Surface* backBuffer = directDraw_->getBackBuffer();
    if (!backBuffer) throw ErrorGeneric(kModulePath, kLineTranslucentNoBackBuffer, 0);
    const PixelRect target{placement.dstLeft, placement.dstTop, placement.dstLeft + placement.width(),
                           placement.dstTop + placement.height()};
    std::uint8_t* first =
        directDraw_->lockBackBuffer(target, kModulePath, kLineTranslucentRestore, kLineTranslucentLock);
    const std::size_t pitch = backBuffer->getPitch();
    const bool deep = backBuffer->getFormat().depth == 32;
    const PixelBlend::Kernels& kernels = PixelBlend::active();

    // The runs that can touch the source rectangle, found by binary search.
    const std::uint32_t firstIndex = static_cast<std::uint32_t>(placement.srcTop) * width_ + placement.srcLeft;
    const std::uint32_t endIndex = static_cast<std::uint32_t>(placement.srcBottom - 1) * width_ + placement.srcRight;
    auto run = std::lower_bound(
        translucentRuns_.begin(), translucentRuns_.end(), firstIndex,
        [](const Run& candidate, std::uint32_t index) { return candidate.start + candidate.length <= index; });
    for (; run != translucentRuns_.end() && run->start < endIndex; ++run) {
        const int y = static_cast<int>(run->start / width_);
        const int runLeft = static_cast<int>(run->start % width_);
        const int from = std::max(runLeft, placement.srcLeft);
        const int to = std::min(runLeft + static_cast<int>(run->length), placement.srcRight);
        if (from >= to) continue;
        const int targetRow = placement.mirrorY ? placement.srcBottom - 1 - y : y - placement.srcTop;
        const int targetColumn = placement.mirrorX ? placement.srcRight - to : from - placement.srcLeft;
        std::uint8_t* row = first + static_cast<std::size_t>(targetRow) * pitch;
        const std::uint32_t* source =
            pixels_ + std::size_t{static_cast<std::uint32_t>(y)} * width_ + (placement.mirrorX ? to - 1 : from);
        if (deep) {
            kernels.translucent32(reinterpret_cast<std::uint32_t*>(row) + targetColumn, source, to - from,
                                  placement.mirrorX);
        } else {
            kernels.translucent16(reinterpret_cast<std::uint16_t*>(row) + targetColumn, source, to - from,
                                  placement.mirrorX);
        }
    }
    backBuffer->unlock();
}

void Texture::drawSoftware(const Placement& placement, std::uint32_t multiply, std::uint32_t add) {
    Surface* backBuffer = directDraw_->getBackBuffer();
    if (!backBuffer) throw ErrorGeneric(kModulePath, kLineSoftwareDrawNoBackBuffer, 0);
    if (!pixels_) return;
    const PixelRect target{placement.dstLeft, placement.dstTop, placement.dstLeft + placement.width(),
                           placement.dstTop + placement.height()};
    std::uint8_t* first =
        directDraw_->lockBackBuffer(target, kModulePath, kLineSoftwareDrawRestore, kLineSoftwareDrawLock);
    const std::size_t pitch = backBuffer->getPitch();
    const bool deep = backBuffer->getFormat().depth == 32;
    const PixelBlend::Kernels& kernels = PixelBlend::active();
    for (int y = placement.srcTop; y < placement.srcBottom; ++y) {
        const int targetRow = placement.mirrorY ? placement.srcBottom - 1 - y : y - placement.srcTop;
        std::uint8_t* row = first + static_cast<std::size_t>(targetRow) * pitch;
        const std::uint32_t* source = pixels_ + std::size_t{static_cast<std::uint32_t>(y)} * width_ +
                                      (placement.mirrorX ? placement.srcRight - 1 : placement.srcLeft);
        if (deep) {
            kernels.tinted32(reinterpret_cast<std::uint32_t*>(row), source, placement.width(), placement.mirrorX,
                             multiply, add);
        } else {
            kernels.tinted16(reinterpret_cast<std::uint16_t*>(row), source, placement.width(), placement.mirrorX,
                             multiply, add);
        }
    }
    backBuffer->unlock();
}

}  // namespace tidewell
