// Which OpenGL renderer strings name a rasteriser running on the processor: such a
// "card" is passed over for the software renderer unless the card is required.
#include "platform/SoftwareRasteriser.h"

#include <gtest/gtest.h>

using tidewell::platform::isSoftwareRasteriser;

TEST(SoftwareRasteriser, MesasProcessorRenderersAreKnownWhateverSurroundsThem) {
    EXPECT_TRUE(isSoftwareRasteriser("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(isSoftwareRasteriser("softpipe"));
    EXPECT_TRUE(isSoftwareRasteriser("Mesa swrast"));
    EXPECT_TRUE(isSoftwareRasteriser("Software Rasterizer"));
    EXPECT_TRUE(isSoftwareRasteriser("LLVMPIPE"));
    // Through a virtual machine's pass-through the host's rasteriser is named inside another string.
    EXPECT_TRUE(isSoftwareRasteriser("virgl (llvmpipe (LLVM 15.0.6, 256 bits))"));
}

TEST(SoftwareRasteriser, RealCardsAndUnknownNamesCountAsAccelerated) {
    EXPECT_FALSE(isSoftwareRasteriser("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)"));
    EXPECT_FALSE(isSoftwareRasteriser("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
    EXPECT_FALSE(isSoftwareRasteriser("NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2"));
    EXPECT_FALSE(isSoftwareRasteriser(""));  // a driver that names nothing is given the benefit of the doubt
}
