#pragma once

#include "gameplay/hud/HudMenu.h"

namespace brinefall {

// While the game is paused: the first entry resumes, the second goes back to the title.
class PauseMenu : public HudMenu {
public:
    static const Layout kLayout;

    PauseMenu(GameScene* scene, bool useJoystick);

protected:
    void runFirstEntry() override;
};

}  // namespace brinefall
