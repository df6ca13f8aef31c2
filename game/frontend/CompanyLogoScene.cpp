#include "frontend/CompanyLogoScene.h"

#include "display/Image.h"
#include "input/InputManager.h"
#include "ControlBindings.h"
#include "display/Shape.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"

namespace brinefall {
namespace {

using namespace tidewell;

constexpr int kFadeInEnd = 20;
constexpr int kFadeOutStart = 60;
constexpr int kFadeOutEnd = 80;
constexpr int kFadeFrames = 20;

}  // namespace

CompanyLogoScene::CompanyLogoScene() {
    backdrop_ = new Shape;
    backdrop_->setRectangle(0, 0, screenWidth, screenHeight);
    backdrop_->setRGB(0);
    addChild(backdrop_);

    logo_ = new Image("company.twi");
    logo_->setAlignment(3, 3);
    logo_->setAlpha(0);
    logo_->setPosition(400, 300);
    addChild(logo_);

    jingle_ = SoundMusicManager::getSound("company.tws", true);
    InputManager::setCursorVisible(true);

    // The logo takes every event, so nothing behind it reacts meanwhile.
    keyboardEnabled = mouseEnabled = joystickEnabled = true;
    keyboardStop = mouseStop = joystickStop = true;
}

CompanyLogoScene::~CompanyLogoScene() {
    if (jingle_) SoundMusicManager::releaseSound(jingle_);
}

int CompanyLogoScene::logoOpacityAt(int frame) {
    if (frame < kFadeInEnd) return frame * 255 / kFadeFrames;
    if (frame < kFadeOutStart) return 255;
    if (frame < kFadeOutEnd) return (kFadeOutEnd - frame) * 255 / kFadeFrames;
    return 0;
}

void CompanyLogoScene::update() {
    // Once the end is reported the switcher deletes the scene at the end of this frame.
    if (finished_) return;
    frameCount_ += 1;
    if (frameCount_ == kJingleFrame && jingle_) jingle_->play(true);
    if (frameCount_ < kEndFrame) {
        logo_->setAlpha(logoOpacityAt(frameCount_));
        return;
    }
    logo_->setAlpha(0);
    if (jingle_) jingle_->stop();
    finished_ = true;
    if (parent) parent->notify(this, 0);
}

void CompanyLogoScene::keyDown(int key) {
    if (!ControlBindings::inForce().isDirectionKey(key)) skip();
}

void CompanyLogoScene::mouseDown(int /*button*/) { skip(); }

void CompanyLogoScene::joystickDown(int /*button*/, int /*joystick*/) { skip(); }

void CompanyLogoScene::skip() {
    if (finished_) return;
    logo_->setAlpha(0);
    frameCount_ = kEndFrame - 1;
}

}  // namespace brinefall
