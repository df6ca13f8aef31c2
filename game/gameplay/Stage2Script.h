#pragma once

#include "WaveScript.h"

namespace brinefall {

// Stage 2: 90 spawn steps of five enemy kinds (0 shrimp-bots, 1 frog-fish, 2 urchin
// bouncers, 3 squid-bots, 4 diving rays), then the two halves of Boss2. Holds the
// pictures its enemies use.
class Stage2Script : public WaveScript {
public:
    explicit Stage2Script(GameScene* scene);
    ~Stage2Script() override;

protected:
    Enemy* spawnRandom() override;
    void spawnBoss() override;
};

}  // namespace brinefall
