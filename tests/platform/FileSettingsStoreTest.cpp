#include "platform/FileSettingsStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using tidewell::platform::FileSettingsStore;

namespace {

const std::string kKey = "Software\\Tidewell\\Brinefall";

std::vector<std::uint8_t> bytes(std::initializer_list<std::uint8_t> list) {
    return std::vector<std::uint8_t>(list);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "settings-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::filesystem::path file() const { return root / "Tidewell" / "Brinefall" / "settings"; }

    void writeFile(const std::string& content) {
        std::filesystem::create_directories(file().parent_path());
        std::ofstream(file(), std::ios::binary) << content;
    }

    std::string readFile() const {
        std::ifstream in(file(), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

    std::filesystem::path root;
};

// Simulates a crash after the temporary file is complete but before the rename.
class CrashBeforeRename : public FileSettingsStore {
public:
    using FileSettingsStore::FileSettingsStore;

protected:
    bool commit(const std::filesystem::path&, const std::filesystem::path&) override { return true; }
};

} // namespace

TEST_F(SettingsStoreTest, MissingFileOrValueReadsAsNothing) {
    FileSettingsStore store(root);
    EXPECT_FALSE(store.readValue(kKey, "fullScreen").has_value());
    ASSERT_TRUE(store.writeValue(kKey, "soundOn", bytes({1})));
    EXPECT_FALSE(store.readValue(kKey, "fullScreen").has_value());
}

TEST_F(SettingsStoreTest, KeyPathBecomesFolderWithoutSoftwarePrefix) {
    FileSettingsStore store(root);
    ASSERT_TRUE(store.writeValue(kKey, "fullScreen", bytes({0})));
    EXPECT_EQ(readFile(), "fullScreen=00\n");
}

TEST_F(SettingsStoreTest, OneAndMultiByteValuesRoundTripAndReplace) {
    FileSettingsStore store(root);
    ASSERT_TRUE(store.writeValue(kKey, "musicOn", bytes({1})));
    ASSERT_TRUE(store.writeValue(kKey, "blob", bytes({0x00, 0xAB, 0xFF})));
    EXPECT_EQ(store.readValue(kKey, "musicOn"), bytes({1}));
    EXPECT_EQ(store.readValue(kKey, "blob"), bytes({0x00, 0xAB, 0xFF}));

    ASSERT_TRUE(store.writeValue(kKey, "musicOn", bytes({0})));
    EXPECT_EQ(store.readValue(kKey, "musicOn"), bytes({0}));
    EXPECT_EQ(store.readValue(kKey, "blob"), bytes({0x00, 0xAB, 0xFF}));
    EXPECT_EQ(readFile(), "musicOn=00\nblob=00abff\n");

    ASSERT_TRUE(store.writeValue(kKey, "empty", {}));
    EXPECT_EQ(store.readValue(kKey, "empty"), std::vector<std::uint8_t>{});
}

TEST_F(SettingsStoreTest, DamagedLinesSpoilOnlyTheirOwnValueAndSurviveWrites) {
    writeFile("fullScreen=0\nsoundOn=zz\ngarbage without equals\nmusicOn=01\r\n");
    FileSettingsStore store(root);
    EXPECT_FALSE(store.readValue(kKey, "fullScreen").has_value());  // odd digit count
    EXPECT_FALSE(store.readValue(kKey, "soundOn").has_value());     // not hexadecimal
    EXPECT_EQ(store.readValue(kKey, "musicOn"), bytes({1}));        // Windows line end tolerated

    ASSERT_TRUE(store.writeValue(kKey, "useJoystick", bytes({1})));
    EXPECT_NE(readFile().find("garbage without equals\n"), std::string::npos);
    EXPECT_EQ(store.readValue(kKey, "musicOn"), bytes({1}));
    ASSERT_TRUE(store.writeValue(kKey, "soundOn", bytes({1})));
    EXPECT_EQ(store.readValue(kKey, "soundOn"), bytes({1}));
}

TEST_F(SettingsStoreTest, CrashBetweenTemporaryFileAndRenameKeepsOldContent) {
    FileSettingsStore store(root);
    ASSERT_TRUE(store.writeValue(kKey, "fullScreen", bytes({0})));

    CrashBeforeRename crashing(root);
    crashing.writeValue(kKey, "fullScreen", bytes({1}));
    EXPECT_EQ(store.readValue(kKey, "fullScreen"), bytes({0}));
    EXPECT_EQ(readFile(), "fullScreen=00\n");

    // The leftover temporary file does not stop the next write.
    ASSERT_TRUE(store.writeValue(kKey, "fullScreen", bytes({1})));
    EXPECT_EQ(store.readValue(kKey, "fullScreen"), bytes({1}));
}

TEST_F(SettingsStoreTest, UnsafeKeyPathsAndNamesAreRefused) {
    FileSettingsStore store(root);
    for (const std::string key : {"", "Software\\", "Software\\..\\x", "Software\\a\\\\b", "Software\\a/b",
                                  "Software\\Tidewell\\"}) {
        EXPECT_FALSE(store.openKey(key)) << key;
        EXPECT_FALSE(store.writeValue(key, "fullScreen", bytes({1}))) << key;
    }
    EXPECT_FALSE(store.writeValue(kKey, "a=b", bytes({1})));
    EXPECT_FALSE(store.writeValue(kKey, "line\nbreak", bytes({1})));
    EXPECT_FALSE(store.writeValue(kKey, "", bytes({1})));
    EXPECT_FALSE(std::filesystem::exists(root / ".."/ "x" / "settings"));
}

TEST_F(SettingsStoreTest, StoreWithoutRootKeepsNothing) {
    FileSettingsStore store{std::filesystem::path()};
    EXPECT_FALSE(store.openKey(kKey));
    EXPECT_FALSE(store.writeValue(kKey, "fullScreen", bytes({1})));
    EXPECT_FALSE(store.readValue(kKey, "fullScreen").has_value());
}

TEST(SettingsStoreRoot, FollowsXdgConfigHomeThenHome) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    const char* savedHome = std::getenv("HOME");
    const std::string home = savedHome ? savedHome : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-here", 1);
    EXPECT_EQ(FileSettingsStore::userConfigRoot(), "/tmp/xdg-here");
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    ::setenv("HOME", "/home/player", 1);
    EXPECT_EQ(FileSettingsStore::userConfigRoot(), "/home/player/.config");
    if (savedXdg) {
        ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
    if (savedHome) {
        ::setenv("HOME", home.c_str(), 1);
    }
}
