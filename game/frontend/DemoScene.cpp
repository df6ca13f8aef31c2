#include "frontend/DemoScene.h"

#include "core/Random.h"
#include "core/Screen.h"
#include "display/Text.h"
#include "input/InputManager.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"

namespace brinefall {
namespace {

using namespace tidewell;

constexpr const char* kFont = "arial20_1.twf";
constexpr float kCaptionY = 40;
// The caption shows for 15 frames and hides for 5.
constexpr int kBlinkPeriod = 20;
constexpr int kBlinkShown = 15;

}  // namespace

DemoScene::DemoScene(int stage) {
    savedRandomState_ = Random::currentState();
    savedRandomSeeded_ = Random::isSeeded();
    savedPointerX_ = InputManager::mouseX;
    savedPointerY_ = InputManager::mouseY;
    Random::seed(kSeeds[stage == 2 ? 1 : 0]);

    // The keyboard's choice and no pad: a demo never makes a pad rumble.
    game_ = new GameScene(false, false, false, stage);
    // Its keys are the autopilot's, read from the key states; the events are this scene's,
    // and any that is not the autopilot's own is a player wanting the title back.
    game_->keyboardEnabled = false;
    game_->joystickEnabled = false;
    addChild(game_);

    caption_ = new Text(kFont);
    caption_->setText("DEMO");
    caption_->setHorizontalAlignment(3);
    caption_->setPosition(static_cast<float>(screenWidth) / 2, kCaptionY);
    addChild(caption_);

    keyboardEnabled = mouseEnabled = joystickEnabled = true;
}

// Leaving by quitting the program in the middle of a demo still lets go of the keys.
DemoScene::~DemoScene() {
    if (!finished_) pilot_.releaseKeys();
}

void DemoScene::keyDown(int key) {
    if (!pilot_.isOwnKeyEvent(key, true)) idle_.noteInput();
}

void DemoScene::keyUp(int key) {
    if (!pilot_.isOwnKeyEvent(key, false)) idle_.noteInput();
}

void DemoScene::mouseDown(int /*button*/) { idle_.noteInput(); }

void DemoScene::joystickDown(int /*button*/, int /*joystick*/) { idle_.noteInput(); }

// The input of the frame has been delivered when the scene updates, so a player's input
// ends the demo in the frame it came, before the game moves on.
void DemoScene::update() {
    if (finished_) return;
    if (shouldFinish()) {
        finish();
        return;
    }
    ++framesPlayed_;
    blinkCaption();
    pilot_.flyDemo(*game_);
}

bool DemoScene::shouldFinish() {
    return idle_.tick() || framesPlayed_ >= kLengthFrames || game_->getShip()->isDead();
}

void DemoScene::finish() {
    finished_ = true;
    pilot_.releaseKeys();
    // Nothing of the demo runs any more, so nothing draws from the random sequence again.
    game_->updateEnabled = false;
    Random::seed(savedRandomState_);
    if (!savedRandomSeeded_) Random::clearSeeded();
    InputManager::setMousePosition(savedPointerX_, savedPointerY_);
    if (parent) parent->notify(this, 0);
}

void DemoScene::blinkCaption() { caption_->setAlpha(framesPlayed_ % kBlinkPeriod < kBlinkShown ? 255 : 0); }

}  // namespace brinefall
