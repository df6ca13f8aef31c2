#include "gameplay/hud/WeaponPanel.h"
#include "Milestones.h"

#include <cmath>
#include <numbers>

#include "display/Image.h"
#include "sound/Sound.h"
#include "gameplay/GameScene.h"
#include "gameplay/Experience.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/hud/PopupText.h"

namespace brinefall {

namespace {

// The panel waits this long after the boss, then blinks in faster and faster.
constexpr int kFirstVisibleFrame = 100;
constexpr int kTouchableFrame = 180;

// While n lies in [from, to], the panel shows when n mod `modulus` is at least `threshold`.
struct BlinkBand {
    int from;
    int to;
    int modulus;
    int threshold;
};

constexpr BlinkBand kBlinkBands[] = {
    {100, 119, 16, 8},
    {120, 139, 8, 4},
    {140, 159, 4, 2},
    {160, 179, 2, 1},
};

// Only the first weapon set has pictures in this game.
constexpr int kSetWithIcons = 1;
constexpr const char* kSetOneIcons = "weapons1.twi";

constexpr float kCentreX = 400;
constexpr float kCentreY = 300;
constexpr float kTurnPerFrame = std::numbers::pi_v<float> * 0.005f;
constexpr float kIconSpacing = 2 * std::numbers::pi_v<float> / WeaponPanel::kIconCount;
constexpr int kPickedTextType = 19;

}  // namespace

WeaponPanel::WeaponPanel(GameScene* scene) : scene_(scene) {
    for (auto& icon : icons_) {
        icon = new tidewell::Image(static_cast<tidewell::Texture*>(nullptr));
        icon->setAlignment(3, 3);
        addChild(icon);
    }
    setAlpha(0);
}

WeaponPanel::~WeaponPanel() = default;

tidewell::Image* WeaponPanel::getIcon(int index) const {
    return index >= 0 && index < kIconCount ? icons_[static_cast<std::size_t>(index)] : nullptr;
}

void WeaponPanel::offer(int set) {
    weaponSet_ = set;
    if (set == kSetWithIcons) {
        for (int i = 0; i < kIconCount; ++i) {
            tidewell::Image* icon = icons_[static_cast<std::size_t>(i)];
            icon->setFile(kSetOneIcons, 1, 3);
            icon->setFrame(static_cast<unsigned>(i));
            icon->setAlignment(3, 3);
        }
    }
    active_ = true;
    counter_ = 0;
}

void WeaponPanel::update() {
    if (!active_) return;
    ++counter_;
    if (counter_ < kFirstVisibleFrame) return;
    angle_ += kTurnPerFrame;
    placeIcons();
    blink();
    if (counter_ < kTouchableFrame) return;
    const int touched = touchedIcon();
    if (touched >= 0) pick(touched);
}

void WeaponPanel::placeIcons() {
    for (int i = 0; i < kIconCount; ++i) {
        const float a = angle_ + static_cast<float>(i) * kIconSpacing;
        icons_[static_cast<std::size_t>(i)]->setPosition(kCentreX + radius_ * std::cos(a),
                                                         kCentreY + radius_ * std::sin(a));
    }
}

void WeaponPanel::blink() {
    bool shown = true;
    for (const BlinkBand& band : kBlinkBands) {
        if (counter_ >= band.from && counter_ <= band.to) shown = counter_ % band.modulus >= band.threshold;
    }
    setAlpha(shown ? 255 : 0);
}

int WeaponPanel::touchedIcon() const {
    // A wreck picks nothing: its drifting image must not choose the weapon and start the clear.
    if (scene_->getShip()->isDead()) return -1;
    const tidewell::Sprite* ship = scene_->getShip()->getShipImage();
    for (int i = 0; i < kIconCount; ++i) {
        const tidewell::Image* icon = icons_[static_cast<std::size_t>(i)];
        // An icon without a picture is an empty box, which the collision test would still find
        // inside the ship: there is nothing there to touch.
        if (icon->getTexture() && ship->overlaps(icon)) return i;
    }
    return -1;
}

void WeaponPanel::pick(int index) {
    if (weaponSet_ == kSetWithIcons) {
        const int kind = index + 1;
        PlayerShip* ship = scene_->getShip();
        ship->pickSpecial(kind);
        if (const Experience::SpecialRow* row = Experience::specialRow(kind)) Milestones::report("weapon", row->name);
        const tidewell::Sprite* image = ship->getShipImage();
        scene_->addText(new PopupText(kPickedTextType, kind, weaponSet_), image->getAbsoluteX(), image->getAbsoluteY());
    }
    active_ = false;
    setAlpha(0);
    scene_->beginStageClear();
    if (tidewell::Sound* sound = scene_->getWeaponSound()) sound->play(true);
}

}  // namespace brinefall
