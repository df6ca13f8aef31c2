#pragma once

#include <cstdint>
#include <vector>

namespace tidewell {

// The built-in mouse pointer: 40 × 32 ARGB pixels holding two 20 × 32 frames side by
// side. Frame 0 is an arrow leaning to the lower right with its tip at the top-left
// corner (hot spot 0, 0); frame 1 an arrow pointing straight up on a shaft (hot spot
// 10, 0). Dark grey outline, white-to-grey fill, soft translucent edges.
inline constexpr unsigned pointerImageWidth = 40;
inline constexpr unsigned pointerImageHeight = 32;
std::vector<std::uint32_t> makePointerImage();

}  // namespace tidewell
