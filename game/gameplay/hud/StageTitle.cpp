#include "gameplay/hud/StageTitle.h"

#include "display/Image.h"
#include "frontend/ControlsCard.h"

namespace brinefall {

namespace {

constexpr int kFirstStageDuration = 140;
constexpr int kLaterStageDuration = 60;

void addCentredImage(tidewell::Sprite* parent, const char* fileName, float x, float y) {
    auto* image = new tidewell::Image(fileName);
    image->setAlignment(3, 3);
    image->setPosition(x, y);
    parent->addChild(image);
}

}  // namespace

StageTitle::StageTitle(bool useJoystick) : useJoystick_(useJoystick) { show(1); }

void StageTitle::show(int n) {
    removeAllChildren();
    if (n == 1) {
        // The first stage also shows how to play, with the keys or pad buttons in force.
        addCentredImage(this, "stageText1.twi", 400, 150);
        auto* card = new ControlsCard(useJoystick_);
        card->setPosition(400, 350);
        addChild(card);
        duration_ = kFirstStageDuration;
    } else {
        addCentredImage(this, "stageText2.twi", 400, 300);
        duration_ = kLaterStageDuration;
    }
    counter_ = 0;
}

void StageTitle::update() {
    // Counting stops once the title is gone, so a long stage never wraps the counter.
    if (counter_ > duration_) return;
    ++counter_;
    if (counter_ > duration_) removeAllChildren();
}

}  // namespace brinefall
