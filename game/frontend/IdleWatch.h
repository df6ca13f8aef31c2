#pragma once

namespace brinefall {

// Counts the frames since the player last touched anything. The scene that owns it tells it
// of the keys and buttons its events bring; once a frame it looks itself at the mouse
// (movement, wheel, buttons) and at every pad (a lean of the stick, a button held), since
// the pointer is also moved by the game and only the devices say that a hand moved it.
class IdleWatch {
public:
    // A key or a button the scene heard.
    void noteInput() { heard_ = true; }
    // Once a frame, after the input has been delivered: true when anything was touched since
    // the last tick, which starts the count again.
    bool tick();
    int getIdleFrames() const { return idleFrames_; }

private:
    static bool mouseOrPadTouched();

    int idleFrames_ = 0;
    bool heard_ = false;
};

}  // namespace brinefall
