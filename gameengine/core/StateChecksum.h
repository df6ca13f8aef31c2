#pragma once

#include <cstdint>
#include <string>

namespace tidewell {
class Sprite;
}

// One number for the state of a running game, to tell whether two runs of the same input
// went the same way: the random generator's state and, for every sprite of the display
// tree in tree order (a sprite, then its children first to last), its kind, position,
// frame and opacity. FNV-1a, 64 bits, over a fixed little-endian layout, so the number is
// the same on every backend and from run to run of the same program.
namespace tidewell::StateChecksum {

// The checksum of the tree under `root` (none: the generator alone) and the generator.
std::uint64_t ofGame(const Sprite* root);

// Sixteen lower-case hexadecimal digits, as the journals write it.
std::string toText(std::uint64_t checksum);

}  // namespace tidewell::StateChecksum
