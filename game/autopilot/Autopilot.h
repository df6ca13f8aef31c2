#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "AutopilotSteering.h"

namespace tidewell {
class Button;
}

namespace brinefall {

class GameScene;
class SceneSwitcher;
class TitleScene;

// A player made of code (--autopilot). It acts only through the keys it puts into the
// input devices at the start of each frame, as a player's hands would, and reads the
// display tree only to decide: it skips the logo and the opening, types the title's codes
// it was given, steers the pointer to Start, flies and fires through the stages, flies
// into a weapon icon when the panel offers one, takes Continue after a game over and
// starts again when the title is back, game after game.
class Autopilot {
public:
    // codes: "invincible" and/or "full-power", typed at every title.
    explicit Autopilot(std::vector<std::string> codes);
    // Leaves the main loop if still attached, so it never calls a player that is gone.
    ~Autopilot();
    Autopilot(const Autopilot&) = delete;
    Autopilot& operator=(const Autopilot&) = delete;

    // Makes the main loop call playFrame at the start of every frame; detach() ends it.
    void attach();
    void detach();

    // Decides the keys of this frame and presses and releases them.
    void playFrame(std::uint64_t frame);

    // Flies the ship of a game that the title's demo holds, with the same moves and fire
    // through the same keys; the ship's key events then arrive with the next frame's input.
    void flyDemo(const GameScene& game);
    // Lets go of every key it holds.
    void releaseKeys();
    // Whether a key event is one of its own: a key it holds going down, or one it has let go
    // coming up. A key it does not use is never its own.
    bool isOwnKeyEvent(int key, bool down) const;

private:
    using KeySet = std::array<bool, 256>;

    void playTitle(const TitleScene& title, KeySet& wanted);
    void playGame(const GameScene& game, KeySet& wanted);
    void fly(const GameScene& game, KeySet& wanted);
    // A key pressed this frame and released the next, however long it is wanted.
    void tap(int key, KeySet& wanted) const;
    // Arrow keys that bring the pointer onto the button's middle.
    static void steerPointerTo(const tidewell::Button& button, KeySet& wanted);
    void press(const KeySet& wanted);

    std::vector<int> codeKeys_;  // every code's letters, in typing order
    KeySet held_{};
    bool attached_ = false;
    int scene_ = 0;
    int framesInScene_ = 0;
    std::size_t typed_ = 0;
    AutopilotSteering steering_;
};

}  // namespace brinefall
