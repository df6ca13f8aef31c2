#pragma once

#include <cstdint>

#include "autopilot/Autopilot.h"
#include "display/Sprite.h"
#include "frontend/IdleWatch.h"

namespace tidewell {
class Text;
}

namespace brinefall {

class GameScene;

// The game playing itself at the title, as an arcade cabinet shows it to passers-by: one
// stage, played by the autopilot without invincibility from a seed of its own, under a
// blinking "DEMO". Any key, mouse or pad input ends it at once; so do 60 seconds and the
// loss of its ship. It then reports to the parent, which brings the title back. The input
// that ends it goes no further, and the random sequence and the pointer are put back as they
// were, so the game a player starts next is the one it would have been without the demo.
class DemoScene : public tidewell::Sprite {
public:
    // 60 seconds at 20 frames a second.
    static constexpr int kLengthFrames = 1200;
    // Each stage's demo always starts from the same seed, so it plays the same every time.
    static constexpr std::uint32_t kSeeds[] = {31, 32};

    // stage: 1 or 2.
    explicit DemoScene(int stage);
    ~DemoScene() override;

    void keyDown(int key) override;
    void keyUp(int key) override;
    void mouseDown(int button) override;
    void joystickDown(int button, int joystick) override;
    void update() override;

    GameScene* getGame() const { return game_; }
    tidewell::Text* getCaption() const { return caption_; }
    int getFramesPlayed() const { return framesPlayed_; }
    bool isFinished() const { return finished_; }

private:
    bool shouldFinish();
    void finish();
    void blinkCaption();

    GameScene* game_ = nullptr;
    tidewell::Text* caption_ = nullptr;
    Autopilot pilot_{{}};
    IdleWatch idle_;
    std::uint32_t savedRandomState_ = 0;
    bool savedRandomSeeded_ = false;
    // The game steers the pointer with the autopilot's arrows; the title gets it back where it was.
    std::uint32_t savedPointerX_ = 0;
    std::uint32_t savedPointerY_ = 0;
    bool finished_ = false;
    int framesPlayed_ = 0;
};

}  // namespace brinefall
