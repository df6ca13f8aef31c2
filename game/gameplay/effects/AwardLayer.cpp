#include "gameplay/effects/AwardLayer.h"

#include "gameplay/effects/Award.h"

namespace brinefall {

AwardLayer::AwardLayer() = default;

AwardLayer::~AwardLayer() = default;

Award* AwardLayer::findAwardTouching(PlayerShip* ship) {
    for (tidewell::Sprite* child = getFirstChild(); child != nullptr; child = child->getNextSibling()) {
        auto* award = dynamic_cast<Award*>(child);
        if (award != nullptr && award->touches(ship)) return award;
    }
    return nullptr;
}

}  // namespace brinefall
