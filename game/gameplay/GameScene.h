#pragma once

#include <string>
#include <vector>

#include "display/Sprite.h"

namespace tidewell {
class Image;
class Music;
class Shape;
class Sound;
class Texture;
class Vibration;
}  // namespace tidewell

namespace brinefall {

class Award;
class AwardLayer;
class Background;
class Bullet;
class GameOverMenu;
class LifeBar;
class PauseMenu;
class PlayerShip;
class PopupText;
class StageTitle;
class WaveScript;
class WeaponPanel;

// One game: the ship, the current stage's wave script and background, the layers the
// actors put their bullets, explosions, awards and texts into, the heads-up display,
// the full-screen flash and the two menus. It runs the phases of a stage (fade in and
// fly-in, play, boss, weapon choice, stage clear), pause, game over and continue, and
// switches the music with them. Every actor reaches the rest of the game through it.
class GameScene : public tidewell::Sprite {
public:
    // The flags the title screen passes: joystick play, invincibility, full power; and
    // the stage to begin at (2 for a practice start of the second stage).
    GameScene(bool useJoystick, bool invincible, bool fullPower, int firstStage = 1);
    ~GameScene() override;

    void keyDown(int key) override;
    void joystickDown(int button, int joystick) override;
    void update() override;

    // Place the sprite at (x, y), in screen coordinates, as the last child of its layer.
    void addBullet(tidewell::Sprite* bullet, float x, float y);
    void addExplosion(tidewell::Sprite* explosion, float x, float y);
    void addAward(Award* award, float x, float y);
    // A text is kept on the screen, and a damage number near a young one adds up into it.
    void addText(PopupText* text, float x, float y);

    // Collision questions, answered by whoever holds the targets.
    int bulletHitsEnemies(Bullet* bullet);
    int shipHitsEnemies(PlayerShip* ship);
    int bulletHitsShip(Bullet* bullet);
    Award* findAwardTouching(PlayerShip* ship);

    void setScrollTarget(float speed);
    // A red flash and the life bar brought down by the damage.
    void onShipHit(int damage);
    void setLifeShown(int life);
    void setLifeMax(int max);
    // The game-over menu comes up.
    void onShipDead();
    // The weapon panel for the current stage; after any stage but the first there is no
    // weapon to offer, and the stage clear begins at once.
    void offerWeapons();
    void beginStageClear();
    // Rebuilds the stage's content in place and begins it; a stage above 2 plays stage 2 again.
    void startStage(int n);
    void continueGame();
    void pauseGame();
    void resumeGame();
    // Asks the parent to leave the game (notify(this, 0)).
    void quitToTitle();

    // Boss cues; the ones that make noise stay quiet while the ship is dead.
    void playBossBegin();
    void startBossMusic();
    void stopBossMusic();
    // Also starts the wave script's after-boss counter.
    void playBossWin();
    void startVibration();
    void stopVibration();
    // The player's choice in Options ("enableVibration"); the rumbles of the scene and the
    // ship play only with it.
    bool vibrationAllowed() const;

