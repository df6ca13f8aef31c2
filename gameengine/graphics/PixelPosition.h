#pragma once

#include <algorithm>

namespace tidewell {

// A screen pixel from a position in floating point: truncated toward zero, and held within
// int first, so that a sprite flung far away stays harmless.
inline int truncated(float value) { return static_cast<int>(std::clamp(value, -1.0e9f, 1.0e9f)); }

}  // namespace tidewell
