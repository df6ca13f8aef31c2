#pragma once

#include "Enemy.h"

namespace brinefall {

// The weaving jellyfish-drone: drifts left while its image swings about 100 pixels above
// and below its line, one swing each 40 frames.
class Enemy06 : public Enemy {
public:
    explicit Enemy06(GameScene* scene);
    ~Enemy06() override;

    float weaveSpeed = -10;
    float weaveChange = 0.5f;

protected:
    void ownMotion() override;

private:
    void weave();
};

}  // namespace brinefall
