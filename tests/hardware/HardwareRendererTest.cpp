// The hardware renderer against a recording card: the renderer choice, the texture
// limits and format taken from the card's capabilities, how pictures are laid out in
// device textures and drawn as quads, the primitives, and the recoveries.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "../resources/FormatWriters.h"
#include "core/Engine.h"
#include "core/ErrorDirectX.h"
#include "core/ErrorGeneric.h"
#include "graphics/GraphicManager.h"
#include "graphics/HardwareRenderer.h"
#include "input/InputManager.h"
#include "core/MainLoop.h"
#include "resources/ResourceManager.h"
#include "graphics/SoftwareRenderer.h"
#include "graphics/Texture.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace tidewell;
using platform::GpuCapabilities;
using platform::GpuFormatKind;
using platform::GpuPrimitive;
using platform::GpuTextureFormat;
using platform::headless::HeadlessGpuDevice;

namespace {

const GpuTextureFormat kArgb1555{16, 0x7C00, 0x03E0, 0x001F, 0x8000};
const GpuTextureFormat kArgb4444{16, 0x0F00, 0x00F0, 0x000F, 0xF000};
const GpuTextureFormat kRgb565{16, 0xF800, 0x07E0, 0x001F, 0};
const GpuTextureFormat kArgb8888{32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};

GpuCapabilities card(std::uint32_t largest = 2048,
                     std::vector<GpuTextureFormat> formats = {kArgb1555, kArgb4444, kRgb565, kArgb8888}) {
    GpuCapabilities capabilities;
    capabilities.maxTextureWidth = capabilities.maxTextureHeight = largest;
    capabilities.textureFormats = std::move(formats);
    return capabilities;
}

std::vector<std::uint32_t> picture(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint32_t> pixels(std::size_t{width} * height);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
    return pixels;
}

float largest(const HeadlessGpuDevice::DrawRecord& draw, float platform::GpuVertex::*field) {
    float most = draw.vertices.front().*field;
    for (const auto& corner : draw.vertices) most = std::max(most, corner.*field);
    return most;
}

float smallest(const HeadlessGpuDevice::DrawRecord& draw, float platform::GpuVertex::*field) {
    float least = draw.vertices.front().*field;
    for (const auto& corner : draw.vertices) least = std::min(least, corner.*field);
    return least;
}

}  // namespace

class HardwareRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-hardware-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        directory = pattern;
        auto made = std::make_unique<platform::headless::HeadlessPlatform>(platform::PlatformOptions{directory});
        machine = made.get();
        platform::install(std::move(made));
        GraphicManager::setHardwareRendererFactory(&HardwareRenderer::create);
    }

    void TearDown() override {
        InputManager::stop();  // the pointer that drawFrame() drew gives its texture back
        GraphicManager::stop();
        ResourceManager::stop();
        WindowManager::destroyWindow();
        WindowManager::setFullScreen(false);
        platform::install(nullptr);
        GraphicManager::allowHardware3D = true;
        GraphicManager::requireHardware3D = false;
        GraphicManager::clearBackground = true;
        GraphicManager::clearColour = 0xFFFFFFFF;
        std::filesystem::remove_all(directory);
    }

    void start(const GpuCapabilities& capabilities) {
        machine->window().offerGpu(capabilities);
        WindowManager::createWindow();
        GraphicManager::start();
    }

    HeadlessGpuDevice& gpu() { return *machine->window().gpu(); }
    HardwareRenderer& hardware() { return dynamic_cast<HardwareRenderer&>(*GraphicManager::getRenderer()); }

    // Draws inside a frame of the card, as the display tree does.
    void drawInFrame(Texture* texture, int srcLeft, int srcTop, int srcRight, int srcBottom, int dstLeft, int dstTop,
                     int dstRight, int dstBottom, std::uint32_t multiply = 0xFFFFFFFF) {
        gpu().forgetDraws();
        GraphicManager::getRenderer()->beginScene();
        texture->draw(srcLeft, srcTop, srcRight, srcBottom, dstLeft, dstTop, dstRight, dstBottom, multiply, 0xFF000000);
        GraphicManager::getRenderer()->endScene();
    }

    std::filesystem::path directory;
    platform::headless::HeadlessPlatform* machine = nullptr;
};

