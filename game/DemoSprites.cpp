#include "DemoSprites.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/ErrorFile.h"
#include "display/Image.h"
#include "display/Shape.h"
#include "display/Sprite.h"
#include "display/Text.h"

namespace brinefall {
namespace {

using namespace tidewell;

constexpr const char* kSmallFont = "arial12c_1.twf";
constexpr const char* kLargeFont = "arial20_1.twf";

std::uint32_t argb(std::uint32_t alpha, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    auto byte = [](std::uint32_t value) { return value > 255 ? 255u : value; };
    return byte(alpha) << 24 | byte(red) << 16 | byte(green) << 8 | byte(blue);
}

// A sea backdrop, opaque, so it goes through the colour-keyed copy.
std::vector<std::uint32_t> makeBackdrop() {
    std::vector<std::uint32_t> pixels(800 * 600);
    for (std::uint32_t y = 0; y < 600; ++y) {
        for (std::uint32_t x = 0; x < 800; ++x) {
            const double ray = 0.5 + 0.5 * std::sin((x + y * 0.4) * 0.02);
            const std::uint32_t light = static_cast<std::uint32_t>(ray * (600 - y) / 24);
            pixels[y * 800 + x] = argb(255, 8 + light / 2, 40 + y / 8 + light, 90 + y / 5 + light);
        }
    }
    return pixels;
}

// A round orange fish facing right, translucent like every picture read from a .twi
// file (alpha at most 240, softer at the rim).
std::vector<std::uint32_t> makeFish() {
    constexpr int width = 96, height = 64;
    std::vector<std::uint32_t> pixels(width * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double dx = (x - 54) / 36.0, dy = (y - 32) / 22.0;
            const double body = dx * dx + dy * dy;
            const bool tail = x >= 4 && x < 24 && std::abs(y - 32) < (24 - x) * 0.9 + 2;
            std::uint32_t alpha = 0;
            if (body < 1.0 || tail)
                alpha = 240;
            else if (body < 1.15)
                alpha = 110;
            if (alpha == 0) continue;
            const bool stripe = ((x / 9) % 2 == 0) && !tail;
            std::uint32_t red = 250, green = 150 + static_cast<std::uint32_t>(70 * (1.0 - y / 64.0)), blue = 40;
            if (stripe) green -= 50, blue += 20;
            if (y > 38 && !tail) green += 40, blue += 80;  // a pale belly
            const double ex = x - 76, ey = y - 26;
            if (ex * ex + ey * ey < 30) red = green = blue = 250;
            if (ex * ex + ey * ey < 8) red = green = blue = 20;
            pixels[y * width + x] = argb(alpha, red, green, blue);
        }
    }
    return pixels;
}

// Four 32 × 32 gems of opaque pixels with a translucent rim: copies and blending in one picture.
std::vector<std::uint32_t> makeGems() {
    constexpr int width = 128, height = 32;
    static const std::uint32_t colours[4] = {0xE04040, 0x40E060, 0x4080F0, 0xF0D040};
    std::vector<std::uint32_t> pixels(width * height, 0);
    for (int frame = 0; frame < 4; ++frame) {
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const int distance = std::abs(x - 16) + std::abs(y - 16) + frame;
                const std::uint32_t colour = colours[frame];
                std::uint32_t pixel = 0;
                if (distance < 12) {
                    const std::uint32_t shine = (x < 16 && y < 16) ? 60 : 0;
                    pixel = argb(255, ((colour >> 16) & 0xFF) + shine, ((colour >> 8) & 0xFF) + shine,
                                 (colour & 0xFF) + shine);
                } else if (distance < 15) {
                    pixel = (colour & 0xFFFFFF) | 0x70000000;
                }
                pixels[y * width + frame * 32 + x] = pixel;
            }
        }
    }
    return pixels;
}

// An image that can also be shown upside down.
class FlippableImage : public Image {
public:
    using Image::Image;
    void setFlipY(bool flip) {
        flipY = flip;
        updateAbsoluteY();
    }
};

class DemoScene : public Sprite {
public:
    DemoScene() {
        const std::vector<std::uint32_t> backdrop = makeBackdrop();
        addChild(new Image(backdrop.data(), 800, 600));
        addImages();
        addShapes();
        addTexts();
    }

    void update() override {
        ++frameCounter;
        gems->setFrame((frameCounter / 3) % 4);
        swimmer->setX(static_cast<float>(560 + 80 * std::sin(frameCounter * 0.15)));
        swimmer->setFlipX(std::cos(frameCounter * 0.15) < 0);
    }

private:
    FlippableImage* addFish(float x, float y, bool flipX, bool flipY, std::uint32_t colour, std::uint32_t add) {
        const std::vector<std::uint32_t> fish = makeFish();
        auto* image = new FlippableImage(fish.data(), 96, 64);
        image->setFlipX(flipX);
        image->setFlipY(flipY);
        image->colour = colour;
        image->addColour = add;
        image->setPosition(x, y);
        addChild(image);
        image->updateColour();
        image->updateAddColour();
        return image;
    }

