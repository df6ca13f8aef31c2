#include "PlainEnemy.h"

namespace brinefall {

PlainEnemy::PlainEnemy(GameScene* scene, const char* imageFile) : Enemy(scene, imageFile) {
    setHitArea(image->getWidth(), image->getHeight(), rectangleShape);
}

PlainEnemy::~PlainEnemy() = default;

Enemy* PlainEnemy::make(GameScene* scene, const char* imageFile) { return new PlainEnemy(scene, imageFile); }

}  // namespace brinefall
