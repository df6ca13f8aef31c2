#pragma once

#include <array>

#include "WaveScript.h"

namespace brinefall {

// Stage 2: 90 spawn steps of five enemy kinds (0 shrimp-bots, 1 frog-fish, 2 urchin
// bouncers, 3 squid-bots, 4 diving rays), then the two halves of Boss2. Holds the
// pictures its enemies use.
class Stage2Script : public WaveScript {
public:
    // The pictures it holds, its enemies', their bullets' and explosions' and its awards'.
    static constexpr std::array<const char*, 10> kHeldImages = {
        "enemy02.twi",     "enemy07.twi", "enemy13.twi", "enemy14.twi",   "enemy22.twi",
        "bulletEnemy.twi", "boss2_1.twi", "boss2_2.twi", "explosion.twi", "awards.twi",
    };

    explicit Stage2Script(GameScene* scene);
    ~Stage2Script() override;

protected:
    Enemy* spawnRandom() override;
    void spawnBoss() override;
};

}  // namespace brinefall
