#include "backgrounds/Background6.h"

#include <array>
#include <string>

#include "GraphicManager.h"
#include "Image.h"

namespace brinefall {
namespace {

struct Tile {
    float x;
    float y;
};

// Two 88-pixel-high tiles across the top band, the sea below; 512 + 256 + 256 wide.
constexpr std::array<Tile, Background6::kTileCount> kTiles{{
    {0, 0},
    {512, 0},
    {768, 0},
    {0, 88},
    {512, 88},
    {768, 88},
}};

// Blue at half, red and green off: the colour the neutral hardware tiles are drawn in.
constexpr int kHardwareTint = 0x00007F;
constexpr int kFirstHardwareTile = 0;
constexpr int kFirstSoftwareTile = 6;

}  // namespace

Background6::Background6() {
    const bool hardware = tidewell::GraphicManager::isHardware3D();
    const int first = hardware ? kFirstHardwareTile : kFirstSoftwareTile;
    for (int i = 0; i < kTileCount; ++i) {
        const std::string name = "background6_" + std::to_string(first + i) + ".twi";
        auto* tile = new tidewell::Image(name.c_str());
        tile->setPosition(kTiles[static_cast<std::size_t>(i)].x, kTiles[static_cast<std::size_t>(i)].y);
        addChild(tile);
    }
    if (hardware) setRGB(kHardwareTint);
}

// The tiles are children and give their textures back as they go.
Background6::~Background6() = default;

}  // namespace brinefall
