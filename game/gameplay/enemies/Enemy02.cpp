#include "Enemy02.h"

namespace brinefall {

Enemy02::Enemy02(GameScene* scene) : Enemy01(scene, "enemy02.twi", 52, 64, -10, 2) {}

Enemy02::~Enemy02() = default;

}  // namespace brinefall
