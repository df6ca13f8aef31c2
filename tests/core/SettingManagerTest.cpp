#include "CoreTestSupport.h"

#include "core/SettingManager.h"

#include <fstream>
#include <sstream>

using namespace tidewell;

namespace {

constexpr const char* kKey = "Software\\Tidewell\\Brinefall";

std::string contentOf(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

class SettingManagerTest : public HeadlessFixture {
protected:
    void TearDown() override {
        SettingManager::stopSettings();
        HeadlessFixture::TearDown();
    }
};

TEST_F(SettingManagerTest, FirstReadCreatesTheValueWithTheDefault) {
    SettingManager::setSettingsKey(kKey);
    bool fullScreen = false;
    SettingManager::readSetting("fullScreen", &fullScreen);
    EXPECT_FALSE(fullScreen);
    EXPECT_EQ(contentOf(settingsFile()), "fullScreen=00\n");

    bool soundOn = true;
    SettingManager::readSetting("soundOn", &soundOn);
    EXPECT_EQ(contentOf(settingsFile()), "fullScreen=00\nsoundOn=01\n");

    // Once stored, the value wins over the caller's default.
    bool again = true;
    SettingManager::readSetting("fullScreen", &again);
    EXPECT_FALSE(again);
}

TEST_F(SettingManagerTest, WritesAreReadBackAndEveryCallGoesToTheStore) {
    SettingManager::setSettingsKey(kKey);
    SettingManager::writeSetting("musicOn", false);
    bool musicOn = true;
    SettingManager::readSetting("musicOn", &musicOn);
    EXPECT_FALSE(musicOn);

    // Changed behind the manager's back: no cache hides it.
    std::ofstream(settingsFile()) << "musicOn=01\n";
    SettingManager::readSetting("musicOn", &musicOn);
    EXPECT_TRUE(musicOn);
}

TEST_F(SettingManagerTest, WithoutAKeyPathReadsGiveDefaultsAndWritesDoNothing) {
    SettingManager::setSettingsKey(nullptr);
    bool value = true;
    SettingManager::readSetting("soundOn", &value);
    EXPECT_TRUE(value);
    SettingManager::writeSetting("soundOn", false);
    SettingManager::setSettingsKey("");
    SettingManager::writeSetting("soundOn", false);
    EXPECT_FALSE(std::filesystem::exists(settingsRoot / "Tidewell"));
}

TEST_F(SettingManagerTest, AChangedPathOpensTheNewKey) {
    SettingManager::setSettingsKey(kKey);
    SettingManager::writeSetting("useJoystick", true);
    SettingManager::setSettingsKey("Software\\Tidewell\\Other");
    bool useJoystick = false;
    SettingManager::readSetting("useJoystick", &useJoystick);
    EXPECT_FALSE(useJoystick);  // the new key had no value: the default was stored there
    EXPECT_EQ(contentOf(settingsRoot / "Tidewell" / "Other" / "settings"), "useJoystick=00\n");
    EXPECT_EQ(contentOf(settingsFile()), "useJoystick=01\n");
}

TEST_F(SettingManagerTest, ValuesThatAreNotOneByteKeepTheDefault) {
    std::filesystem::create_directories(settingsFile().parent_path());
    std::ofstream(settingsFile()) << "enableVibration=0101\nfullScreen=zz\n";
    SettingManager::setSettingsKey(kKey);
    bool vibration = false;
    SettingManager::readSetting("enableVibration", &vibration);
    EXPECT_FALSE(vibration);
    EXPECT_NE(contentOf(settingsFile()).find("enableVibration=0101"), std::string::npos);

    // A damaged entry reads as missing, so the default is stored in its place.
    bool fullScreen = true;
    SettingManager::readSetting("fullScreen", &fullScreen);
    EXPECT_TRUE(fullScreen);
    EXPECT_NE(contentOf(settingsFile()).find("fullScreen=01"), std::string::npos);
}
