#pragma once

#include "display/Sprite.h"

namespace tidewell {
class Image;
class Shape;
class Sound;
}  // namespace tidewell

namespace brinefall {

// The first scene: the maker's logo fades in on black, its jingle plays, the logo
// fades out and after half a second of black the scene reports its end to the parent.
// Any key but the arrows, any mouse button or any joystick button cuts it short.
class CompanyLogoScene : public tidewell::Sprite {
public:
    // The frame the jingle starts on and the frame the scene ends on.
    static constexpr int kJingleFrame = 10;
    static constexpr int kEndFrame = 90;

    CompanyLogoScene();
    ~CompanyLogoScene() override;

    void keyDown(int key) override;
    void mouseDown(int button) override;
    void joystickDown(int button, int joystick) override;
    void update() override;

    // Hides the logo and makes the next update the last.
    void skip();

    int getFrameCount() const { return frameCount_; }
    tidewell::Image* getLogo() const { return logo_; }

private:
    // Fading in for a second, shown for two, fading out for one, then black.
    static int logoOpacityAt(int frame);

    tidewell::Shape* backdrop_ = nullptr;
    tidewell::Image* logo_ = nullptr;
    tidewell::Sound* jingle_ = nullptr;
    int frameCount_ = 0;
    bool finished_ = false;
};

}  // namespace brinefall