TEST_F(HardwareRendererTest, TheCardIsUsedWhenOfferedAndAllowedOtherwiseSoftwareOrAClearFailure) {
    WindowManager::createWindow();
    GraphicManager::start();  // the headless machine has no card
    EXPECT_FALSE(GraphicManager::isHardware3D());
    EXPECT_NE(dynamic_cast<SoftwareRenderer*>(GraphicManager::getRenderer()), nullptr);
    GraphicManager::stop();

    machine->window().offerGpu(card());
    GraphicManager::start();
    EXPECT_TRUE(GraphicManager::isHardware3D());
    EXPECT_EQ(GraphicManager::getDisplayDepth(), 32);
    ASSERT_NE(machine->window().gpu(), nullptr);
    GraphicManager::stop();
    EXPECT_EQ(machine->window().gpu(), nullptr);  // given back with the renderer

    GraphicManager::allowHardware3D = false;  // --software
    GraphicManager::start();
    EXPECT_FALSE(GraphicManager::isHardware3D());
    EXPECT_EQ(machine->window().gpu(), nullptr);
    GraphicManager::stop();

    // A card without any plain colour format cannot show the game's pictures.
    GraphicManager::allowHardware3D = true;
    GpuTextureFormat luminance = kArgb4444;
    luminance.kind = GpuFormatKind::Luminance;
    machine->window().offerGpu(card(2048, {luminance}));
    GraphicManager::start();
    EXPECT_FALSE(GraphicManager::isHardware3D());
    EXPECT_EQ(machine->window().gpu(), nullptr);
    GraphicManager::stop();

    // --hardware: without a card the start fails instead of drawing in software.
    machine->window().withdrawGpu();
    GraphicManager::requireHardware3D = true;
    EXPECT_THROW(GraphicManager::start(), ErrorDirectX);
    EXPECT_FALSE(GraphicManager::isStarted());
}

