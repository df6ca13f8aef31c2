#pragma once

#include <memory>

#include "GameFixture.h"
#include "display/Image.h"
#include "backgrounds/Background.h"
#include "gameplay/GameScene.h"
#include "gameplay/PlayerShip.h"
#include "gameplay/WaveScript.h"
#include "gameplay/bullets/MainBullet.h"

namespace brinefall::testing {

// A game scene whose ship cannot die, with the enemies under test put straight into its
// wave script. The stage's own first wave arrives at frame 140, so short tests see only
// their own enemies.
class EnemyFixture : public GameFixture {
protected:
    void startGame(std::uint32_t seed = 1) {
        startEngine(seed);
        scene = new GameScene(false, true, false);
        setRoot(scene);
        // Nothing here is about the sea, and drawing it is most of a frame's time.
        scene->getBackground()->visible = false;
    }

    template <typename T>
    T* place(T* enemy, float x, float y) {
        scene->getWaves()->addChild(enemy);
        enemy->setPosition(x, y);
        return enemy;
    }

    // A main-gun bullet of the given damage standing at (x, y), outside the tree, so only
    // the calls of the test move or test it.
    std::unique_ptr<MainBullet> bulletAt(float x, float y, int damage, bool passThrough = false) {
        auto bullet = std::make_unique<MainBullet>(scene, 1);
        bullet->setPosition(x, y);
        bullet->damage = damage;
        bullet->passThrough = passThrough;
        return bullet;
    }

    float shipX() const { return scene->getShip()->getShipImage()->getAbsoluteX(); }
    float shipY() const { return scene->getShip()->getShipImage()->getAbsoluteY(); }

    // Frames in which a sound or music of that file started.
    std::vector<std::uint64_t> playFrames(const std::string& file) const {
        std::vector<std::uint64_t> frames;
        for (const AudioEvent& event : audioEvents()) {
            if ((event.kind == AudioEvent::SoundPlay || event.kind == AudioEvent::MusicPlay) && event.file == file) {
                frames.push_back(event.frame);
            }
        }
        return frames;
    }

    GameScene* scene = nullptr;
};

}  // namespace brinefall::testing
