#pragma once

#include "Enemy01.h"

namespace brinefall {

// The fast hopping shrimp-bot: the crab's hop with a heavier fall.
class Enemy02 : public Enemy01 {
public:
    explicit Enemy02(GameScene* scene);
    ~Enemy02() override;
};

}  // namespace brinefall
