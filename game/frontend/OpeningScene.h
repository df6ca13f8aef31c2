#pragma once

#include <array>

#include "display/Sprite.h"

namespace tidewell {
class Image;
class Music;
class Shape;
}  // namespace tidewell

namespace brinefall {

class Background;
class Background1;
class OpeningCaption;

// The scripted intro under the title music: the globe, a line-up of enemies, the
// first boss's attack, the march, and the hero flying off, told in eight captions.
// It ends (parent->notify(this, 0)) when the descending globe reaches the place where
// the title screen shows it, or at once on any key but the arrows, any mouse button or
// any joystick button. The music is left playing for the title screen to carry on.
class OpeningScene : public tidewell::Sprite {
public:
    // The music every scene of the front end shares: the title screen asks for the same
    // file and finds it already playing.
    static constexpr const char* kMusicFile = "title.tws";
    static constexpr int kCaptionCount = 8;

    OpeningScene();
    // Gives the music back (it keeps playing while another holder has it).
    ~OpeningScene() override;

    void keyDown(int key) override;
    void mouseDown(int button) override;
    void joystickDown(int button, int joystick) override;
    void update() override;

    // The frame number of the last update: -1 before the first, then 0, 1, ...
    int getFrameNumber() const { return counter_; }
    tidewell::Image* getGlobe() const { return globe_; }
    tidewell::Shape* getShade() const { return overlay_; }
    OpeningCaption* getCaption(int number) const;  // 1 to 8
    tidewell::Image* getEnemy(int number) const;   // 1 to 5
    tidewell::Image* getBoss() const { return boss_; }
    tidewell::Image* getBossShot() const { return bossShot_; }
    tidewell::Image* getHero() const { return hero_; }
    tidewell::Image* getSmallHero() const { return smallHero_; }
    Background* getBackdrop() const { return backdrop_; }
    Background1* getField() const { return field_; }
    tidewell::Music* getMusic() const { return music_; }
    bool isFinished() const { return finished_; }

private:
    // One row of the script: what runs on every frame from `first` to `last` (-1: to the end).
    struct Step {
        int first;
        int last;
        void (OpeningScene::*action)();
    };
    static const Step kTimeline[];

    // Frames enemy 1 stays stunned by the boss's shot.
    static constexpr int kEnemy1HitFrames = 18;

    void buildChildren();
    void finish();
    void runTimeline();

    void setShade(int alpha);
    void setRedShade(int alpha);

    // Cues.
    void showFirstShot();
    void startCaption1();
    void showLineUp();
    void startCaption2();
    void showRedAlert();
    void prepareAttack();
    void startCaption4();
    void endFlicker();
    void prepareMarch();
    void startCaption5();
    void hideMarch();
    void raiseCaption6();
    void lowerCaption6();
    void startCaption7();
    void prepareSmallHero();
    void startCaption8();

    // Per-frame actions.
    void fadeInFirstShot();
    void fadeOutFirstShot();
    void sinkGlobe();
    void fadeInLineUp();
    void animateLineUp();
    void animateAttack();
    void flickerShade();
    void darkenAfterAttack();
    void fadeInMarch();
    void march();
    void darkenAfterMarch();
    void fadeInLastShot();
    void descendGlobe();
    void flyHero();
    void flySmallHero();

    // Pieces of the animations.
    void hopEnemy(tidewell::Image* enemy, float& xSpeed, float& ySpeed);
    void recoverEnemy1();
    void moveBossShot();
    void moveEnemy1();
    void shakeField();

    Background* backdrop_ = nullptr;
    Background1* field_ = nullptr;
    tidewell::Image* globe_ = nullptr;
    std::array<tidewell::Image*, 5> enemies_{};
    tidewell::Image* boss_ = nullptr;
    tidewell::Image* bossShot_ = nullptr;
    tidewell::Image* hero_ = nullptr;
    tidewell::Image* smallHero_ = nullptr;
    std::array<OpeningCaption*, kCaptionCount> captions_{};
    tidewell::Shape* overlay_ = nullptr;
    tidewell::Music* music_ = nullptr;
    int counter_ = -1;
    bool finished_ = false;

    // The actors' own motion.
    float enemy1Speed_ = 1;
    int enemy1HitTimer_ = 0;
    float enemy4XSpeed_ = -2;
    float enemy4YSpeed_ = 0;
    float enemy5XSpeed_ = 1;
    float enemy5YSpeed_ = 0;
    int enemy1FrameCounter_ = 0;
    int enemy2FrameCounter_ = 0;
    int enemy3FrameCounter_ = 0;
    int heroFrameCounter_ = 0;
};

}  // namespace brinefall
