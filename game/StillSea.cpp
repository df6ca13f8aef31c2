#include "StillSea.h"

#include <string>

#include "GraphicManager.h"
#include "ShowcaseKit.h"

namespace brinefall {
namespace {

constexpr float kTileX[6] = {0, 512, 768, 0, 512, 768};
constexpr float kTileY[6] = {0, 0, 0, 88, 88, 88};
constexpr int kHardwareTint = 0x00007F;

}  // namespace

StillSea::StillSea(Look look) {
    const bool hardware =
        look == Look::tinted || (look == Look::forRenderer && tidewell::GraphicManager::isHardware3D());
    const int first = hardware ? 0 : 6;
    for (int i = 0; i < 6; ++i) {
        const std::string name = "background6_" + std::to_string(first + i) + ".twi";
        ShowcaseKit::tile(this, name.c_str(), kTileX[i], kTileY[i]);
    }
    if (hardware) setRGB(kHardwareTint);
}

}  // namespace brinefall
