#pragma once

// What the front-end tests share: a parent that takes every kind of input and writes
// down which scene reported its end and when, like the scene switcher without the
// switching, and the scan codes the tests type.

#include <cstdint>
#include <vector>

#include "display/Button.h"
#include "GameFixture.h"
#include "input/InputManager.h"
#include "ScanCodes.h"
#include "display/Sprite.h"

namespace brinefall::testing {

// The game's own names of the keys, short for the tests.
namespace keys {
inline constexpr int kEnter = kKeyEnter;
inline constexpr int kLeftCtrl = kKeyLeftCtrl;
inline constexpr int kSpace = kKeySpace;
inline constexpr int kUp = kKeyUp;
inline constexpr int kLeft = kKeyLeft;
inline constexpr int kRight = kKeyRight;
inline constexpr int kDown = kKeyDown;
}  // namespace keys

class SceneHolder : public tidewell::Sprite {
public:
    SceneHolder() { keyboardEnabled = mouseEnabled = joystickEnabled = true; }
    // Like the switcher, a scene that has reported is taken out of the tree.
    void notify(tidewell::Sprite* sender, int code) override {
        reports.push_back(sender);
        codes.push_back(code);
        if (removeReporters) sender->remove();
    }
    std::vector<tidewell::Sprite*> reports;
    std::vector<int> codes;
    bool removeReporters = true;
};

inline int alphaOf(const tidewell::Sprite* sprite) { return static_cast<int>(sprite->colour >> 24); }

inline int rgbOf(const tidewell::Sprite* sprite) { return static_cast<int>(sprite->colour & 0xFFFFFF); }

// Where a sprite sits on the screen, as whole pixels for the mouse.
inline int screenX(const tidewell::Sprite* sprite) { return static_cast<int>(sprite->getAbsoluteX()); }
inline int screenY(const tidewell::Sprite* sprite) { return static_cast<int>(sprite->getAbsoluteY()); }

inline int pointerX() { return static_cast<int>(tidewell::InputManager::mouseX); }
inline int pointerY() { return static_cast<int>(tidewell::InputManager::mouseY); }

// The fixture with what every front-end test reads back.
class FrontEndTest : public GameFixture {
protected:
    using Event = AudioEvent;

    // How many events of that kind the file had.
    int countEvents(Event::Kind kind, const char* file) const { return countEvents(audioEvents(), kind, file); }
    int countEvents(const std::vector<Event>& events, Event::Kind kind, const char* file) const {
        int count = 0;
        for (const Event& event : events) count += event.kind == kind && event.file == file;
        return count;
    }
};

}  // namespace brinefall::testing