    void addImages() {
        // Plain, mirrored, upside down, both.
        addFish(20, 50, false, false, 0xFFFFFFFF, 0xFF000000);
        addFish(130, 50, true, false, 0xFFFFFFFF, 0xFF000000);
        addFish(240, 50, false, true, 0xFFFFFFFF, 0xFF000000);
        addFish(350, 50, true, true, 0xFFFFFFFF, 0xFF000000);
        // Tinted red and green, faded, brightened, tinted and faded and mirrored.
        addFish(20, 150, false, false, 0xFFFF5050, 0xFF000000);
        addFish(130, 150, false, false, 0xFF60FF60, 0xFF000000);
        addFish(240, 150, false, false, 0x80FFFFFF, 0xFF000000);
        addFish(350, 150, false, false, 0xFFFFFFFF, 0xFF505050);
        addFish(460, 150, true, false, 0x90A0A0FF, 0xFF200000);
        swimmer = addFish(560, 50, false, false, 0xFFFFFFFF, 0xFF000000);

        const std::vector<std::uint32_t> gemPixels = makeGems();
        gems = new Image(gemPixels.data(), 128, 32, 4, 1, 4);
        gems->setPosition(480, 70);
        addChild(gems);
        auto* mirroredGems = new Image(gems->getTexture(), 4, 1, 4);
        mirroredGems->setFrame(2);
        mirroredGems->setFlipX(true);
        mirroredGems->setPosition(520, 70);
        addChild(mirroredGems);

        // A fish half inside a clipping window, shown by a frame around the window.
        auto* window = new Sprite();
        window->setPosition(600, 150);
        window->clipping = true;
        window->clipLeft = 0;
        window->clipTop = 0;
        window->clipRight = 70;
        window->clipBottom = 60;
        addChild(window);
        window->updateClip();
        auto* clipped = new Image(makeFish().data(), 96, 64);
        clipped->setPosition(-20, 10);
        window->addChild(clipped);
        auto* frame = new Shape();
        frame->setPolygon(std::vector<float>{0, 70, 70, 0}.data(), std::vector<float>{0, 0, 60, 60}.data(), 4);
        frame->colour = 0x40FFFFFF;
        frame->setPosition(600, 150);
        addChild(frame);
        frame->updateColour();
    }

    Shape* addShape(Shape* shape, std::uint32_t colour, std::uint32_t add = 0xFF000000) {
        shape->colour = colour;
        shape->addColour = add;
        addChild(shape);
        shape->updateColour();
        shape->updateAddColour();
        return shape;
    }

    void addShapes() {
        for (int i = 0; i < 20; ++i) {
            auto* dot = new Shape();
            const float point = 0;
            dot->setPolygon(&point, &point, 1);
            dot->setPosition(20.0f + i * 4, 250.0f + (i % 5) * 4);
            addShape(dot, 0xFFFFFF00);
        }
        auto* thin = new Shape();
        thin->setLine(110, 250, 200, 290, 1);
        addShape(thin, 0xFFFFFFFF);
        auto* thick = new Shape();
        thick->setLine(110, 300, 200, 260, 8);
        addShape(thick, 0xC0FF8000);
        auto* solid = new Shape();
        solid->setRectangle(220, 250, 290, 300);
        addShape(solid, 0xFF2060C0, 0xFF202020);
        auto* glass = new Shape();
        glass->setRectangle(250, 270, 330, 320);
        addShape(glass, 0x80FFFFFF);
        const float triangleX[] = {360, 420, 340};
        const float triangleY[] = {250, 250, 310};
        auto* triangle = new Shape();
        triangle->setPolygon(triangleX, triangleY, 3);
        addShape(triangle, 0xFF40D040);
        float pentagonX[5], pentagonY[5];
        for (int i = 0; i < 5; ++i) {
            pentagonX[i] = static_cast<float>(480 + 32 * std::sin(i * 2 * 3.14159265 / 5));
            pentagonY[i] = static_cast<float>(282 - 32 * std::cos(i * 2 * 3.14159265 / 5));
        }
        auto* pentagon = new Shape();
        pentagon->setPolygon(pentagonX, pentagonY, 5);
        addShape(pentagon, 0xA0E040E0);
        const float kiteX[] = {560, 600, 560, 530};
        const float kiteY[] = {250, 280, 320, 280};
        auto* kite = new Shape();
        kite->setPolygon(kiteX, kiteY, 4);
        addShape(kite, 0xFFF0F0F0, 0xFF000000);
    }

    void addTexts() {
        static const char* const paragraph =
            "Pufflo dives past the kelp while the clockwork crabs of the Rust Tide wait below the reef.\n"
            "Short paragraph.";
        static const char* const lines = "Lines break only\nwhere the text says,\n\nnever on their own.";
        static const char* const names[5] = {"1 lines", "2 left", "3 right", "4 centred", "5 justified"};
        try {
            auto* title = new Text(kLargeFont);
            title->setText("Tidewell renderer demonstration");
            title->setPosition(20, 12);
            addChild(title);
            for (int mode = 1; mode <= 5; ++mode) {
                const float left = 10.0f + (mode - 1) * 158.0f;
                auto* box = new Shape();
                box->setRectangle(left - 4, 372, left + 150, 590);
                addShape(box, 0x60000000);
                auto* name = new Text(kSmallFont);
                name->setText(names[mode - 1]);
                name->setPosition(left, 352);
                name->colour = 0xFFFFE080;
                addChild(name);
                name->updateColour();
                auto* text = new Text(kSmallFont);
                // The wrap width is read by the layout that setText makes; setMode on an
                // empty text would leave it at 0.
                text->setMode(mode);
                text->width = 146;
                text->setText(mode == Text::linesMode ? lines : paragraph);
                text->setPosition(left, 376);
                addChild(text);
            }
        } catch (const ErrorFile& missing) {
            std::fprintf(stderr, "brinefall: demo: the fonts %s and %s are needed for the texts, which are left out\n",
                         kSmallFont, kLargeFont);
        }
    }

    Image* gems = nullptr;
    Image* swimmer = nullptr;
    unsigned frameCounter = 0;
};

}  // namespace

Sprite* makeDemoSpritesScene() { return new DemoScene(); }

}  // namespace brinefall
