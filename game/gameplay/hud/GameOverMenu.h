#pragma once

#include "gameplay/hud/HudMenu.h"

namespace brinefall {

// After the ship's death: "continue" restarts the stage, the second entry goes back to the title.
class GameOverMenu : public HudMenu {
public:
    static const Layout kLayout;

    GameOverMenu(GameScene* scene, bool useJoystick);

protected:
    void runFirstEntry() override;
};

}  // namespace brinefall
