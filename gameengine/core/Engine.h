#pragma once

#include <cstddef>
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
// What the managers still held at the last stopEngine once the display tree was deleted:
// vibrations, sounds, music, textures, fonts and resources that were never released
// (the engine's own pointer picture is not counted).
// A program that gives back all it takes leaves 0.
std::size_t leftoversAtLastStop();

// Installs the root of the display tree, owned by the engine from then on until
// stopEngine. Installing the root again, or null, does nothing; a different sprite
// while a root is installed is refused with ErrorGeneric (Engine, line 88), and the
// refused sprite is deleted unless it is in a tree.
void setRootSprite(Sprite* root);
Sprite* getRootSprite();

// A fixed seed for the random generator instead of the clock (a repeatable run).
void setRandomSeed(std::optional<std::uint32_t> seed);

}  // namespace tidewell
