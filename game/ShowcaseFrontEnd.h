#pragma once

namespace tidewell {
class Sprite;
}

namespace brinefall {

// The front-end pictures placed as the scenes place them. The title screen: the still
// sea, the globe, the title, its five buttons, the version and copyright lines and the
// two idle enemies, with the pointer visiting each button (highlighted, then pressed).
tidewell::Sprite* makeTitleShowcase();
// The options panel over the title, the pointer visiting its boxes and its close button.
tidewell::Sprite* makeOptionsShowcase();
// The help panel over the title, with its close button.
tidewell::Sprite* makeHelpShowcase();
// The still backdrop's two sets side by side: the software renderer's coloured one and
// the hardware renderer's light one under its tint.
tidewell::Sprite* makeBackdropShowcase();
// The maker's logo fading in and out on black.
tidewell::Sprite* makeCompanyShowcase();

}  // namespace brinefall
