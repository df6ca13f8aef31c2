#pragma once

#include "WaveScript.h"

namespace tidewell {
class ImageResource;
class Sound;
}  // namespace tidewell

namespace brinefall {

// Stage 1: 80 spawn steps of five enemy kinds, then Boss1. Holds the pictures and the
// sound its enemies use for its whole lifetime, so they stay loaded while enemies come and go.
class Stage1Script : public WaveScript {
public:
    static constexpr int kStepCount = 81;

    explicit Stage1Script(GameScene* scene);
    ~Stage1Script() override;

    // Builds an enemy of the given script kind (0 to 4) with the kind's values, as the
    // script's last child, at (850, y).
    Enemy* spawnKind(int kind, float y);

protected:
    void spawnStep(int index) override;

private:
    void spawnRandom();
    void spawnBoss();

    std::vector<tidewell::ImageResource*> images_;
    tidewell::Sound* enemy05Sound_ = nullptr;
};

}  // namespace brinefall
