#pragma once

namespace tidewell {
class Sprite;
}

namespace brinefall {

// The renderer's demonstration scene, shown by --demo-sprites: images plain, mirrored,
// upside down, tinted, faded and brightened, a colour-keyed opaque animation, a clipped
// image, every kind of shape, and texts in all five layout modes, in one picture. Its
// pictures are made in memory; the texts need arial12c_1.twf and arial20_1.twf in the
// data folder and are left out, with a message, when those are missing.
tidewell::Sprite* makeDemoSpritesScene();

}  // namespace brinefall
