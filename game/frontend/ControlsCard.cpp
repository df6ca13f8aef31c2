#include "frontend/ControlsCard.h"

#include <string>

#include "ControlBindings.h"
#include "display/Image.h"
#include "frontend/KeyCaps.h"

namespace brinefall {
namespace {

constexpr int kHeadingInk = 0xFFE08A;
constexpr int kLabelInk = 0xFFFFFF;
constexpr int kNoteInk = 0xC8F4FF;
constexpr float kHeadingY = -70;
constexpr float kLabelY = 58;
constexpr float kNoteY = 80;
constexpr float kMoveX = -130;
constexpr float kFireX = 100;
constexpr float kPauseX = 220;
constexpr float kCapStep = 98;  // one cap and a gap
constexpr float kUpperRowY = -26;
constexpr float kLowerRowY = 10;
constexpr float kButtonY = -8;

// The four direction caps as they sit on a keyboard: Up above Down, Left and Right beside it.
struct DirectionCap {
    Action action;
    float dx;
    float y;
};
constexpr DirectionCap kDirectionCaps[] = {
    {Action::Up, 0, kUpperRowY},
    {Action::Left, -kCapStep, kLowerRowY},
    {Action::Down, 0, kLowerRowY},
    {Action::Right, kCapStep, kLowerRowY},
};

// "Also: W Up, Z Fire" for the second keys, or nothing when there are none.
std::string secondKeysLine(const ControlBindings& bindings) {
    std::string line;
    for (int index = 0; index < ControlBindings::kActionCount; ++index) {
        const Action action = ControlBindings::actionAt(index);
        const int key = bindings.key(action, 1);
        if (key == ControlBindings::kNoKey) continue;
        line +=
            (line.empty() ? "Also: " : ", ") + ControlBindings::keyLabel(key) + " " + ControlBindings::row(action).name;
    }
    return line;
}

}  // namespace

ControlsCard::ControlsCard(bool pad) {
    auto* card = new tidewell::Image("controlscard.twi");
    card->setAlignment(3, 3);
    addChild(card);
    KeyCaps::makeWords(this, KeyCaps::kLargeFont, pad ? "JOYSTICK" : "KEYBOARD", kHeadingInk, 0, kHeadingY);
    if (pad) {
        showPad();
    } else {
        showKeys();
    }
    label("Move", kMoveX);
    label("Fire", kFireX);
    label("Pause", kPauseX);
}

void ControlsCard::showKeys() {
    const ControlBindings& bindings = ControlBindings::inForce();
    for (const DirectionCap& cap : kDirectionCaps) {
        KeyCaps::makeCap(this, ControlBindings::keyLabel(bindings.key(cap.action)), kMoveX + cap.dx, cap.y);
    }
    KeyCaps::makeCap(this, ControlBindings::keyLabel(bindings.key(Action::Fire)), kFireX, kButtonY);
    KeyCaps::makeCap(this, ControlBindings::keyLabel(bindings.key(Action::Pause)), kPauseX, kButtonY);
    if (const std::string also = secondKeysLine(bindings); !also.empty()) {
        KeyCaps::makeWords(this, KeyCaps::kSmallFont, also, kNoteInk, 0, kNoteY);
    }
}

void ControlsCard::showPad() {
    const ControlBindings& bindings = ControlBindings::inForce();
    auto* stick = new tidewell::Image("padstick.twi");
    stick->setAlignment(3, 3);
    stick->setPosition(kMoveX, kButtonY);
    addChild(stick);
    const int fire = bindings.padButton(PadAction::Fire);
    const int pause = bindings.padButton(PadAction::Pause);
    KeyCaps::makePadButton(this, false, fire, kFireX, kButtonY);
    KeyCaps::makePadButton(this, true, pause, kPauseX, kButtonY);
    KeyCaps::makeWords(this, KeyCaps::kSmallFont, ControlBindings::padButtonLabel(fire), kNoteInk, kFireX,
                       kLabelY - 24);
    KeyCaps::makeWords(this, KeyCaps::kSmallFont, ControlBindings::padButtonLabel(pause), kNoteInk, kPauseX,
                       kLabelY - 24);
}

void ControlsCard::label(const char* words, float x) {
    KeyCaps::makeWords(this, KeyCaps::kLargeFont, words, kLabelInk, x, kLabelY);
}

}  // namespace brinefall
