#pragma once

#include <array>
#include <cstdint>

#include "display/Sprite.h"

namespace tidewell {

class Image;
class Sound;

// A sprite that answers the mouse with four states: 1 normal, 2 mouse over, 3 pressed,
// 4 clicked (released over the button). Each state can show its own face frame,
// recolour a label, switch the mouse pointer's frame and play a sound on entry. Presses
// and clicks are reported to the listener with notify (button, 3) and notify (button, 4).
// A disabled button, or one faded out to opacity 0, ignores the mouse altogether.
class Button : public Sprite {
public:
    static constexpr int normalState = 1;
    static constexpr int overState = 2;
    static constexpr int pressedState = 3;
    static constexpr int clickedState = 4;
    static constexpr int pressedCode = 3;
    static constexpr int clickedCode = 4;

    Button();
    // Gives back the state sounds.
    ~Button() override;

    void mouseDown(int button) override;
    void mouseUp(int button) override;
    void update() override;

    // Disabling drops the button back to its normal state.
    void setEnabled(bool on);
    // The face lies beneath every other child (a label); the hit rectangle follows it.
    void setFace(Image* newFace);
    // The button's box, which covers its children; call again after moving the face's anchor.
    void updateHitRectangle();
    // Each stores the value for a state 1 to 4 and shows the current state again.
    void setFaceFrame(int forState, int frame);
    void setPointerFrame(int forState, int frame);
    void setLabelRGB(int forState, std::uint32_t rgb);
    // Takes a share of the sound and gives the one it replaces back; null for none.
    void setSound(int forState, Sound* sound);
    void setPointerChange(bool on) { pointerChange_ = on; }
    // Enters the state with its side effects; any other value is only stored.
    void setState(int newState);
    bool isMouseOver() const;

    Image* getFace() const { return face_; }
    bool isEnabled() const { return enabled_; }
    int getState() const { return state_; }
    float getHitLeft() const { return hitLeft_; }
    float getHitRight() const { return hitRight_; }
    float getHitTop() const { return hitTop_; }
    float getHitBottom() const { return hitBottom_; }
    int getFaceFrame(int forState) const;
    Sound* getSound(int forState) const;

    // Set by the owner, who also places the label in the tree.
    Sprite* label = nullptr;
    // Receives the press and click reports.
    Sprite* listener = nullptr;

private:
    static bool isState(int value) { return value >= normalState && value <= clickedState; }
    static std::size_t slot(int forState) { return static_cast<std::size_t>(forState - 1); }
    // Disabled or faded out to nothing: deaf to the mouse.
    bool isInert() const;

    Image* face_ = nullptr;
    float hitLeft_ = 0;
    float hitRight_ = 0;
    float hitTop_ = 0;
    float hitBottom_ = 0;
    bool enabled_ = true;
    int state_ = normalState;
    bool pointerChange_ = true;
    std::array<int, 4> pointerFrames_{0, 1, 1, 1};
    std::array<int, 4> faceFrames_{0, 0, 0, 0};
    std::array<std::uint32_t, 4> labelRGBs_{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    std::array<Sound*, 4> sounds_{};
};

}  // namespace tidewell
