#include "CoreTestSupport.h"

#include "core/Engine.h"
#include "core/ErrorGeneric.h"
#include "core/MainLoop.h"
#include "core/WindowManager.h"
#include "../resources/FormatWriters.h"

using namespace tidewell;
using tidewell::platform::WindowEventKind;

class WindowManagerTest : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        MainLoop::reset();
    }
    void TearDown() override {
        WindowManager::destroyWindow();
        WindowManager::setFullScreen(false);
        HeadlessFixture::TearDown();
    }
};

TEST_F(WindowManagerTest, TitleAndIconApplyOnlyBeforeCreation) {
    // The icon is the baked picture in the current (data) folder.
    const auto dataFolder = settingsRoot / "data";
    std::filesystem::create_directories(dataFolder);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dataFolder);
    ASSERT_TRUE(formats::writeFile("icon.twi", formats::twi(2, 1, {0xF00F, 0x8FFF})));

    WindowManager::setIcon(101, 32, 32);
    WindowManager::createWindow();
    EXPECT_EQ(machine->window().title(), "Game Window");
    WindowManager::setTitle("Later");
    EXPECT_EQ(machine->window().title(), "Game Window");
    WindowManager::destroyWindow();

    WindowManager::setTitle("Brinefall");
    WindowManager::setIcon(101, 32, 32);
    WindowManager::createWindow();
    EXPECT_EQ(machine->window().title(), "Brinefall");
    EXPECT_EQ(machine->window().iconWidth(), 2);
    EXPECT_EQ(machine->window().iconHeight(), 1);
    EXPECT_EQ(machine->window().icon(), (std::vector<std::uint32_t>{0xFF0000F0, 0x88F0F0F0}));
    EXPECT_EQ(machine->window().clientSize().width, 800);
    EXPECT_EQ(machine->window().clientSize().height, 600);
    WindowManager::destroyWindow();

    // No such resource, or no file: the window simply has no icon.
    WindowManager::setIcon(7, 32, 32);
    WindowManager::createWindow();
    EXPECT_EQ(machine->window().icon().size(), 0u);
    WindowManager::destroyWindow();
    std::filesystem::remove("icon.twi");
    WindowManager::setIcon(101, 32, 32);
    WindowManager::createWindow();
    EXPECT_EQ(machine->window().icon().size(), 0u);
    std::filesystem::current_path(previous);
}

TEST_F(WindowManagerTest, CreationFailureNamesTheWindowManager) {
    machine->window().failCreation(true);
    try {
        WindowManager::createWindow();
        FAIL() << "no error";
    } catch (const ErrorGeneric& error) {
        EXPECT_EQ(error.module, "WindowManager");
        EXPECT_EQ(error.line, 213);
        EXPECT_EQ(error.code, 0);
    }
}

TEST_F(WindowManagerTest, FullScreenSwitchRecreatesWithoutQuittingOrPausing) {
    WindowManager::setFullScreen(false);
    WindowManager::createWindow();
    EXPECT_EQ(machine->window().creations(), 1);

    WindowManager::setFullScreen(false);  // unchanged: nothing happens
    EXPECT_EQ(machine->window().creations(), 1);

    WindowManager::setFullScreen(true);
    EXPECT_EQ(machine->window().creations(), 2);
    EXPECT_TRUE(machine->window().isFullScreen());
    EXPECT_TRUE(WindowManager::isFullScreen());
    EXPECT_FALSE(MainLoop::isQuitRequested());
    EXPECT_TRUE(MainLoop::isActive());
}

TEST_F(WindowManagerTest, EventsBecomeActivationAndQuit) {
    WindowManager::createWindow();
    WindowManager::handleEvent({WindowEventKind::FocusLost});
    EXPECT_FALSE(MainLoop::isActive());
    WindowManager::handleEvent({WindowEventKind::FocusGained});
    EXPECT_TRUE(MainLoop::isActive());
    WindowManager::handleEvent({WindowEventKind::Exposed});
    EXPECT_TRUE(MainLoop::isActive());
    EXPECT_FALSE(MainLoop::isQuitRequested());
    WindowManager::handleEvent({WindowEventKind::Close});
    EXPECT_TRUE(MainLoop::isQuitRequested());
}

TEST_F(WindowManagerTest, DestroyingAtShutDownDoesNotAskToQuit) {
    WindowManager::createWindow();
    WindowManager::destroyWindow();
    EXPECT_FALSE(machine->window().isCreated());
    EXPECT_FALSE(MainLoop::isQuitRequested());
    EXPECT_EQ(WindowManager::getWindow(), nullptr);
}
