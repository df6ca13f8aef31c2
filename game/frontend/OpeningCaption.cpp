#include "frontend/OpeningCaption.h"

#include "graphics/GraphicManager.h"
#include "display/Image.h"

namespace brinefall {

OpeningCaption::OpeningCaption(const char* fileName, unsigned columns, unsigned rows)
    : texture_(tidewell::GraphicManager::getTexture(fileName, true)),
      lineCount_(static_cast<int>((columns == 0 ? 1 : columns) * (rows == 0 ? 1 : rows))) {
    for (int i = 0; i < lineCount_; ++i) {
        auto* line = new tidewell::Image(texture_, columns, rows);
        line->setFrame(static_cast<unsigned>(i));
        line->setAlignment(3, 3);
        line->setAlpha(0);
        addChild(line);
        lines_.push_back(line);
    }
}

OpeningCaption::~OpeningCaption() { tidewell::GraphicManager::releaseTexture(texture_); }

void OpeningCaption::start() { started_ = true; }

tidewell::Image* OpeningCaption::getLine(int line) const {
    return line >= 0 && line < lineCount_ ? lines_[static_cast<std::size_t>(line)] : nullptr;
}

void OpeningCaption::update() {
    if (!started_) return;
    ++counter_;
    for (int i = 0; i < lineCount_; ++i) stepLine(i, counter_ - i * lineDelay_);
}

void OpeningCaption::stepLine(int line, int t) {
    tidewell::Image* image = lines_[static_cast<std::size_t>(line)];
    if (t <= 0 || t > fadeIn_ + hold_ + fadeOut_) return;
    image->setY(-static_cast<float>(t) * speed_);
    if (t <= fadeIn_) {
        image->setAlpha(t * 255 / fadeIn_);
    } else if (t > fadeIn_ + hold_) {
        image->setAlpha((fadeIn_ + hold_ + fadeOut_ - t) * 255 / fadeOut_);
    }
}

}  // namespace brinefall
