#include <vector>

#include "resources/CharacterResource.h"
#include "core/ErrorFile.h"
#include "core/ErrorGeneric.h"
#include "core/ErrorNoMemory.h"
#include "FailingAllocation.h"
#include "resources/FontResource.h"
#include "resources/ImageResource.h"
#include "ResourceTestSupport.h"
#include "resources/SoundResource.h"
#include "resources/TwiFile.h"

using tidewell::CharacterResource;
using tidewell::ErrorFile;
using tidewell::ErrorGeneric;
using tidewell::ErrorNoMemory;
using tidewell::FontResource;
using tidewell::ImageResource;
using tidewell::SoundResource;
namespace ResourceManager = tidewell::ResourceManager;

namespace {

class ResourceManagerTest : public ScratchFixture {};

TEST_F(ResourceManagerTest, ANameInOtherLettersSharesTheImageAndItsFileIsReadOnce) {
    write("stageText1.twi", formats::twi(1, 1, {0xF00F}));
    ImageResource* first = ResourceManager::getImage(path("stageText1.twi").c_str());
    ASSERT_NE(first, nullptr);
    std::filesystem::remove(path("stageText1.twi"));

    ImageResource* second = ResourceManager::getImage(path("STAGETEXT1.TWI").c_str());
    EXPECT_EQ(second, first);
    EXPECT_EQ(ResourceManager::referenceCount(first), 2u);
    EXPECT_EQ(first->pixels[0], 0xF00000F0u);

    ResourceManager::releaseImage(first);
    EXPECT_EQ(ResourceManager::referenceCount(first), 1u);
    ResourceManager::releaseImage(first);
    EXPECT_EQ(ResourceManager::referenceCount(first), 0u);
    // Gone from the list: the next request has to read the file, which is no longer there.
    EXPECT_TRUE(thrown<ErrorFile>([&] { ResourceManager::getImage(path("stageText1.twi").c_str()); }));
}

TEST_F(ResourceManagerTest, OnlyImageAndSoundNamesWithTheirOwnExtensionAreLookedUp) {
    write("logo.png", formats::twi(1, 1, {0}));
    write("logo", formats::twi(1, 1, {0}));
    for (const char* name : {"logo.png", "logo", "logo.twi.png", "logo.tws", "logo.twix"}) {
        EXPECT_EQ(ResourceManager::getImage(path(name).c_str()), nullptr) << name;
    }
    EXPECT_EQ(ResourceManager::getImage(nullptr), nullptr);
    for (const char* name : {"logo.png", "logo", "logo.twi", "logo.tws.bak"}) {
        EXPECT_EQ(ResourceManager::getSoundResource(path(name).c_str()), nullptr) << name;
    }
    EXPECT_EQ(ResourceManager::getSoundResource(nullptr), nullptr);

    write("LOGO.TWI", formats::twi(1, 1, {0}));
    EXPECT_NE(ResourceManager::getImage(path("logo.Twi").c_str()), nullptr);
    // Fonts are looked up by any name.
    write("font.bin", formats::twf(12, 3, {}));
    EXPECT_NE(ResourceManager::getFontResource(path("font.bin").c_str()), nullptr);
    EXPECT_EQ(thrown<ErrorGeneric>([] { ResourceManager::getFontResource(nullptr); })->line, 24);
}

TEST_F(ResourceManagerTest, AMissingFileThrowsAtEveryRequestAndIsTriedEachTime) {
    const std::string name = path("enemyDead.tws");
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto error = thrown<ErrorFile>([&] { ResourceManager::getSoundResource(name.c_str()); });
        ASSERT_TRUE(error) << attempt;
        EXPECT_FALSE(error->corrupt);
    }
    write("enemyDead.tws", formats::tws(1, 22050, {1, 2}));
    SoundResource* sound = ResourceManager::getSoundResource(name.c_str());
    EXPECT_EQ(sound->dataBytes, 2u);
    // The failed requests stay counted, as they stay listed.
    EXPECT_EQ(ResourceManager::referenceCount(sound), 3u);
}

TEST_F(ResourceManagerTest, ImagesBuiltInMemoryAreStoredOncePerDistinctPicture) {
    std::vector<std::uint32_t> colours = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0x00000000};
    ImageResource* first = ResourceManager::getColoursImage(2, 2, colours.data());
    EXPECT_EQ(ResourceManager::getColoursImage(2, 2, colours.data()), first);
    EXPECT_EQ(ResourceManager::referenceCount(first), 2u);
    EXPECT_NE(ResourceManager::getColoursImage(4, 1, colours.data()), first);

    colours[3] = 0x01000000;
    EXPECT_NE(ResourceManager::getColoursImage(2, 2, colours.data()), first);

    // A file image with the same pixels is a different kind of image.
    write("one.twi", formats::twi(1, 1, {0xF00F}));
    ImageResource* file = ResourceManager::getImage(path("one.twi").c_str());
    const std::uint32_t sameAsFile = 0xF00000F0;
    EXPECT_NE(ResourceManager::getColoursImage(1, 1, &sameAsFile), file);

    EXPECT_EQ(thrown<ErrorGeneric>([] { ResourceManager::getColoursImage(1, 1, nullptr); })->line, 53);
}

