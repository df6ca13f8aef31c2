#pragma once

#include "display/Sprite.h"

namespace tidewell {
class Image;
class ImageResource;
class Sound;
class Vibration;
}  // namespace tidewell

namespace brinefall {

class Award;
class Bullet;
class GameScene;

// The player's ship. It reads the keyboard or the joystick itself every frame, moves
// inside the screen, rams enemies, picks up awards, fires the main gun and the chosen
// special weapon, shakes when hit and explodes when its life runs out. It also holds
// the four experience tracks (life, speed, gun, special) and their levels.
class PlayerShip : public tidewell::Sprite {
public:
    explicit PlayerShip(GameScene* scene);
    ~PlayerShip() override;

    void update() override;

    // The visible ship; its position is the ship's position.
    tidewell::Image* getShipImage() const { return shipImage_; }
    int getRamDamage() const { return ramDamage_; }
    int getLifeMax() const { return lifeMax_; }
    int getLife() const { return life_; }
    bool isDead() const { return dead_; }

    // -1 when dead or missed; otherwise 1, and the damage is taken unless invincible.
    int hitByBullet(Bullet* bullet);
    void takeDamage(int amount);
    void addLife(int amount);
    // Back from a game over: visible, alive and at full life.
    void revive();
    // Flies along x to the target on its own; nothing else happens meanwhile.
    void flyTo(float x);
    void setControlOn(bool on) { controlOn_ = on; }
    void setUseJoystick(bool on) { useJoystick_ = on; }
    void setInvincible(bool on) { invincible_ = on; }
    // Life, speed and gun go to level 5 at once; a special weapon starts at level 5.
    void setFullPower(bool on);
    // 1 Bomb, 2 Fire Bomb, 3 Downward Gun. Experience gathered before stays.
    void pickSpecial(int kind);

    void setLifeLevel(int n);
    void setSpeedLevel(int n);
    void setGunLevel(int n);
    void setSpecialLevel(int n);
    void addLifeExp(int n);
    void addSpeedExp(int n);
    void addGunExp(int n);
    void addSpecialExp(int n);

    int getLifeLevel() const { return lifeLevel_; }
    int getLifeExp() const { return lifeExp_; }
    int getLifeNext() const { return lifeNext_; }
    int getSpeedLevel() const { return speedLevel_; }
    int getSpeedExp() const { return speedExp_; }
    int getSpeedNext() const { return speedNext_; }
    float getSpeed() const { return speed_; }
    int getGunLevel() const { return gunLevel_; }
    int getGunExp() const { return gunExp_; }
    int getGunNext() const { return gunNext_; }
    int getGunInterval() const { return gunInterval_; }
    int getGunCounter() const { return gunCounter_; }
    int getSpecialLevel() const { return specialLevel_; }
    int getSpecialExp() const { return specialExp_; }
    int getSpecialNext() const { return specialNext_; }
    int getSpecialInterval() const { return specialInterval_; }
    int getSpecialCounter() const { return specialCounter_; }
    int getSpecialKind() const { return specialKind_; }
    bool isSpecialOn() const { return specialOn_; }
    bool isShaking() const { return shaking_; }
    int getShakeCounter() const { return shakeCounter_; }
    bool isControlOn() const { return controlOn_; }
    bool isFlying() const { return flying_; }
    bool isUseJoystick() const { return useJoystick_; }
    bool isInvincible() const { return invincible_; }
    bool isFullPower() const { return fullPower_; }
    bool isAnimating() const { return animating_; }

private:
    // One track's numbers; the level values and texts come from the experience tables.
    struct Track {
        int& level;
        int& exp;
        int& next;
        void (PlayerShip::*setLevel)(int);
        int expPopupType;
        int levelPopupType;
    };

    void animate();
    void flyStep();
    void readDirections();
    void moveByDirections();
    void keepInsideScreen();
    void ramEnemies();
    void pickUpAward();
    void collect(const Award& award);
    void shakeStep();
    void shootStep();
    bool fireHeld() const;
    void fireMainGun();
    void fireSpecial();
    void addExperience(Track track, int n);
    void tint();
    void startShake();
    void stopShake();
    void popup(int type, int kind, int value);
    void releaseSpecialTextures();

    GameScene* scene_;
    tidewell::ImageResource* shipTexture_ = nullptr;
    tidewell::ImageResource* explosionTexture_ = nullptr;
    tidewell::ImageResource* mainBulletTexture_ = nullptr;
    tidewell::ImageResource* specialTextures_[2] = {nullptr, nullptr};
    tidewell::Image* shipImage_ = nullptr;
    tidewell::Sound* shootSound_ = nullptr;
    tidewell::Sound* awardSound_ = nullptr;
    tidewell::Sound* hitSound_ = nullptr;
    tidewell::Sound* deadSound_ = nullptr;
    tidewell::Vibration* vibration_ = nullptr;
    int lifeLevel_ = 1;
    int lifeExp_ = 0;
    int lifeNext_ = 1000;
    int lifeMax_ = 1000;
    int life_ = 1000;
    int ramDamage_ = 1000;
    int speedLevel_ = 1;
    int speedExp_ = 0;
    int speedNext_ = 1000;
    float speed_ = 5.0f;
    int gunLevel_ = 1;
    int gunExp_ = 0;
    int gunNext_ = 1000;
    int gunInterval_ = 6;
    int gunCounter_ = 0;
    bool gunOn_ = true;
    int specialLevel_ = 0;
    int specialExp_ = 0;
    int specialNext_ = 0;
    int specialInterval_ = -1;
    int specialCounter_ = 0;
    bool specialOn_ = false;
    int specialKind_ = 0;
    bool left_ = false;
    bool right_ = false;
    bool up_ = false;
    bool down_ = false;
    int shakeLength_ = 9;
    int shakeCounter_ = 0;
    bool shaking_ = false;
    bool dead_ = false;
    bool controlOn_ = true;
    bool flying_ = false;
    float flyTarget_ = 0;
    bool useJoystick_ = false;
    bool invincible_ = false;
    bool fullPower_ = false;
    // One count ahead of the frames shown: the first update shows the frame of count 1.
    int animCounter_ = 1;
    bool animating_ = true;
};

}  // namespace brinefall
