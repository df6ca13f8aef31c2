#include "autopilot/Autopilot.h"

#include "display/Button.h"
#include "core/Engine.h"
#include "input/InputManager.h"
#include "core/MainLoop.h"
#include "ControlBindings.h"
#include "ScanCodes.h"
#include "SceneSwitcher.h"
#include "frontend/TitleScene.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/hud/GameOverMenu.h"
#include "gameplay/hud/PauseMenu.h"
#include "platform/InputDevices.h"
#include "platform/Platform.h"

namespace brinefall {
namespace {

// The title takes a moment to come up before it listens; keys typed sooner could be lost.
constexpr int kTitleSettleFrames = 10;

// The autopilot thinks in the designed keys (arrows, Left Ctrl, Space) and presses the ones
// the player bound to those actions instead, as the player's own hands would.
int keyInForce(int designedKey) {
    const ControlBindings& bindings = ControlBindings::inForce();
    for (int index = 0; index < ControlBindings::kActionCount; ++index) {
        const Action action = ControlBindings::actionAt(index);
        if (ControlBindings::row(action).key == designedKey) return bindings.key(action);
    }
    return designedKey;
}

}  // namespace

Autopilot::Autopilot(std::vector<std::string> codes) {
    for (const std::string& code : codes) {
        const auto& letters = code == "invincible" ? TitleScene::kCodeA : TitleScene::kCodeB;
        codeKeys_.insert(codeKeys_.end(), letters.begin(), letters.end());
    }
}

Autopilot::~Autopilot() { detach(); }

void Autopilot::attach() {
    tidewell::MainLoop::setFrameStartHook([this](std::uint64_t frame) { playFrame(frame); });
    attached_ = true;
}

void Autopilot::detach() {
    if (!attached_) return;
    tidewell::MainLoop::setFrameStartHook(nullptr);
    attached_ = false;
}

void Autopilot::playFrame(std::uint64_t /*frame*/) {
    KeySet wanted{};
    const auto* switcher = dynamic_cast<const SceneSwitcher*>(tidewell::getRootSprite());
    if (switcher == nullptr) {
        press(wanted);
        return;
    }
    const tidewell::Sprite* scene = switcher->getScene();
    if (switcher->getCurrentScene() != scene_) {
        scene_ = switcher->getCurrentScene();
        framesInScene_ = 0;
        typed_ = 0;  // every new title is asked for the codes again
    }
    ++framesInScene_;
    switch (scene_) {
        case SceneSwitcher::kCompanyLogo:
        case SceneSwitcher::kOpening:
            tap(kKeyEnter, wanted);  // any key but the arrows skips them
            break;
        case SceneSwitcher::kTitle:
            if (const auto* title = dynamic_cast<const TitleScene*>(scene)) playTitle(*title, wanted);
            break;
        case SceneSwitcher::kGame:
            if (const auto* game = dynamic_cast<const GameScene*>(scene)) playGame(*game, wanted);
            break;
        default:
            break;
    }
    press(wanted);
}

void Autopilot::playTitle(const TitleScene& title, KeySet& wanted) {
    if (framesInScene_ < kTitleSettleFrames || title.isStarting()) return;
    if (typed_ < codeKeys_.size()) {
        // One letter a frame, each released before the next goes down.
        const bool letterHeld = held_[static_cast<std::size_t>(codeKeys_[typed_ == 0 ? 0 : typed_ - 1])];
        if (typed_ == 0 || !letterHeld) {
            wanted[static_cast<std::size_t>(codeKeys_[typed_++])] = true;
        }
        return;
    }
    const tidewell::Button* start = title.getStartButton();
    if (start == nullptr) return;
    if (start->isMouseOver()) {
        tap(kKeyEnter, wanted);
    } else {
        steerPointerTo(*start, wanted);
    }
}

void Autopilot::playGame(const GameScene& game, KeySet& wanted) {
    if (game.getEndingCounter() >= 0) return;
    if (const GameOverMenu* menu = game.getGameOverMenu(); menu && menu->isShown()) {
        tap(menu->isFirstSelected() ? kKeyEnter : kKeyDown, wanted);  // Continue is the first entry
        return;
    }
    if (const PauseMenu* menu = game.getPauseMenu(); menu && menu->isShown()) {
        tap(menu->isFirstSelected() ? kKeyEnter : kKeyUp, wanted);  // and Resume here
        return;
    }
    fly(game, wanted);
}

void Autopilot::fly(const GameScene& game, KeySet& wanted) {
    const PlayerShip* ship = game.getShip();
    if (ship == nullptr || ship->isDead() || !ship->isControlOn()) return;
    const AutopilotSteering::Move move = steering_.choose(game);
    wanted[kKeyLeft] = move.dx < 0;
    wanted[kKeyRight] = move.dx > 0;
    wanted[kKeyUp] = move.dy < 0;
    wanted[kKeyDown] = move.dy > 0;
    wanted[kKeyLeftCtrl] = true;  // the guns fire as long as it is held
}

void Autopilot::flyDemo(const GameScene& game) {
    KeySet wanted{};
    fly(game, wanted);
    press(wanted);
}

void Autopilot::releaseKeys() {
    // Let go at once: a key-up sent the usual way would reach the key states only with the
    // next frame's input, and whatever runs in this frame (a title steering its pointer by
    // the arrows) would still read the key as held.
    for (std::size_t key = 0; key < held_.size(); ++key) {
        if (!held_[key]) continue;
        tidewell::InputManager::releaseInjectedKey(static_cast<std::uint8_t>(keyInForce(static_cast<int>(key))));
        held_[key] = false;
    }
}

bool Autopilot::isOwnKeyEvent(int key, bool down) const {
    // The event carries the key in force; the autopilot holds the designed one it stands for.
    for (const int designed : {kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyLeftCtrl}) {
        if (keyInForce(designed) == key) return held_[static_cast<std::size_t>(designed)] == down;
    }
    return false;
}

void Autopilot::tap(int key, KeySet& wanted) const {
    wanted[static_cast<std::size_t>(key)] = !held_[static_cast<std::size_t>(key)];
}

void Autopilot::steerPointerTo(const tidewell::Button& button, KeySet& wanted) {
    const float targetX = button.getAbsoluteX() + 0.5f * (button.getHitLeft() + button.getHitRight());
    const float targetY = button.getAbsoluteY() + 0.5f * (button.getHitTop() + button.getHitBottom());
    const float dx = targetX - static_cast<float>(tidewell::InputManager::mouseX);
    const float dy = targetY - static_cast<float>(tidewell::InputManager::mouseY);
    constexpr float kNear = 6.0f;  // within a steering step of the middle
    wanted[kKeyLeft] = dx < -kNear;
    wanted[kKeyRight] = dx > kNear;
    wanted[kKeyUp] = dy < -kNear;
    wanted[kKeyDown] = dy > kNear;
}

void Autopilot::press(const KeySet& wanted) {
    tidewell::platform::InputDevices& devices = tidewell::platform::current().input();
    for (std::size_t key = 0; key < wanted.size(); ++key) {
        if (wanted[key] != held_[key]) {
            devices.injectKey(static_cast<std::uint8_t>(keyInForce(static_cast<int>(key))), wanted[key]);
            held_[key] = wanted[key];
        }
    }
}

}  // namespace brinefall
