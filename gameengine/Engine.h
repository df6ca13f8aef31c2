#pragma once

#include <cstdint>
#include <optional>

namespace tidewell {

class Sprite;

// Brings up every manager in order: random generator, settings, resources, the
// window, graphics, sound, input. Failures throw from the Error family.
void startEngine();
// Tears everything down in the reverse order, the display tree first. Never throws.
void stopEngine();
bool isEngineStarted();

// Installs the root of the display tree, owned by the engine from then on; only
// the first call counts.
void setRootSprite(Sprite* root);
Sprite* getRootSprite();

// A fixed seed for the random generator instead of the clock (a repeatable run).
void setRandomSeed(std::optional<std::uint32_t> seed);

} // namespace tidewell
