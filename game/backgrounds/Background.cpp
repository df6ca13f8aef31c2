#include "backgrounds/Background.h"

namespace brinefall {

Background::Background() = default;

Background::~Background() = default;

// A still background has no speed to ease; the scrolling ones override this.
void Background::setTargetSpeed(float /*speed*/) {}

}  // namespace brinefall
