#include "backgrounds/Background2.h"

namespace brinefall {
namespace {

constexpr float kRowBTop = 88;

}  // namespace

const std::array<const char*, 6> Background2::kPictureFiles = {
    "background2_0.twi", "background2_1.twi", "background2_2.twi",
    "background2_3.twi", "background2_4.twi", "background2_5.twi",
};

Background2::Background2()
    : rowA_(this, {kPictureFiles[0], kPictureFiles[1], kPictureFiles[2]}, 0, 2),
      rowB_(this, {kPictureFiles[3], kPictureFiles[4], kPictureFiles[5]}, kRowBTop, 2) {}

Background2::~Background2() = default;

void Background2::update() {
    const float speed = easeSpeed();
    rowA_.scroll(speed);
    rowB_.scroll(speed);
}

}  // namespace brinefall
