#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../resources/FormatWriters.h"
#include "display/Button.h"
#include "core/Engine.h"
#include "display/Image.h"
#include "input/InputManager.h"
#include "core/MainLoop.h"
#include "sound/Sound.h"
#include "sound/SoundMusicManager.h"
#include "core/WindowManager.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

using tidewell::Button;
using tidewell::Image;
using tidewell::Sprite;
namespace InputManager = tidewell::InputManager;
namespace SoundMusicManager = tidewell::SoundMusicManager;

namespace {

// Writes down every report it gets from a button.
class Listener : public Sprite {
public:
    void notify(Sprite* sender, int code) override { reports.emplace_back(sender, code); }
    std::vector<std::pair<Sprite*, int>> reports;
};

// The engine on a headless machine, with a root that holds the buttons under test.
class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "brinefall-button-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        directory = pattern;
        tidewell::platform::install(std::make_unique<tidewell::platform::headless::HeadlessPlatform>(
            tidewell::platform::PlatformOptions{directory / "settings"}));
        tidewell::MainLoop::reset();
        tidewell::WindowManager::setFullScreen(false);
        tidewell::startEngine();
        root = new Listener;
        root->mouseEnabled = true;
        tidewell::setRootSprite(root);
    }

    void TearDown() override {
        tidewell::stopEngine();
        InputManager::resetPolledState();
        tidewell::platform::install(nullptr);
        std::filesystem::remove_all(directory);
    }

    // A two-frame face of 40 x 20 pixels per frame, centred on the button as the menus do it.
    Button* makeButton(float x, float y) {
        auto* button = new Button;
        const std::vector<std::uint32_t> pixels(40 * 40, 0xFF8080FFu);
        auto* face = new Image(pixels.data(), 40, 40, 1, 2);
        button->setFace(face);
        face->setAlignment(3, 3);
        button->updateHitRectangle();
        button->setFaceFrame(2, 1);
        button->setFaceFrame(3, 1);
        button->setFaceFrame(4, 1);
        button->listener = root;
        button->setPosition(x, y);
        root->addChild(button);
        return button;
    }

    tidewell::Sound* makeSound() {
        const std::string path = (directory / "click.tws").string();
        const formats::Bytes samples(22050, 1);
        EXPECT_TRUE(formats::writeFile(path, formats::tws(1, 22050, samples)));
        return SoundMusicManager::getSound(path.c_str(), true);
    }

    void mouseTo(int x, int y) { InputManager::setMousePosition(x, y); }
    void frame() { root->dispatchUpdate(); }

    std::filesystem::path directory;
    Listener* root = nullptr;
};

TEST_F(ButtonTest, PressAndReleaseOverItIsOneClickWithFaceFramesAndSound) {
    Button* button = makeButton(200, 100);
    tidewell::Sound* click = makeSound();
    button->setSound(3, click);
    EXPECT_EQ(SoundMusicManager::referenceCount(click), 2u);
    SoundMusicManager::releaseSound(click);

    EXPECT_FLOAT_EQ(button->getHitLeft(), -20);
    EXPECT_FLOAT_EQ(button->getHitRight(), 20);
    EXPECT_FLOAT_EQ(button->getHitTop(), -10);
    EXPECT_FLOAT_EQ(button->getHitBottom(), 10);

    mouseTo(400, 400);
    frame();
    EXPECT_EQ(button->getState(), 1);
    EXPECT_EQ(button->getFace()->getFrame(), 0u);

    // The right and bottom edges are outside, the left and top ones inside.
    mouseTo(220, 100);
    frame();
    EXPECT_EQ(button->getState(), 1);
    mouseTo(180, 90);
    frame();
    EXPECT_EQ(button->getState(), 2);
    EXPECT_EQ(button->getFace()->getFrame(), 1u);
    EXPECT_FALSE(click->isPlaying());

    InputManager::pressMouseButton(0);
    EXPECT_EQ(button->getState(), 3);
    EXPECT_TRUE(click->isPlaying());
    click->stop();
    InputManager::releaseMouseButton(0);
    EXPECT_EQ(button->getState(), 4);
    EXPECT_FALSE(click->isPlaying()) << "only entering the pressed state sounds";
    ASSERT_EQ(root->reports.size(), 2u);
    EXPECT_EQ(root->reports[0], std::make_pair(static_cast<Sprite*>(button), 3));
    EXPECT_EQ(root->reports[1], std::make_pair(static_cast<Sprite*>(button), 4));

    // The clicked state stays while the mouse does, and ends when it leaves.
    frame();
    EXPECT_EQ(button->getState(), 4);
    mouseTo(0, 0);
    frame();
    EXPECT_EQ(button->getState(), 1);
    EXPECT_EQ(button->getFace()->getFrame(), 0u);
}