TEST_F(ResourceManagerTest, IdenticalGlyphsOfTwoFontsAreOneCharacter) {
    const formats::Glyph shared{'A', 2, 1, 0, 0, 1, {255, 0}};
    write("first.twf", formats::twf(10, 4, {shared}));
    write("second.twf", formats::twf(12, 5, {shared, formats::Glyph{'B', 1, 1, 0, 0, 0, {7}}}));
    FontResource* first = ResourceManager::getFontResource(path("first.twf").c_str());
    FontResource* second = ResourceManager::getFontResource(path("SECOND.twf").c_str());
    CharacterResource* a = first->findCharacter('A');
    EXPECT_EQ(second->findCharacter('A'), a);
    EXPECT_EQ(ResourceManager::referenceCount(a), 2u);

    ResourceManager::releaseFontResource(first);
    EXPECT_EQ(ResourceManager::referenceCount(first), 0u);
    EXPECT_EQ(ResourceManager::referenceCount(a), 1u);
    EXPECT_EQ(second->findCharacter('A'), a);
}

TEST_F(ResourceManagerTest, EmptyFontsAreNeverSharedAndGiveTheirCharactersBack) {
    FontResource* first = ResourceManager::createEmptyFont();
    FontResource* second = ResourceManager::createEmptyFont();
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->loaded);

    const std::uint32_t colours[] = {0xFFFFFFFF};
    CharacterResource* dot = ResourceManager::getCharacter('.', 0, 0, 1, 1, 1, colours);
    first->addCharacter(dot);
    first->addCharacter(nullptr);
    EXPECT_EQ(first->findCharacter('.'), dot);
    EXPECT_EQ(first->characterCount, 1u);

    ResourceManager::releaseFontResource(first);
    EXPECT_EQ(ResourceManager::referenceCount(dot), 0u);
}

TEST_F(ResourceManagerTest, RetainCountsOnlyListedResources) {
    write("ship.twi", formats::twi(1, 1, {0}));
    ImageResource* listed = ResourceManager::getImage(path("ship.twi").c_str());
    EXPECT_EQ(ResourceManager::retainImage(listed), listed);
    EXPECT_EQ(ResourceManager::referenceCount(listed), 2u);

    tidewell::TwiFile unlisted(path("ship.twi").c_str());
    EXPECT_EQ(ResourceManager::retainImage(&unlisted), &unlisted);
    ResourceManager::releaseImage(&unlisted);  // left alone: deleting it here would be a double free
    EXPECT_EQ(ResourceManager::referenceCount(&unlisted), 0u);
    EXPECT_EQ(ResourceManager::retainImage(nullptr), nullptr);
}

TEST_F(ResourceManagerTest, StopDeletesEverythingAndLaterReleasesAreHarmless) {
    write("hud.twf", formats::twf(10, 4, {formats::Glyph{'0', 1, 1, 0, 0, 0, {9}}}));
    write("hit.tws", formats::tws(1, 22050, {}));
    write("hud.twi", formats::twi(1, 1, {0}));
    ResourceManager::start();
    ResourceManager::getFontResource(path("hud.twf").c_str());
    ResourceManager::getSoundResource(path("hit.tws").c_str());
    ImageResource* image = ResourceManager::getImage(path("hud.twi").c_str());
    // Fonts go after the glyphs they hold; under the sanitizers this would show a second delete.
    ResourceManager::stop();
    EXPECT_EQ(ResourceManager::referenceCount(image), 0u);

    // Given back after stop, which deleted it: nothing left to do (the sanitizers would see a second delete).
    ResourceManager::releaseImage(image);
    ResourceManager::releaseImage(nullptr);
    // A look-up starts the manager again.
    EXPECT_NE(ResourceManager::getImage(path("hud.twi").c_str()), nullptr);
}

TEST_F(ResourceManagerTest, AResourceThatCannotBeAllocatedIsNotListed) {
    write("boss.twi", formats::twi(1, 1, {0}));
    ResourceManager::start();
    failNextNothrowAllocation();
    EXPECT_TRUE(thrown<ErrorNoMemory>([&] { ResourceManager::getImage(path("boss.twi").c_str()); }));
    ImageResource* image = ResourceManager::getImage(path("boss.twi").c_str());
    EXPECT_EQ(ResourceManager::referenceCount(image), 1u);
}

} // namespace