TEST_F(HardwareRendererTest, ACardDrawnByTheProcessorIsSetAsideUnlessTheCardIsRequired) {
    GpuCapabilities llvmpipe = card();
    llvmpipe.accelerated = false;
    llvmpipe.name = "llvmpipe (LLVM 15.0.6, 256 bits)";
    machine->window().offerGpu(llvmpipe);
    WindowManager::createWindow();

    // Neither option: the software renderer, the card given back, one line saying why.
    ::testing::internal::CaptureStderr();
    GraphicManager::start();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(GraphicManager::isHardware3D());
    EXPECT_NE(dynamic_cast<SoftwareRenderer*>(GraphicManager::getRenderer()), nullptr);
    EXPECT_EQ(machine->window().gpu(), nullptr);
    EXPECT_NE(said.find("drawing in software"), std::string::npos) << said;
    EXPECT_NE(said.find("llvmpipe (LLVM 15.0.6, 256 bits)"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

    // A device reset (a full-screen switch) chooses the same way again.
    GraphicManager::resetDevice();
    EXPECT_FALSE(GraphicManager::isHardware3D());
    GraphicManager::stop();

    // --hardware: the same card is used, without a word.
    GraphicManager::requireHardware3D = true;
    ::testing::internal::CaptureStderr();
    GraphicManager::start();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(GraphicManager::isHardware3D());
    ASSERT_NE(machine->window().gpu(), nullptr);
    GraphicManager::stop();

    // An accelerated card needs no option.
    GraphicManager::requireHardware3D = false;
    machine->window().offerGpu(card());
    ::testing::internal::CaptureStderr();
    GraphicManager::start();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(GraphicManager::isHardware3D());
}

TEST_F(HardwareRendererTest, TheFormatIsFourBitsWhereverItIsListedElseTheWidestChannels) {
    using Formats = std::vector<GpuTextureFormat>;
    EXPECT_EQ(HardwareRenderer::chooseFormat(Formats{kArgb1555, kArgb4444, kRgb565, kArgb8888}), kArgb4444);
    EXPECT_EQ(HardwareRenderer::chooseFormat(Formats{kArgb8888, kRgb565, kArgb4444}), kArgb4444);
    // Without 4-4-4-4: 8-8-8-8 once held stays; a narrower channel is no candidate.
    EXPECT_EQ(HardwareRenderer::chooseFormat(Formats{kArgb1555, kArgb8888, kRgb565}), kArgb8888);
    EXPECT_EQ(HardwareRenderer::chooseFormat(Formats{kRgb565, kArgb1555}), kRgb565);    // 1555 has less green
    EXPECT_EQ(HardwareRenderer::chooseFormat(Formats{kArgb1555, kRgb565}), kArgb1555);  // 565 has no alpha
    // Special formats and other sizes are passed over; none left is all zero.
    GpuTextureFormat bump = kArgb4444;
    bump.kind = GpuFormatKind::BumpDuDv;
    GpuTextureFormat packed24{24, 0xFF0000, 0xFF00, 0xFF, 0};
    EXPECT_EQ(HardwareRenderer::chooseFormat(Formats{bump, packed24}), GpuTextureFormat{});
    EXPECT_EQ(HardwareRenderer::chooseFormat(Formats{bump, packed24, kRgb565}), kRgb565);
}

TEST_F(HardwareRendererTest, TextureLimitsAre512AndTilesOf256UnlessTheCardForcesOtherwise) {
    GpuCapabilities capabilities = card(2048);
    auto limits = HardwareRenderer::chooseLimits(capabilities);
    EXPECT_EQ(limits.maxWidth, 512u);
    EXPECT_EQ(limits.maxHeight, 512u);
    EXPECT_EQ(limits.tileWidth, 256u);
    EXPECT_EQ(limits.tileHeight, 256u);

    capabilities = card(128);
    limits = HardwareRenderer::chooseLimits(capabilities);
    EXPECT_EQ(limits.maxWidth, 128u);
    EXPECT_EQ(limits.tileWidth, 128u);

    capabilities = card(4096);
    capabilities.minTextureWidth = 1024;
    capabilities.minTextureHeight = 300;
    limits = HardwareRenderer::chooseLimits(capabilities);
    EXPECT_EQ(limits.maxWidth, 1024u);
    EXPECT_EQ(limits.tileWidth, 1024u);
    EXPECT_EQ(limits.maxHeight, 512u);
    EXPECT_EQ(limits.tileHeight, 300u);
}

TEST_F(HardwareRendererTest, A300By200PictureOnAPowerOfTwoCardIsOne512By256TextureDrawnWithinThePicture) {
    GpuCapabilities capabilities = card();
    capabilities.powerOfTwoOnly = true;
    start(capabilities);
    const std::vector<std::uint32_t> pixels = picture(300, 200);
    Texture* texture = GraphicManager::createTexture(300, 200, pixels.data(), true);
    ASSERT_EQ(gpu().textures().size(), 1u);
    const auto& [handle, made] = *gpu().textures().begin();
    EXPECT_EQ(made.width, 512u);
    EXPECT_EQ(made.height, 256u);
    EXPECT_EQ(made.format, kArgb4444);
    // The picture sits at the top left in 4 bits a channel, alpha on top.
    EXPECT_EQ(made.texels[0], GraphicManager::toPixelFormat(pixels[0], 4, 4, 4, 4));
    EXPECT_EQ(made.texels[199 * 512 + 299], GraphicManager::toPixelFormat(pixels[199 * 300 + 299], 4, 4, 4, 4));

    drawInFrame(texture, 0, 0, 300, 200, 10, 20, 310, 220);
    ASSERT_EQ(gpu().draws().size(), 1u);
    const auto& quad = gpu().draws()[0];
    EXPECT_EQ(quad.primitive, GpuPrimitive::TriangleStrip);
    EXPECT_EQ(quad.texture, handle);
    ASSERT_EQ(quad.vertices.size(), 4u);
    EXPECT_FLOAT_EQ(largest(quad, &platform::GpuVertex::u), 300.0f / 512.0f);
    EXPECT_FLOAT_EQ(largest(quad, &platform::GpuVertex::v), 200.0f / 256.0f);
    // Top-left, top-right, bottom-left, bottom-right, a tenth of a pixel up and left.
    EXPECT_FLOAT_EQ(quad.vertices[0].x, 9.9f);
    EXPECT_FLOAT_EQ(quad.vertices[0].y, 19.9f);
    EXPECT_FLOAT_EQ(quad.vertices[1].x, 309.9f);
    EXPECT_FLOAT_EQ(quad.vertices[2].y, 219.9f);
    EXPECT_FLOAT_EQ(quad.vertices[3].u, 300.0f / 512.0f);
    EXPECT_EQ(quad.vertices[0].diffuse, 0xFFFFFFFFu);
    EXPECT_EQ(quad.vertices[0].specular, 0xFF000000u);

    // One texture mirrors: the left corners take the right edge of the source.
    drawInFrame(texture, 100, 50, 150, 60, 200, 0, 150, 10);
    ASSERT_EQ(gpu().draws().size(), 1u);
    EXPECT_FLOAT_EQ(gpu().draws()[0].vertices[0].x, 199.9f);
    EXPECT_FLOAT_EQ(gpu().draws()[0].vertices[0].u, 100.0f / 512.0f);
    GraphicManager::releaseTexture(texture);
    EXPECT_TRUE(gpu().textures().empty());
}

TEST_F(HardwareRendererTest, SquareOnlyCardsGetTheLargerSide) {
    GpuCapabilities capabilities = card();
    capabilities.squareOnly = true;
    capabilities.minTextureWidth = capabilities.minTextureHeight = 8;
    start(capabilities);
    const std::vector<std::uint32_t> pixels = picture(300, 5);
    GraphicManager::releaseTexture(GraphicManager::createTexture(300, 5, pixels.data(), true));
    Texture* small = GraphicManager::createTexture(3, 5, pixels.data(), true);
    ASSERT_EQ(gpu().textures().size(), 1u);
    EXPECT_EQ(gpu().textures().begin()->second.width, 8u);  // raised to the card's smallest
    EXPECT_EQ(gpu().textures().begin()->second.height, 8u);
    GraphicManager::releaseTexture(small);
    GraphicManager::stop();

    capabilities.powerOfTwoOnly = true;
    capabilities.minTextureWidth = capabilities.minTextureHeight = 1;
    machine->window().offerGpu(capabilities);
    GraphicManager::start();
    GraphicManager::createTexture(300, 5, pixels.data(), true);
    ASSERT_EQ(gpu().textures().size(), 1u);
    EXPECT_EQ(gpu().textures().begin()->second.width, 512u);
    EXPECT_EQ(gpu().textures().begin()->second.height, 512u);
}

TEST_F(HardwareRendererTest, A600By600PictureBecomesThreeByThreeTilesDrawnOneToOneEvenWhenMirrored) {
    start(card(512));
    const std::vector<std::uint32_t> pixels = picture(600, 600);
    Texture* texture = GraphicManager::createTexture(600, 600, pixels.data(), true);
    ASSERT_EQ(gpu().textures().size(), 9u);
    for (const auto& [handle, tile] : gpu().textures()) {
        EXPECT_EQ(tile.width, 256u);
        EXPECT_EQ(tile.height, 256u);
        EXPECT_EQ(tile.uploads, 1);
    }
    // Tiles are made column by column: the fourth is column 1, row 0; the last holds 88 x 88 pixels.
    const auto& column1 = std::next(gpu().textures().begin(), 3)->second;
    EXPECT_EQ(column1.texels[0], GraphicManager::toPixelFormat(pixels[256], 4, 4, 4, 4));
    const auto& last = gpu().textures().rbegin()->second;
    EXPECT_EQ(last.texels[87 * 256 + 87], GraphicManager::toPixelFormat(pixels[599 * 600 + 599], 4, 4, 4, 4));

    for (bool mirrored : {false, true}) {
        if (mirrored)
            drawInFrame(texture, 0, 0, 600, 600, 700, 600, 100, 0);
        else
            drawInFrame(texture, 0, 0, 600, 600, 100, 0, 700, 600);
        ASSERT_EQ(gpu().draws().size(), 9u) << mirrored;
        float coveredLeft = 1e9f, coveredRight = -1e9f;
        for (const auto& quad : gpu().draws()) {
            // Unmirrored and at the source's size: x grows with u, a tile's pixel stays one screen pixel.
            EXPECT_LT(quad.vertices[0].x, quad.vertices[1].x);
            EXPECT_LT(quad.vertices[0].y, quad.vertices[2].y);
            EXPECT_FLOAT_EQ((quad.vertices[1].x - quad.vertices[0].x) / (quad.vertices[1].u - quad.vertices[0].u),
                            256.0f);
            coveredLeft = std::min(coveredLeft, smallest(quad, &platform::GpuVertex::x));
            coveredRight = std::max(coveredRight, largest(quad, &platform::GpuVertex::x));
        }
        EXPECT_FLOAT_EQ(coveredLeft, 99.9f);
        EXPECT_FLOAT_EQ(coveredRight, 699.9f);
        EXPECT_FLOAT_EQ(largest(gpu().draws().back(), &platform::GpuVertex::u), 88.0f / 256.0f);
    }
    // A part within one tile draws one quad, from the tile where it lies.
    drawInFrame(texture, 300, 300, 310, 320, 0, 0, 10, 20);
    ASSERT_EQ(gpu().draws().size(), 1u);
    EXPECT_FLOAT_EQ(gpu().draws()[0].vertices[0].u, 44.0f / 256.0f);
    EXPECT_FLOAT_EQ(gpu().draws()[0].vertices[3].v, 64.0f / 256.0f);
}

TEST_F(HardwareRendererTest, FileAlphaFifteenIsOpaqueInFourBitsAnd240InEightBits) {
    const std::string file = (directory / "dot.twi").string();
    ASSERT_TRUE(formats::writeFile(file, formats::twi(2, 1, {0xF123, 0x8ABC})));
    start(card());
    Texture* texture = GraphicManager::getTexture(file.c_str(), true);
    ASSERT_NE(texture, nullptr);
    const auto& fourBits = gpu().textures().begin()->second;
    EXPECT_EQ(fourBits.texels[0], 0xF123u);  // alpha 15 of 15
    EXPECT_EQ(fourBits.texels[1], 0x8ABCu);
    GraphicManager::stop();

    machine->window().offerGpu(card(2048, {kArgb8888}));
    GraphicManager::start();
    GraphicManager::getTexture(file.c_str(), true);
    const auto& eightBits = gpu().textures().begin()->second;
    EXPECT_EQ(eightBits.texels[0], 0xF0102030u);  // alpha 240 of 255
}

TEST_F(HardwareRendererTest, EveryFrameIsClearedToTheClearColourAndPresentedByTheCard) {
    GraphicManager::clearBackground = false;  // concerns only the software renderer
    GraphicManager::clearColour = 0xFF336699;
    start(card());
    MainLoop::setActive(true);
    GraphicManager::drawFrame();
    GraphicManager::present();
    EXPECT_EQ(gpu().framesBegun(), 1);
    EXPECT_EQ(gpu().lastClearColour(), 0xFF336699u);
    EXPECT_EQ(gpu().presents(), 1);
    EXPECT_EQ(machine->window().framesPresented(), 0);  // no software frame reaches the window
}

TEST_F(HardwareRendererTest, PrimitivesArePointsLinesAndFansClippedOnlyWhenTheyReachOutside) {
    start(card());
    gpu().beginFrame();
    GraphicManager::drawPixel(5, 6, 0x80102030, 0xFF010203, 0, 0, 800, 600);
    GraphicManager::drawPixel(800, 6, 0xFF102030, 0, 0, 0, 900, 600);  // past the screen
    GraphicManager::drawPixel(5, 6, 0xFF102030, 0, 10, 0, 800, 600);   // outside its clip
    GraphicManager::drawLine(10, 10, 20, 15, 0xFFFFFFFF, 0, 0, 0, 800, 600);
    GraphicManager::drawLine(-10, 10, 20, 15, 0xFFFFFFFF, 0, 0, 0, 100, 50);
    GraphicManager::drawRectangle(30, 10, 20, 40, 0xFFFFFFFF, 0, 0, 0, 800, 600);  // right left of left
    const int xs[] = {100, 200, 150, 90};
    const int ys[] = {100, 110, 200, 180};
    GraphicManager::drawPolygon(xs, ys, 4, 0x40FFFFFF, 0, -50, -50, 900, 150);
    GraphicManager::drawPolygon(xs, ys, 2, 0xFFFFFFFF, 0, 0, 0, 800, 600);       // too few points
    GraphicManager::drawRectangle(0, 0, 10, 10, 0x00FFFFFF, 0, 0, 0, 800, 600);  // invisible

    const auto& draws = gpu().draws();
    ASSERT_EQ(draws.size(), 5u);
    EXPECT_EQ(draws[0].primitive, GpuPrimitive::Points);
    EXPECT_EQ(draws[0].texture, 0u);
    EXPECT_FLOAT_EQ(draws[0].vertices[0].x, 5.0f);  // primitives sit on pixel centres, no offset
    EXPECT_EQ(draws[0].vertices[0].diffuse, 0x80102030u);
    EXPECT_EQ(draws[0].vertices[0].specular, 0xFF010203u);
    EXPECT_EQ(draws[1].primitive, GpuPrimitive::Lines);
    EXPECT_FALSE(draws[1].clip.has_value());
    ASSERT_TRUE(draws[2].clip.has_value());
    EXPECT_EQ(draws[2].clip->right, 100);
    EXPECT_EQ(draws[2].clip->bottom, 50);
    EXPECT_EQ(draws[3].primitive, GpuPrimitive::TriangleFan);
    ASSERT_EQ(draws[3].vertices.size(), 4u);
    EXPECT_FLOAT_EQ(draws[3].vertices[1].x, 20.0f);
    ASSERT_TRUE(draws[4].clip.has_value());  // points below the clip's bottom
    EXPECT_EQ(draws[4].clip->left, 0);       // the clip kept within the screen
    EXPECT_EQ(draws[4].clip->bottom, 150);
}

TEST_F(HardwareRendererTest, ALostCardIsRestoredAndEveryTextureUploadedAgain) {
    start(card());
    MainLoop::setActive(true);
    const std::vector<std::uint32_t> pixels = picture(600, 40);
    GraphicManager::createTexture(600, 40, pixels.data(), true);
    GraphicManager::createTexture(16, 16, pixels.data(), false);  // not made until drawn
    ASSERT_EQ(gpu().textures().size(), 3u);
    gpu().lose();
    GraphicManager::drawFrame();  // the first attempt finds the loss
    EXPECT_EQ(gpu().restores(), 1);
    EXPECT_EQ(gpu().framesBegun(), 1);
    // Three tiles, the small picture now made too, and the pointer the frame drew.
    EXPECT_EQ(gpu().textures().size(), 5u);
    for (const auto& [handle, texture] : gpu().textures()) EXPECT_EQ(texture.uploads, 1);

    // A card that cannot come back ends the frame with an error.
    gpu().lose();
    gpu().failRestore(true);
    EXPECT_THROW(GraphicManager::drawFrame(), ErrorGeneric);
}

TEST_F(HardwareRendererTest, AFailedTextureGivesBackTheTilesMadeBeforeIt) {
    start(card(512));
    const std::vector<std::uint32_t> pixels = picture(600, 600);
    Texture* texture = GraphicManager::createTexture(600, 600, pixels.data(), false);
    gpu().failTexturesAfter(4);
    EXPECT_THROW(texture->create(), ErrorGeneric);
    EXPECT_TRUE(gpu().textures().empty());
    EXPECT_FALSE(texture->isCreated());
    gpu().failTexturesAfter(-1);
    texture->create();
    EXPECT_EQ(gpu().textures().size(), 9u);
}

TEST_F(HardwareRendererTest, AFullScreenSwitchRebuildsTheCardAndOldTexturesStillDraw) {
    start(card());
    const std::vector<std::uint32_t> pixels = picture(32, 32);
    Texture* texture = GraphicManager::createTexture(32, 32, pixels.data(), true);
    WindowManager::setFullScreen(true);
    ASSERT_TRUE(GraphicManager::isHardware3D());
    EXPECT_EQ(gpu().textures().size(), 0u);  // a new card: made again on the next draw
    drawInFrame(texture, 0, 0, 32, 32, 0, 0, 32, 32);
    EXPECT_EQ(gpu().textures().size(), 1u);
    EXPECT_EQ(gpu().draws().size(), 1u);

    // The card gone after the switch back: the same texture now draws in software.
    machine->window().withdrawGpu();
    WindowManager::setFullScreen(false);
    ASSERT_FALSE(GraphicManager::isHardware3D());
    EXPECT_FALSE(texture->isHardware());
    GraphicManager::getRenderer()->beginScene();
    texture->draw(0, 0, 32, 32, 0, 0, 32, 32, 0xFFFFFFFF, 0xFF000000);
    EXPECT_EQ(dynamic_cast<SoftwareRenderer&>(*GraphicManager::getRenderer()).getBackBuffer()->pixelAt(5, 5),
              pixels[5 * 32 + 5] & 0xFFFFFF);
}
