#pragma once

#include "WaveScript.h"

namespace brinefall {

// Stage 1: 80 spawn steps of five enemy kinds (0 flying-fish drones, 1 seahorse-bots,
// 2 weaving jellyfish, 3 grouper-tanks, 4 hopping crabs), then Boss1. Holds the pictures
// and the sound its enemies use.
class Stage1Script : public WaveScript {
public:
    explicit Stage1Script(GameScene* scene);
    ~Stage1Script() override;

protected:
    Enemy* spawnRandom() override;
    void spawnBoss() override;
};

}  // namespace brinefall