    PlayerShip* getShip() const { return ship_; }
    WaveScript* getWaves() const { return waves_; }
    Background* getBackground() const { return background_; }
    tidewell::Sprite* getBulletLayer() const { return bulletLayer_; }
    tidewell::Sprite* getExplosionLayer() const { return explosionLayer_; }
    AwardLayer* getAwardLayer() const { return awardLayer_; }
    WeaponPanel* getWeaponPanel() const { return weaponPanel_; }
    tidewell::Sprite* getTextLayer() const { return textLayer_; }
    StageTitle* getStageTitle() const { return stageTitle_; }
    LifeBar* getLifeBar() const { return lifeBar_; }
    tidewell::Shape* getFlashOverlay() const { return flashOverlay_; }
    GameOverMenu* getGameOverMenu() const { return gameOverMenu_; }
    PauseMenu* getPauseMenu() const { return pauseMenu_; }
    tidewell::Sound* getHitSound() const { return hitSound_; }
    tidewell::Sound* getEnemyDeadSound() const { return enemyDeadSound_; }
    tidewell::Sound* getExplodeSound() const { return explodeSound_; }
    tidewell::Sound* getEnemyShootSound() const { return enemyShootSound_; }
    tidewell::Sound* getWeaponSound() const { return weaponSound_; }
    tidewell::Music* getStageMusic() const { return stageMusic_; }
    tidewell::Music* getBossMusic() const { return bossMusic_; }
    tidewell::Music* getBossAfterMusic() const { return bossAfterMusic_; }
    tidewell::Vibration* getBossVibration() const { return bossVibration_; }
    int getStage() const { return stage_; }
    bool isPaused() const { return paused_; }
    bool isVibrating() const { return vibrating_; }
    bool isUseJoystick() const { return useJoystick_; }
    bool isInvincible() const { return invincible_; }
    bool isFullPower() const { return fullPower_; }
    int getFlashCounter() const { return flashCounter_; }
    int getStageStartCounter() const { return stageStartCounter_; }
    int getStageClearCounter() const { return stageClearCounter_; }
    int getContinueCounter() const { return continueCounter_; }
    // The end of the demo after the last boss: the picture shown, -1 while not showing.
    int getEndingCounter() const { return endingCounter_; }
    tidewell::Image* getEndingImage() const { return endingImage_; }

private:
    void buildChildren();
    void loadAudio();
    void beginStage();
    void replaceStageContent(int n);
    template <typename T>
    T* replaceChild(T* old, T* fresh);
    bool canPause() const;
    void runPhases();
    bool runFlash();
    void lightFlash();
    void readyNextPicture();
    void releaseNextPictures();
    void ageFlash();
    bool runStageStart();
    bool runStageClear();
    bool runContinue();
    bool runEnding();
    void startStageMusic();
    void beginEnding();
    bool endingCanBeCut() const;
    void setOverlay(int rgb, int alpha);
    bool shipIsDead() const;
    std::string progress() const;

    PlayerShip* ship_ = nullptr;
    WaveScript* waves_ = nullptr;
    Background* background_ = nullptr;
    tidewell::Sprite* bulletLayer_ = nullptr;
    tidewell::Sprite* explosionLayer_ = nullptr;
    AwardLayer* awardLayer_ = nullptr;
    WeaponPanel* weaponPanel_ = nullptr;
    tidewell::Sprite* textLayer_ = nullptr;
    StageTitle* stageTitle_ = nullptr;
    LifeBar* lifeBar_ = nullptr;
    tidewell::Shape* flashOverlay_ = nullptr;
    GameOverMenu* gameOverMenu_ = nullptr;
    PauseMenu* pauseMenu_ = nullptr;
    tidewell::Music* stageMusic_ = nullptr;
    tidewell::Sound* bossBeginSound_ = nullptr;
    tidewell::Music* bossMusic_ = nullptr;
    tidewell::Sound* bossWinSound_ = nullptr;
    tidewell::Music* bossAfterMusic_ = nullptr;
    tidewell::Sound* hitSound_ = nullptr;
    tidewell::Sound* enemyDeadSound_ = nullptr;
    tidewell::Sound* explodeSound_ = nullptr;
    tidewell::Sound* enemyShootSound_ = nullptr;
    tidewell::Sound* weaponSound_ = nullptr;
    tidewell::Vibration* bossVibration_ = nullptr;
    bool useJoystick_ = false;
    bool invincible_ = false;
    bool fullPower_ = false;
    int stage_ = 1;
    int flashCounter_ = -1;
    // Frames since the hit flash last lit, -1 once another may light.
    int flashAge_ = -1;
    int stageStartCounter_ = -1;
    int stageClearCounter_ = -1;
    int continueCounter_ = -1;
    int endingCounter_ = -1;
    tidewell::Image* endingImage_ = nullptr;
    // The next stage's pictures, made ready during the stage clear and held until it starts.
    std::vector<tidewell::Texture*> nextStagePictures_;
    bool paused_ = false;
    bool vibrating_ = false;
};

}  // namespace brinefall
