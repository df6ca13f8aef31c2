// Holders that outlive their manager: a sprite kept as a member, a cached prototype or one
// on a test's stack gives back its texture, font, image, sound, music or vibration after
// the manager's stop() has deleted them all. The give-back must then do nothing; before,
// each was deleted a second time (a crash at exit, caught by the sanitizer build).

#include <memory>
#include <vector>

#include "../graphics/GraphicsTestSupport.h"
#include "display/Image.h"
#include "resources/ImageResource.h"
#include "input/InputManager.h"
#include "sound/Music.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"
#include "display/Text.h"
#include "graphics/Texture.h"
#include "input/Vibration.h"

using namespace tidewell;

class ReleaseAfterStopTest : public GraphicsFixture {
protected:
    void TearDown() override {
        SoundMusicManager::stop();
        GraphicsFixture::TearDown();
    }

    std::string writePicture() { return writeTwi("ship.twi", 2, 2, {0xFFFF, 0xF00F, 0xF0F0, 0xFF00}); }

    std::string writeFont() {
        const formats::Glyph glyph{'A', 2, 2, 0, 0, 3, {255, 255, 255, 255}};
        return write("small.twf", formats::twf(4, 3, {glyph}));
    }

    std::string writeSound(const std::string& name) {
        return write(name, formats::tws(1, 22050, formats::Bytes(400, 0x10)));
    }
};

TEST_F(ReleaseAfterStopTest, SpritesKeptOutsideTheTreeGiveBackTheirPicturesAfterTheManagersStopped) {
    startGraphics(32);
    const std::string picture = writePicture();
    const std::string font = writeFont();
    auto image = std::make_unique<Image>(picture.c_str());
    auto text = std::make_unique<Text>(font.c_str());
    text->setText("A");
    Texture* texture = GraphicManager::getTexture(picture.c_str(), true);
    Texture* made = GraphicManager::createTexture(1, 1, std::vector<std::uint32_t>{0xFF102030}.data(), true);
    Font* shared = GraphicManager::getFont(font.c_str(), true);
    ImageResource* resource = ResourceManager::getImage(picture.c_str());
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(GraphicManager::referenceCount(texture), 2u);

    GraphicManager::stop();
    ResourceManager::stop();
    GraphicManager::releaseTexture(texture);
    GraphicManager::releaseTexture(made);
    GraphicManager::releaseFont(shared);
    ResourceManager::releaseImage(resource);
    image.reset();  // each gives back what it held
    text.reset();

    // The managers start again as new.
    GraphicManager::start();
    EXPECT_EQ(GraphicManager::textureCount(), 0u);
    EXPECT_EQ(GraphicManager::fontCount(), 0u);
    Texture* again = GraphicManager::getTexture(picture.c_str(), true);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(GraphicManager::referenceCount(again), 1u);
}

TEST_F(ReleaseAfterStopTest, SoundsAndMusicGivenBackAfterTheSoundManagerStoppedAreLeftAlone) {
    SoundMusicManager::start();
    const std::string hit = writeSound("hit.tws");
    const std::string tune = writeSound("tune.tws");
    Sound* sound = SoundMusicManager::getSound(hit.c_str(), true);
    Music* music = SoundMusicManager::getMusic(tune.c_str(), 0.0f, true);
    SoundResource* samples = ResourceManager::getSoundResource(hit.c_str());
    ASSERT_NE(sound, nullptr);
    ASSERT_NE(music, nullptr);

    SoundMusicManager::stop();
    ResourceManager::stop();
    SoundMusicManager::releaseSound(sound);
    SoundMusicManager::releaseMusic(music);
    ResourceManager::releaseSoundResource(samples);

    SoundMusicManager::start();
    Sound* again = SoundMusicManager::getSound(hit.c_str(), true);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(SoundMusicManager::referenceCount(again), 1u);
}

TEST_F(ReleaseAfterStopTest, AVibrationGivenBackAfterTheInputManagerStoppedIsLeftAlone) {
    machine->input().attachJoystick("pad", true);
    InputManager::start();
    Vibration* jolt = InputManager::createVibration(0.5f, 1.0f, 0.0f, 0, true);
    ASSERT_NE(jolt, nullptr);
    InputManager::stop();
    InputManager::releaseVibration(jolt);
    EXPECT_TRUE(machine->input().joystick(0).effects[0]->released);
}
