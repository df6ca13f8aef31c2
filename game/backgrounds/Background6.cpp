#include "backgrounds/Background6.h"

#include <array>

#include "graphics/GraphicManager.h"
#include "display/Image.h"

namespace brinefall {
namespace {

// One tile each: where it sits, and its picture for each renderer. The hardware set is
// neutral and tinted as a whole; the software set is coloured already. Two 88-pixel-high
// tiles across the top band, the sea below; 512 + 256 + 256 wide.
struct Tile {
    float x;
    float y;
    const char* hardwareFile;
    const char* softwareFile;
};

constexpr std::array<Tile, Background6::kTileCount> kTiles{{
    {0, 0, "background6_0.twi", "background6_6.twi"},
    {512, 0, "background6_1.twi", "background6_7.twi"},
    {768, 0, "background6_2.twi", "background6_8.twi"},
    {0, 88, "background6_3.twi", "background6_9.twi"},
    {512, 88, "background6_4.twi", "background6_10.twi"},
    {768, 88, "background6_5.twi", "background6_11.twi"},
}};

// Blue at half, red and green off: the colour the neutral hardware tiles are drawn in.
constexpr int kHardwareTint = 0x00007F;

}  // namespace

Background6::Background6() {
    const bool hardware = tidewell::GraphicManager::isHardware3D();
    for (const Tile& place : kTiles) {
        auto* tile = new tidewell::Image(hardware ? place.hardwareFile : place.softwareFile);
        tile->setPosition(place.x, place.y);
        addChild(tile);
    }
    if (hardware) setRGB(kHardwareTint);
}

// The tiles are children and give their textures back as they go.
Background6::~Background6() = default;

}  // namespace brinefall
