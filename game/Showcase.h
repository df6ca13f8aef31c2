#pragma once

#include <string>
#include <vector>

namespace tidewell {
class Sprite;
}

namespace brinefall {

// Showcases of the game's pictures, drawn by the engine as the game will place them,
// animated, for a person to look at (--demo-sprites NAME): each stage with its actors,
// bullets, explosions and pickups; the front end (logo, title, options, help, opening);
// and the rest of the heads-up pictures (stage titles, weapon choice, menus, ending).

// The names, in the order --help lists them.
const std::vector<std::string>& showcaseNames();
bool isShowcaseName(const std::string& name);
// The names as one line: "stage1, stage2, ...".
std::string showcaseNameList();

// The scene of that showcase, built from the baked pictures of the data folder (a
// missing picture throws ErrorFile); null for a name that is not a showcase.
tidewell::Sprite* makeShowcaseScene(const std::string& name);

}  // namespace brinefall
