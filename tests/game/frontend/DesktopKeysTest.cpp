#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "DesktopKeys.h"
#include "FrontEndTestSupport.h"
#include "SceneSwitcher.h"
#include "core/SettingManager.h"
#include "core/WindowManager.h"
#include "frontend/CompanyLogoScene.h"
#include "frontend/OpeningScene.h"
#include "frontend/OptionsPanel.h"
#include "frontend/TitleScene.h"

namespace brinefall::testing {
namespace {

namespace fs = std::filesystem;
namespace SettingManager = tidewell::SettingManager;
namespace WindowManager = tidewell::WindowManager;

bool storedFullScreen() {
    bool value = false;
    SettingManager::readSetting("fullScreen", &value);
    return value;
}

bool isTicked(const tidewell::Button* box) { return box->getFaceFrame(tidewell::Button::normalState) == 2; }

// A PNG file as 0xFFRRGGBB words, row by row; nothing when it does not decode.
std::optional<std::vector<std::uint32_t>> decodePng(const fs::path& file, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return std::nullopt;
    image.format = PNG_FORMAT_BGRA;  // little-endian words 0xAARRGGBB
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return std::nullopt;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// An environment variable set for one test and put back afterwards.
class ScopedVariable {
public:
    explicit ScopedVariable(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) old_ = value;
    }
    ~ScopedVariable() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    void set(const std::string& value) { ::setenv(name_, value.c_str(), 1); }
    void unset() { ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class DesktopKeysTest : public FrontEndTest {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "desktop-keys-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        pictures.set(folder.string());
    }
    void TearDown() override {
        FrontEndTest::TearDown();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    void startSwitcher() {
        startEngine();
        switcher = new SceneSwitcher;
        setRoot(switcher);
        step(2);
    }

    template <typename Scene>
    Scene* scene() const {
        return dynamic_cast<Scene*>(switcher->getScene());
    }

    void altEnter(int alt = kKeyLeftAlt) {
        keyDown(alt);
        keyPress(kKeyEnter);
        step(1);
        keyUp(alt);
        step(1);
    }

    void pressAndStep(int key) {
        keyPress(key);
        step(1);
    }

    ScopedVariable pictures{"XDG_PICTURES_DIR"};
    ScopedVariable home{"HOME"};
    fs::path folder;
    SceneSwitcher* switcher = nullptr;
};

TEST_F(DesktopKeysTest, AltEnterAndF11SwitchTheScreenModeInEveryScene_StoreItAndNeverActAsEnter) {
    startSwitcher();
    ASSERT_FALSE(WindowManager::isFullScreen());

    // On the logo Enter alone would skip to the opening: with Alt it only switches.
    altEnter();
    EXPECT_TRUE(WindowManager::isFullScreen());
    EXPECT_TRUE(storedFullScreen());
    EXPECT_NE(scene<CompanyLogoScene>(), nullptr) << "Alt+Enter skipped the logo";
    pressAndStep(kKeyF11);
    EXPECT_FALSE(WindowManager::isFullScreen());
    EXPECT_FALSE(storedFullScreen());
    EXPECT_NE(scene<CompanyLogoScene>(), nullptr) << "F11 skipped the logo";

    pressAndStep(kKeyEnter);
    ASSERT_NE(scene<OpeningScene>(), nullptr) << "Enter alone still skips";
    pressAndStep(kKeyF11);
    EXPECT_TRUE(WindowManager::isFullScreen());
    EXPECT_NE(scene<OpeningScene>(), nullptr);
    pressAndStep(kKeyEnter);
    TitleScene* title = scene<TitleScene>();
    ASSERT_NE(title, nullptr);

    // With the pointer on the options button, Enter would open the panel; the right Alt
    // with Enter switches back to a window and leaves the panel shut.
    OptionsPanel* panel = title->getOptionsPanel();
    tidewell::InputManager::setMousePosition(screenX(title->getOptionsButton()), screenY(title->getOptionsButton()));
    step(1);
    altEnter(kKeyRightAlt);
    EXPECT_FALSE(WindowManager::isFullScreen());
    EXPECT_FALSE(storedFullScreen());
    EXPECT_EQ(alphaOf(panel), 0) << "Alt+Enter also acted as Enter";

    // The panel was built with the title, full screen then; opened now it shows the window.
    pressAndStep(kKeyEnter);
    ASSERT_EQ(alphaOf(panel), 255) << "Enter alone still clicks";
    EXPECT_FALSE(panel->isFullScreen());
    EXPECT_TRUE(isTicked(panel->getWindowBox()));
    EXPECT_FALSE(isTicked(panel->getFullScreenBox()));

    // Closed, switched by key, opened again: the box follows the key.
    const tidewell::Button* close = panel->getCloseButton();
    tidewell::InputManager::setMousePosition(screenX(close), screenY(close));
    step(1);
    pressAndStep(kKeyEnter);
    ASSERT_EQ(alphaOf(panel), 0);
    pressAndStep(kKeyF11);
    ASSERT_TRUE(WindowManager::isFullScreen());
    tidewell::InputManager::setMousePosition(screenX(title->getOptionsButton()), screenY(title->getOptionsButton()));
    step(1);
    pressAndStep(kKeyEnter);
    ASSERT_EQ(alphaOf(panel), 255);
    EXPECT_TRUE(isTicked(panel->getFullScreenBox()));
    EXPECT_FALSE(isTicked(panel->getWindowBox()));
    EXPECT_TRUE(storedFullScreen());
}

TEST_F(DesktopKeysTest, F12WritesTheFrameOnScreenAsAPngNamedByDateAndTime) {
    startSwitcher();
    step(20);
    const std::vector<std::uint32_t> shown = lastFrame();
    ASSERT_EQ(shown.size(), 800u * 600u);

    ::testing::internal::CaptureStderr();
    pressAndStep(kKeyF12);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(scene<CompanyLogoScene>(), nullptr) << "F12 skipped the logo";

    const std::vector<fs::path> files = filesIn(folder / "Brinefall");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(
        std::regex_match(files[0].filename().string(), std::regex(R"(brinefall-\d{4}-\d\d-\d\d-\d\d-\d\d-\d\d\.png)")))
        << files[0];
    EXPECT_NE(said.find(files[0].string()), std::string::npos) << said;

    int width = 0;
    int height = 0;
    const auto written = decodePng(files[0], width, height);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_TRUE(*written == shown) << "the PNG is not the frame that was on screen";
}

TEST_F(DesktopKeysTest, ScreenshotsOfOneSecondAreNumberedAndTheFolderFallsBackToHomePictures) {
    const fs::path name = DesktopKeys::freeScreenshotName(folder, "2026-12-08-16-20-05");
    EXPECT_EQ(name, folder / "brinefall-2026-12-08-16-20-05.png");
    std::ofstream(name).put('x');
    EXPECT_EQ(DesktopKeys::freeScreenshotName(folder, "2026-12-08-16-20-05"),
              folder / "brinefall-2026-12-08-16-20-05-2.png");
    std::ofstream(folder / "brinefall-2026-12-08-16-20-05-2.png").put('x');
    EXPECT_EQ(DesktopKeys::freeScreenshotName(folder, "2026-12-08-16-20-05"),
              folder / "brinefall-2026-12-08-16-20-05-3.png");

    EXPECT_EQ(DesktopKeys::screenshotFolder(), folder / "Brinefall");
    pictures.set("");
    home.set("/home/someone");
    EXPECT_EQ(DesktopKeys::screenshotFolder(), fs::path("/home/someone/Pictures/Brinefall"));
    pictures.unset();
    EXPECT_EQ(DesktopKeys::screenshotFolder(), fs::path("/home/someone/Pictures/Brinefall"));
    home.unset();
    EXPECT_EQ(DesktopKeys::screenshotFolder(), fs::path());
}

TEST_F(DesktopKeysTest, AFolderThatCannotBeMadeIsSaidInOneLineAndTheGameGoesOn) {
    // A file where the folder should be: refused even to root.
    std::ofstream(folder / "taken").put('x');
    pictures.set((folder / "taken").string());
    startSwitcher();

    ::testing::internal::CaptureStderr();
    pressAndStep(kKeyF12);
    pressAndStep(kKeyF12);
    const std::string said = ::testing::internal::GetCapturedStderr();
    const std::string line = "brinefall: no screenshot taken: cannot make " + (folder / "taken" / "Brinefall").string();
    EXPECT_EQ(said.rfind(line, 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << "one line a press: " << said;

    pressAndStep(kKeyEnter);
    EXPECT_NE(scene<OpeningScene>(), nullptr) << "the game goes on";
    step(10);
    EXPECT_EQ(framesRun(), 2u + 3u + 10u);
}

}  // namespace
}  // namespace brinefall::testing
