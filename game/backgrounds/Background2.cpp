#include "backgrounds/Background2.h"

namespace brinefall {
namespace {

constexpr float kRowBTop = 88;

}  // namespace

Background2::Background2()
    : rowA_(this, {"background2_0.twi", "background2_1.twi", "background2_2.twi"}, 0, 2),
      rowB_(this, {"background2_3.twi", "background2_4.twi", "background2_5.twi"}, kRowBTop, 2) {}

Background2::~Background2() = default;

void Background2::update() {
    const float speed = easeSpeed();
    rowA_.scroll(speed);
    rowB_.scroll(speed);
}

}  // namespace brinefall
