#include "display/Button.h"

#include "display/Image.h"
#include "input/InputManager.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"

namespace tidewell {

Button::Button() { mouseEnabled = true; }

Button::~Button() {
    for (Sound*& sound : sounds_) {
        if (sound) SoundMusicManager::releaseSound(sound);
        sound = nullptr;
    }
}

bool Button::isInert() const { return !enabled_ || (getEffectiveColour() >> 24) == 0; }

void Button::update() {
    if (isInert()) return;
    const bool over = isMouseOver();
    if (!over && state_ != normalState && isState(state_)) {
        setState(normalState);
    } else if (over && state_ == normalState) {
        setState(overState);
    }
}

void Button::mouseDown(int /*button*/) {
    if (isInert() || !isMouseOver() || !isState(state_)) return;
    setState(pressedState);
    if (listener) listener->notify(this, pressedCode);
}

// Only a release over the button that was pressed over it is a click.
void Button::mouseUp(int /*button*/) {
    if (isInert() || !isMouseOver() || state_ != pressedState) return;
    setState(clickedState);
    if (listener) listener->notify(this, clickedCode);
}

void Button::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (!on) setState(normalState);
}

void Button::setFace(Image* newFace) {
    if (face_) face_->remove();
    face_ = newFace;
    if (face_) addChildAtBack(face_);
    updateHitRectangle();
}

void Button::updateHitRectangle() {
    hitLeft_ = getLeft() - x;
    hitRight_ = getRight() - x;
    hitTop_ = getTop() - y;
    hitBottom_ = getBottom() - y;
}

void Button::setFaceFrame(int forState, int frame) {
    if (!isState(forState) || faceFrames_[slot(forState)] == frame) return;
    faceFrames_[slot(forState)] = frame;
    setState(state_);
}

void Button::setPointerFrame(int forState, int frame) {
    if (!isState(forState) || pointerFrames_[slot(forState)] == frame) return;
    pointerFrames_[slot(forState)] = frame;
    setState(state_);
}

void Button::setLabelRGB(int forState, std::uint32_t rgb) {
    if (!isState(forState) || labelRGBs_[slot(forState)] == rgb) return;
    labelRGBs_[slot(forState)] = rgb;
    setState(state_);
}

void Button::setSound(int forState, Sound* sound) {
    if (!isState(forState)) return;
    Sound*& held = sounds_[slot(forState)];
    if (held == sound) return;
    if (held) SoundMusicManager::releaseSound(held);
    if (sound) SoundMusicManager::retainSound(sound);
    held = sound;
    setState(state_);
}

void Button::setState(int newState) {
    if (isState(newState)) {
        const std::size_t i = slot(newState);
        if (pointerChange_) InputManager::setCursorFrame(static_cast<unsigned>(pointerFrames_[i]));
        if (face_) face_->setFrame(static_cast<unsigned>(faceFrames_[i]));
        if (label) label->setRGB(static_cast<int>(labelRGBs_[i] & 0x00FFFFFFu));
        if (sounds_[i]) sounds_[i]->play(true);
    }
    state_ = newState;
}

bool Button::isMouseOver() const {
    if (hitLeft_ >= hitRight_ || hitTop_ >= hitBottom_) return false;
    const float mx = getMouseX();
    const float my = getMouseY();
    return hitLeft_ <= mx && mx < hitRight_ && hitTop_ <= my && my < hitBottom_;
}

int Button::getFaceFrame(int forState) const { return isState(forState) ? faceFrames_[slot(forState)] : 0; }

Sound* Button::getSound(int forState) const { return isState(forState) ? sounds_[slot(forState)] : nullptr; }

}  // namespace tidewell
