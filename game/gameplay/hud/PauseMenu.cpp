#include "gameplay/hud/PauseMenu.h"

#include "gameplay/GameScene.h"

namespace brinefall {

// "Resume" and "Quit" sit just right of the cursor's x, on these two lines.
const HudMenu::Layout PauseMenu::kLayout{"paused.twi", -62, 15, 39};

PauseMenu::PauseMenu(GameScene* scene, bool useJoystick) : HudMenu(scene, useJoystick, kLayout) {}

void PauseMenu::runFirstEntry() { scene_->resumeGame(); }

}  // namespace brinefall
