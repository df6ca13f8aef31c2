#pragma once

#include "display/Image.h"
#include "display/Shape.h"
#include "display/Sprite.h"

namespace tidewell {
class Sound;
}  // namespace tidewell

namespace brinefall {

class Bullet;
class GameScene;
class PlayerShip;

// The base of every enemy and of both bosses. The wave script creates an enemy, adds it
// as its child and configures the public fields; the enemy then animates, moves, shoots
// at the ship, shakes when hit and drops its awards when it dies.
class Enemy : public tidewell::Sprite {
public:
    static constexpr int kAwardKinds = 9;
    static constexpr int kAnimSteps = 4;

    // An enemy showing the given picture (a grid of columns x rows frames), centred.
    Enemy(GameScene* scene, const char* imageFile, unsigned columns = 2, unsigned rows = 2);
    ~Enemy() override;

    // Every kind's frame, in this order: animate, move straight, the kind's own motion,
    // shoot, shake, and what the kind does last. Nothing after the move once it has left.
    void update() override;

    // The four animation steps: frame and duration of each (frame -1 = the step changes nothing).
    virtual void setAnimation(int f0, int d0, int f1, int d1, int f2, int d2, int f3, int d3);
    virtual void setHitPoints(int n);
    // A w x h hit area centred on the enemy, of the given shape kind (1 rectangle, 2 ellipse).
    virtual void setHitArea(float w, float h, int kind);
    virtual void animate();
    virtual void moveStep();
    virtual bool isOffScreen();
    virtual void shoot();
    virtual void updateShake();
    virtual bool hitByBullet(Bullet* bullet);
    virtual bool hitByShip(PlayerShip* ship);
    virtual tidewell::Shape* getHitArea();
    virtual void takeDamage(int amount);
    virtual void dropAwards();

    GameScene* scene = nullptr;
    tidewell::Image* image = nullptr;
    tidewell::Shape* hitArea = nullptr;
    int maxHitPoints = 0;
    int hitPoints = 0;
    int contactDamage = 0;
    float velocity[2] = {0, 0};
    float acceleration[2] = {0, 0};
    float bulletSpeed = 0;
    int bulletDamage = 0;
    int firstShot = -1;
    int shotInterval = 0;
    int shotCounter = -1;
    bool shaking = false;
    int shakeLength = 7;
    int shakeCounter = 0;
    int awards[kAwardKinds] = {};
    int animCounter = 0;
    bool animating = true;
    int animFrames[kAnimSteps] = {-1, -1, -1, -1};
    int animDurations[kAnimSteps] = {0, 0, 0, 0};

protected:
    // The kind's own motion (a hop, a weave), between the straight move and the shot.
    virtual void ownMotion() {}
    // What the kind does after the shake, last in its frame (a mouth that chews).
    virtual void afterShake() {}
    // Takes the amount off the hit points, not below 0, tints the picture redder as they
    // fall and shows the amount in a popup at (popupX, popupY) on screen.
    void loseHitPoints(int amount, float popupX, float popupY);
    // Counts the shot timer; true on the frames a shot is due (the first at `firstShot`,
    // then one every `shotInterval` frames).
    bool shotIsDue();
    // The ship image's position minus this enemy image's, on screen, scaled to `length`;
    // straight ahead (to the left) when the ship sits exactly on the enemy.
    void directionToShip(float length, float& dx, float& dy) const;
    // Places the hit area on the image, for kinds whose image moves within the sprite.
    void followImage();
    // One frame of a hop of the image relative to the sprite: down by `speed`; landing
    // below its line puts it back on the line with the bounce speed; then gravity.
    // True on the frame the image lands.
    bool hop(float& speed, float bounceSpeed, float gravity);
    float imageScreenX() const;
    float imageScreenY() const;
    // Plays a sound the scene or the enemy holds; a missing one stays silent.
    static void play(tidewell::Sound* sound);

private:
    void fireAimedShot();
    void startShaking();
};

}  // namespace brinefall
