#pragma once

#include "display/Sprite.h"

namespace tidewell {
class Image;
class Shape;
}  // namespace tidewell

namespace brinefall {

class GameScene;

// A menu of two entries over the play, chosen with the arrow keys and Enter or Left Ctrl
// in keyboard play, or with the first joystick and its first button in joystick play.
// The second entry always leaves the game; the first is the kind's own (continue, resume).
// While shown it keeps keys and joystick events from the scene's children visited after it.
class HudMenu : public tidewell::Sprite {
public:
    // Where a kind's picture and its cursor go, relative to the menu's centre.
    struct Layout {
        const char* imageFile;
        float cursorX;
        float cursorYFirst;
        float cursorYSecond;
    };

    HudMenu(GameScene* scene, bool useJoystick, const Layout& layout);
    ~HudMenu() override;

    void show();
    void keyDown(int key) override;
    void joystickMove(int joystick) override;
    void joystickDown(int button, int joystick) override;

    bool isShown() const;
    bool isFirstSelected() const { return firstSelected_; }
    bool isChosen() const { return chosen_; }
    tidewell::Image* getImage() const { return image_; }
    tidewell::Shape* getCursor() const { return cursor_; }

protected:
    // The first entry's action on the scene.
    virtual void runFirstEntry() = 0;
    GameScene* scene_;

private:
    bool acceptsInput() const;
    void toggle();
    void choose();
    void setStopFlags(bool on);

    tidewell::Image* image_ = nullptr;
    tidewell::Shape* cursor_ = nullptr;
    bool firstSelected_ = true;
    bool chosen_ = false;
    bool useJoystick_;
    Layout layout_;
};

}  // namespace brinefall
