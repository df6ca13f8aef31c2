#pragma once

namespace tidewell {
class Sprite;
}

namespace brinefall {

// The opening's captions over their shots, as the opening scene places them: the story
// played from its start, jumping to ten moments of 20 frames each (the globe; the
// line-up; the red attack; the angler's shot, twice; the march; the black screen; the
// hero flying off, twice; the hero vanishing), so that every caption line is seen.
tidewell::Sprite* makeOpeningShowcase();

}  // namespace brinefall
