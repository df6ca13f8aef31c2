#include "gameplay/hud/GameOverMenu.h"

#include "gameplay/GameScene.h"

namespace brinefall {

// "Continue" and "Quit" sit just right of the cursor's x, on these two lines.
const HudMenu::Layout GameOverMenu::kLayout{"gameover.twi", -30, 44, 64};

GameOverMenu::GameOverMenu(GameScene* scene, bool useJoystick) : HudMenu(scene, useJoystick, kLayout) {}

void GameOverMenu::runFirstEntry() { scene_->continueGame(); }

}  // namespace brinefall
