#pragma once

namespace tidewell {
class Sprite;
}

namespace brinefall {

// The showcase of a stage (1 or 2): its background rows and decorations scrolling, the
// hero in every frame and in flight, firing; the stage's enemies and boss at their game
// sizes, moving, shooting and now and then showing a hit; every kind of bullet, the
// explosions, the award pickups and the floating texts.
tidewell::Sprite* makeStageShowcase(int stage);

// The stage titles with the two controls cards, in turn.
tidewell::Sprite* makeStageTitleShowcase();
// The weapon choice after the first boss: the three icons circling the hero.
tidewell::Sprite* makeWeaponsShowcase();
// The pause and game-over menus in turn, their cursor moving between the entries.
tidewell::Sprite* makeMenusShowcase();
// The end of the demo after the second boss.
tidewell::Sprite* makeEndingShowcase();

}  // namespace brinefall
