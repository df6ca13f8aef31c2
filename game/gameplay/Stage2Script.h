#pragma once

#include <array>
#include <vector>

#include "WaveScript.h"

namespace tidewell {
class ImageResource;
}  // namespace tidewell

namespace brinefall {

// Stage 2: 90 spawn steps of five enemy kinds (0 shrimp-bots, 1 frog-fish, 2 urchin
// bouncers, 3 squid-bots, 4 diving rays), then the two halves of Boss2. Holds the
// pictures its enemies use for its whole lifetime.
class Stage2Script : public WaveScript {
public:
    static constexpr int kStepCount = 91;
    // The pictures it holds, its enemies', their bullets' and explosions' and its awards'.
    static const std::array<const char*, 10> kHeldImages;

    explicit Stage2Script(GameScene* scene);
    ~Stage2Script() override;

    Enemy* spawnKind(int kind) override;

protected:
    Enemy* spawnRandom() override;
    void spawnBoss() override;

private:
    std::vector<tidewell::ImageResource*> images_;
};

}  // namespace brinefall
