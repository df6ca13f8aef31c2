#pragma once

#include <array>

#include "display/Sprite.h"

namespace tidewell {
class Image;
}

namespace brinefall {

class GameScene;

// The choice of special weapon after a boss: three icons circling the middle of the
// screen. It blinks in after 100 frames and can be touched by the ship from frame 180;
// touching an icon picks that weapon and begins the stage clear.
class WeaponPanel : public tidewell::Sprite {
public:
    static constexpr int kIconCount = 3;

    explicit WeaponPanel(GameScene* scene);
    ~WeaponPanel() override;

    // Shows the panel for weapon set `set`. Only set 1 has icons; for any other set the
    // icons keep what they showed before.
    void offer(int set);
    void update() override;

    bool isActive() const { return active_; }
    int getCounter() const { return counter_; }
    int getWeaponSet() const { return weaponSet_; }
    float getAngle() const { return angle_; }
    tidewell::Image* getIcon(int index) const;  // 0 to 2

private:
    void placeIcons();
    void blink();
    // The icon the ship touches (0 to 2), or -1.
    int touchedIcon() const;
    void pick(int index);

    GameScene* scene_;
    std::array<tidewell::Image*, kIconCount> icons_{};
    int weaponSet_ = 0;
    float angle_ = 0;
    float radius_ = 180;
    bool active_ = false;
    int counter_ = 0;
};

}  // namespace brinefall
