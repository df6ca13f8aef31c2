#include "frontend/TitleScene.h"
#include "FrameCycle.h"

#include <algorithm>

#include "display/Button.h"
#include "core/ErrorDialog.h"
#include "display/Image.h"
#include "input/InputManager.h"
#include "core/MainLoop.h"
#include "sound/Music.h"
#include "ScanCodes.h"
#include "display/Shape.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"
#include "display/Text.h"
#include "backgrounds/Background6.h"
#include "frontend/HelpPanel.h"
#include "frontend/OptionsPanel.h"
#include "frontend/PanelButtons.h"
#include "frontend/PointerSteering.h"

namespace brinefall {
namespace {

using namespace tidewell;

constexpr const char* kSmallFont = "arial12c_1.twf";
// The project's one version number (CMake's project(VERSION)), as --version shows it.
constexpr const char* kVersionLine = "Brinefall Demo Version " BRINEFALL_VERSION;
// 0xA9 is the copyright sign in the font's code page.
constexpr const char* kCopyright = "\xA9 2026 Tidewell\nAll rights reserved.";
constexpr float kCopyrightWidth = 200;


// The two enemies' idle animations.
const FrameCycle kLeftEnemyCycle{35, {{0, 0}, {20, 1}, {30, 2}}};
const FrameCycle kRightEnemyCycle{40, {{0, 0}, {20, 1}, {25, 0}, {35, 2}}};

Image* centredImage(Sprite* parent, const char* fileName, unsigned columns, unsigned rows, float x, float y) {
    auto* image = new Image(fileName, columns, rows);
    image->setAlignment(3, 3);
    image->setPosition(x, y);
    parent->addChild(image);
    return image;
}

}  // namespace

TitleScene::TitleScene() {
    music_ = SoundMusicManager::getMusic("title.tws", 0, true);
    buttonSound_ = SoundMusicManager::getSound("button.tws", true);
    enemyDeadSound_ = SoundMusicManager::getSound("enemyDead.tws", true);

    backdrop_ = new Background6;
    addChild(backdrop_);
    globe_ = centredImage(this, "globe.twi", 1, 1, 400, 180);
    title_ = centredImage(this, "title.twi", 1, 1, 400, 140);
    startButton_ = PanelButtons::makeMenuButton(this, "startButton.twi", buttonSound_, 400, 380);
    optionsButton_ = PanelButtons::makeMenuButton(this, "optionsButton.twi", buttonSound_, 400, 480);
    helpButton_ = PanelButtons::makeMenuButton(this, "helpButton.twi", buttonSound_, 400, 510);
    visitButton_ = PanelButtons::makeMenuButton(this, "visitButton.twi", buttonSound_, 400, 550);
    exitButton_ = PanelButtons::makeMenuButton(this, "exitButton.twi", buttonSound_, 400, 590);

    versionLine_ = new Text(kSmallFont);
    versionLine_->setText(kVersionLine);
    versionLine_->setPosition(10, 585);
    addChild(versionLine_);

    // Two lines centred on x 600; the wrap width is read by the layout setText makes.
    copyright_ = new Text(kSmallFont);
    copyright_->setMode(Text::centredMode);
    copyright_->width = kCopyrightWidth;
    copyright_->setText(kCopyright);
    copyright_->setHorizontalAlignment(3);
    copyright_->setPosition(600, 573);
    addChild(copyright_);

    leftEnemy_ = centredImage(this, "enemy11.twi", 2, 2, 150, 420);
    rightEnemy_ = centredImage(this, "enemy18.twi", 2, 2, 650, 420);

    // The options panel sets useJoystick as it loads the stored settings.
    optionsPanel_ = new OptionsPanel(this);
    optionsPanel_->setAlpha(0);
    optionsPanel_->setPosition(400, 300);
    addChild(optionsPanel_);
    helpPanel_ = new HelpPanel(this);
    helpPanel_->setAlpha(0);
    helpPanel_->setPosition(400, 300);
    addChild(helpPanel_);

    fadeOverlay_ = new Shape;
    fadeOverlay_->setRectangle(0, 0, screenWidth, screenHeight);
    fadeOverlay_->setRGB(0xFFFFFF);
    fadeOverlay_->setAlpha(0);
    addChild(fadeOverlay_);

    keyHistory_.fill(-1);
    InputManager::setCursorVisible(true);
    keyboardEnabled = mouseEnabled = joystickEnabled = true;

    // Coming from the opening the theme is already playing and simply goes on.
    // A theme left over from an earlier start fade would still be at the volume it faded to.
    if (music_ && !music_->isPlaying()) {
        music_->setVolume(1.0f);
        music_->play(true);
    }
}

TitleScene::~TitleScene() {
    if (music_) SoundMusicManager::releaseMusic(music_);
    if (buttonSound_) SoundMusicManager::releaseSound(buttonSound_);
    if (enemyDeadSound_) SoundMusicManager::releaseSound(enemyDeadSound_);
}

void TitleScene::update() {
    PointerSteering::steer();
    animateEnemies();
    watchIdleness();
    if (starting_) stepStartFade();
}

void TitleScene::watchIdleness() {
    if (idle_.tick()) {
        if (toDemo_) callOffDemo();
        return;
    }
    // Not over a panel, which waits for its reader, nor once a game is starting.
    if (idle_.getIdleFrames() >= kIdleFramesToDemo && !starting_ && startButton_->isEnabled()) {
        toDemo_ = starting_ = true;
        disableButtons();
    }
}

void TitleScene::callOffDemo() {
    toDemo_ = starting_ = false;
    fadeCount_ = 0;
    fadeOverlay_->setAlpha(0);
    if (music_) music_->setVolume(1.0f);
    enableButtons();
}

void TitleScene::animateEnemies() {
    kLeftEnemyCycle.step(leftEnemy_, leftEnemyCounter_);
    kRightEnemyCycle.step(rightEnemy_, rightEnemyCounter_);
}

void TitleScene::stepStartFade() {
    fadeCount_ += 1;
    if (fadeCount_ <= kFadeFrames) {
        fadeOverlay_->setAlpha(fadeCount_ * 255 / kFadeFrames);
        if (music_) music_->setVolume(static_cast<float>(kFadeFrames - fadeCount_) * 0.05f);
        return;
    }
    if (fadeCount_ == kFadeFrames + 1) {
        if (music_) music_->stop();
        if (parent) parent->notify(this, toDemo_ ? kDemoCode : 0);
    }
}

void TitleScene::keyDown(int key) {
    idle_.noteInput();
    if (optionsPanel_->takesKey(key)) return;  // a key being bound in the controls panel
    rememberKey(key);
    checkCodes();
    if (PointerSteering::clicksPointer(key)) PointerSteering::click();
}

void TitleScene::joystickDown(int button, int /*joystick*/) {
    idle_.noteInput();
    if (!optionsPanel_->takesPadButton(button)) PointerSteering::click();
}

void TitleScene::rememberKey(int key) {
    std::copy(keyHistory_.begin() + 1, keyHistory_.end(), keyHistory_.begin());
    keyHistory_.back() = key;
}

bool TitleScene::historyEndsWith(const std::array<int, kCodeLength>& code) const {
    return std::equal(code.begin(), code.end(), keyHistory_.end() - kCodeLength);
}

void TitleScene::checkCodes() {
    if (historyEndsWith(kCodeA)) {
        codeAEntered_ = true;
        leftEnemy_->setAlpha(0);
    } else if (historyEndsWith(kCodeB)) {
        codeBEntered_ = true;
        rightEnemy_->setAlpha(0);
    } else {
        return;
    }
    if (enemyDeadSound_) enemyDeadSound_->play(true);
}

void TitleScene::notify(Sprite* sender, int code) {
    if (code != Button::clickedCode) return;
    if (sender == startButton_) {
        // A pad pulled out since the panel last looked means keyboard play, as the panel decides.
        optionsPanel_->showJoysticksAttached();
        starting_ = true;
        disableButtons();
    } else if (sender == optionsButton_) {
        disableButtons();
        optionsPanel_->showScreenModeInForce();
        optionsPanel_->showJoysticksAttached();
        optionsPanel_->setAlpha(255);
    } else if (sender == helpButton_) {
        disableButtons();
        helpPanel_->setAlpha(255);
    } else if (sender == visitButton_) {
        openAddress(addresses::kHomePage);
    } else if (sender == exitButton_) {
        MainLoop::requestQuit();
    }
}

void TitleScene::enableButtons() {
    forEachButton([](Button* button) { button->setEnabled(true); });
}

void TitleScene::disableButtons() {
    forEachButton([](Button* button) { button->setEnabled(false); });
}

void TitleScene::forEachButton(void (*apply)(Button*)) {
    for (Button* button : {startButton_, optionsButton_, helpButton_, visitButton_, exitButton_}) apply(button);
}

}  // namespace brinefall
