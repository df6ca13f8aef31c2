#include "ShowcaseKit.h"

#include "Image.h"
#include "Shape.h"
#include "Sprite.h"
#include "Text.h"

namespace brinefall::ShowcaseKit {
namespace {

std::set<std::string>& shownNames() {
    static std::set<std::string> names;
    return names;
}

}  // namespace

void notePicture(const char* fileName) { shownNames().insert(fileName); }

const std::set<std::string>& picturesShown() { return shownNames(); }

tidewell::Image* picture(tidewell::Sprite* parent, const char* fileName, unsigned columns, unsigned rows, float x,
                         float y, unsigned frame) {
    notePicture(fileName);
    auto* image = new tidewell::Image(fileName, columns, rows);
    image->setAlignment(3, 3);
    image->setFrame(frame);
    image->setPosition(x, y);
    parent->addChild(image);
    return image;
}

tidewell::Image* tile(tidewell::Sprite* parent, const char* fileName, float x, float y) {
    notePicture(fileName);
    auto* image = new tidewell::Image(fileName);
    image->setPosition(x, y);
    parent->addChild(image);
    return image;
}

tidewell::Shape* rectangle(tidewell::Sprite* parent, float left, float top, float right, float bottom,
                           std::uint32_t argb) {
    auto* shape = new tidewell::Shape();
    shape->setRectangle(left, top, right, bottom);
    shape->colour = argb;
    parent->addChild(shape);
    shape->updateColour();
    return shape;
}

tidewell::Text* text(tidewell::Sprite* parent, const char* fontFile, const char* string, float x, float y, int mode,
                     float wrapWidth) {
    auto* shown = new tidewell::Text(fontFile);
    // The wrap width is read by the layout that setText makes, so it is set first.
    shown->setMode(mode);
    shown->width = wrapWidth;
    shown->setText(string);
    shown->setPosition(x, y);
    parent->addChild(shown);
    return shown;
}

}  // namespace brinefall::ShowcaseKit