TEST_F(ButtonTest, ReleasingElsewhereOrAReleaseWithoutPressIsNoClick) {
    Button* button = makeButton(200, 100);
    mouseTo(200, 100);
    InputManager::pressMouseButton(0);
    mouseTo(500, 500);
    InputManager::releaseMouseButton(0);
    EXPECT_EQ(button->getState(), 3) << "the next update ends the press";
    frame();
    EXPECT_EQ(button->getState(), 1);

    // Pressed outside and released over it.
    InputManager::pressMouseButton(0);
    mouseTo(200, 100);
    frame();
    InputManager::releaseMouseButton(0);
    EXPECT_EQ(button->getState(), 2);
    ASSERT_EQ(root->reports.size(), 1u);
    EXPECT_EQ(root->reports[0].second, 3);
}

TEST_F(ButtonTest, DisabledOrFadedOutButtonsAreInert) {
    Button* button = makeButton(200, 100);
    mouseTo(200, 100);
    InputManager::pressMouseButton(0);
    ASSERT_EQ(button->getState(), 3);

    // Disabling a pressed button shows its normal face again.
    button->setEnabled(false);
    EXPECT_EQ(button->getState(), 1);
    EXPECT_EQ(button->getFace()->getFrame(), 0u);
    InputManager::releaseMouseButton(0);
    frame();
    InputManager::pressMouseButton(0);
    InputManager::releaseMouseButton(0);
    EXPECT_EQ(button->getState(), 1);

    // Fading its parent out to nothing silences it as well.
    button->setEnabled(true);
    root->setAlpha(0);
    frame();
    InputManager::pressMouseButton(0);
    InputManager::releaseMouseButton(0);
    EXPECT_EQ(button->getState(), 1);
    EXPECT_EQ(root->reports.size(), 1u) << "only the press before disabling";

    // Barely visible is still visible.
    root->setAlpha(1);
    InputManager::pressMouseButton(0);
    InputManager::releaseMouseButton(0);
    EXPECT_EQ(button->getState(), 4);
}

TEST_F(ButtonTest, AFaceWithoutSizeGivesAnEmptyHitRectangleThatNeverReacts) {
    auto* button = new Button;
    button->listener = root;
    button->setFace(new Image(static_cast<const char*>(nullptr)));
    button->setPosition(100, 100);
    root->addChild(button);
    mouseTo(100, 100);
    frame();
    InputManager::pressMouseButton(0);
    InputManager::releaseMouseButton(0);
    EXPECT_EQ(button->getState(), 1);
    EXPECT_TRUE(root->reports.empty());
}

TEST_F(ButtonTest, LabelFollowsTheStateAndANewFaceReplacesTheOld) {
    Button* button = makeButton(200, 100);
    auto* label = new Sprite;
    button->addChild(label);
    button->label = label;
    button->setLabelRGB(1, 0x00FF0000u);
    button->setLabelRGB(2, 0x0000FF00u);
    EXPECT_EQ(label->colour, 0xFFFF0000u);
    mouseTo(200, 100);
    frame();
    EXPECT_EQ(label->colour, 0xFF00FF00u);

    Image* old = button->getFace();
    const std::vector<std::uint32_t> pixels(100 * 10, 0xFFFFFFFFu);
    auto* wider = new Image(pixels.data(), 100, 10);
    button->setFace(wider);
    EXPECT_TRUE(old->isRemoved());
    root->purgeRemoved();
    EXPECT_EQ(button->getFirstChild(), wider) << "the face lies beneath the label";
    EXPECT_EQ(wider->getNextSibling(), label);
    EXPECT_EQ(label->getNextSibling(), nullptr);
    EXPECT_FLOAT_EQ(button->getHitRight(), 100);
}

TEST_F(ButtonTest, ReplacedAndFinalSoundsAreGivenBack) {
    Button* button = makeButton(200, 100);
    tidewell::Sound* click = makeSound();
    button->setSound(2, click);
    button->setSound(3, click);
    EXPECT_EQ(SoundMusicManager::referenceCount(click), 3u);
    button->setSound(2, nullptr);
    EXPECT_EQ(SoundMusicManager::referenceCount(click), 2u);
    button->remove();
    root->purgeRemoved();
    EXPECT_EQ(SoundMusicManager::referenceCount(click), 1u);
    SoundMusicManager::releaseSound(click);
}

}  // namespace
