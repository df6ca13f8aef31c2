#pragma once

#include "Enemy.h"

namespace brinefall {

// An enemy of the given picture (2 x 2 frames) that only does what the base does: moves
// as the wave tells it, animates, shoots if told to and shakes when hit. Its hit area is
// its picture's rectangle until the wave sets another.
class PlainEnemy : public Enemy {
public:
    PlainEnemy(GameScene* scene, const char* imageFile);
    ~PlainEnemy() override;

    // The stages' tables build their plain kinds with this.
    static Enemy* make(GameScene* scene, const char* imageFile);
};

}  // namespace brinefall
