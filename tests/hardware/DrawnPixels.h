#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "display/Sprite.h"
#include "graphics/GraphicManager.h"
#include "graphics/HardwareRenderer.h"
#include "graphics/SoftwareRenderer.h"
#include "graphics/Surface.h"

namespace tidewell::testing {

// One picture of `scene` by the renderer in use, on a background of `clear`, as 0xRRGGBB
// words row by row: the software back buffer, or the card's picture read back.
inline std::vector<std::uint32_t> drawnPixels(Sprite& scene, std::uint32_t clear) {
    Renderer& renderer = *GraphicManager::getRenderer();
    renderer.beginScene();
    renderer.clear(clear);
    scene.dispatchDraw();
    renderer.endScene();
    std::vector<std::uint32_t> pixels;
    if (auto* software = dynamic_cast<SoftwareRenderer*>(&renderer)) {
        const Surface& back = *software->getBackBuffer();
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) pixels.push_back(back.pixelAt(x, y) & 0xFFFFFF);
        }
    } else {
        EXPECT_TRUE(dynamic_cast<HardwareRenderer&>(renderer).device().readBackBuffer(pixels));
    }
    return pixels;
}

}  // namespace tidewell::testing
