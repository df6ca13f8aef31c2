#pragma once

#include "WaveScript.h"

namespace tidewell {
class ImageResource;
}  // namespace tidewell

namespace brinefall {

// Stage 2: 90 spawn steps of five enemy kinds, then the two halves of Boss2. Holds the
// pictures its enemies use for its whole lifetime.
class Stage2Script : public WaveScript {
public:
    static constexpr int kStepCount = 91;

    explicit Stage2Script(GameScene* scene);
    ~Stage2Script() override;

    // Builds an enemy of the given script kind (0 to 4) with the kind's values, as the
    // script's last child, at (850, y).
    Enemy* spawnKind(int kind, float y);

protected:
    void spawnStep(int index) override;

private:
    void spawnRandom();
    void spawnBoss();

    std::vector<tidewell::ImageResource*> images_;
};

}  // namespace brinefall
