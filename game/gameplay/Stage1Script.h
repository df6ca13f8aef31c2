#pragma once

#include <vector>

#include "WaveScript.h"

namespace tidewell {
class ImageResource;
class Sound;
}  // namespace tidewell

namespace brinefall {

// Stage 1: 80 spawn steps of five enemy kinds (0 flying-fish drones, 1 seahorse-bots,
// 2 weaving jellyfish, 3 grouper-tanks, 4 hopping crabs), then Boss1. Holds the pictures
// and the sound its enemies use for its whole lifetime, so they stay loaded while enemies
// come and go.
class Stage1Script : public WaveScript {
public:
    static constexpr int kStepCount = 81;

    explicit Stage1Script(GameScene* scene);
    ~Stage1Script() override;

    Enemy* spawnKind(int kind) override;

protected:
    Enemy* spawnRandom() override;
    void spawnBoss() override;

private:
    std::vector<tidewell::ImageResource*> images_;
    tidewell::Sound* enemy05Sound_ = nullptr;
};

}  // namespace brinefall
