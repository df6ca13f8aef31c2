#pragma once

#include "Enemy.h"

namespace brinefall {

// The big grouper-tank: crawls left, chews (its mouth opens and shuts every 5 frames) and
// lobs a glob that rises and falls back instead of shooting straight at the ship.
class Enemy05 : public Enemy {
public:
    static constexpr int kMouthPeriod = 5;

    explicit Enemy05(GameScene* scene);
    ~Enemy05() override;

    void shoot() override;

    float lobDeceleration = 0;
    int mouthCounter = 0;

protected:
    void afterShake() override;

private:
    void chew();

    tidewell::Sound* shootSound_ = nullptr;
};

}  // namespace brinefall
