#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <set>

using namespace tidewell::platform;

TEST(BackendTable, ListsSdlFirstAndHeadlessOnlyByName) {
    const auto table = backends();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_STREQ(table[0].name, "sdl");
    EXPECT_TRUE(table[0].fallback);
    EXPECT_STREQ(table[1].name, "headless");
    EXPECT_FALSE(table[1].fallback);
    std::set<std::string> names;
    for (const BackendEntry& entry : table) {
        EXPECT_NE(std::string(entry.description), "");
        names.insert(entry.name);
    }
    EXPECT_EQ(names.size(), table.size());
}

TEST(BackendTable, NamedBackendWinsOverEnvironmentAndUnknownNamesAreRefused) {
    ::setenv("BRINEFALL_BACKEND", "no-such-thing", 1);
    std::string whyNot;
    auto platform = createPlatform("headless", {}, whyNot);
    ASSERT_NE(platform, nullptr);
    EXPECT_STREQ(platform->name(), "headless");

    EXPECT_EQ(createPlatform("", {}, whyNot), nullptr);
    EXPECT_NE(whyNot.find("no-such-thing"), std::string::npos);
    ::setenv("BRINEFALL_BACKEND", "headless", 1);
    EXPECT_NE(createPlatform("", {}, whyNot), nullptr);
}

TEST(BackendTable, InstalledPlatformIsCurrentUntilUninstalled) {
    std::string whyNot;
    install(createPlatform("headless", {}, whyNot));
    ASSERT_TRUE(isInstalled());
    EXPECT_STREQ(current().name(), "headless");
    install(nullptr);
    EXPECT_FALSE(isInstalled());
    EXPECT_THROW(current(), std::logic_error);
}

TEST(HeadlessClock, WaitingJumpsToTheTimeoutUnlessAnEventIsQueued) {
    headless::HeadlessPlatform platform({});
    auto& system = platform.system();
    EXPECT_EQ(system.milliseconds(), 0u);
    system.waitForEvent(37);
    EXPECT_EQ(system.milliseconds(), 37u);
    system.waitForEvent(kWaitForever);  // bounded headless so runs cannot hang
    EXPECT_EQ(system.milliseconds(), 87u);

    platform.window().pushEvent(WindowEventKind::FocusLost);
    system.waitForEvent(50);
    EXPECT_EQ(system.milliseconds(), 87u);

    system.advanceClock(0xFFFFFFFFu - 86u);  // the clock wraps like a real 32-bit one
    EXPECT_EQ(system.milliseconds(), 0u);
}

TEST(HeadlessChecks, CanBeMadeToFailOneByOne) {
    headless::HeadlessPlatform platform({});
    auto& system = platform.system();
    EXPECT_TRUE(system.checkVideo() && system.checkAudio() && system.checkInput());
    system.failCheck(false, true, false);
    EXPECT_TRUE(system.checkVideo());
    EXPECT_FALSE(system.checkAudio());
    EXPECT_NE(system.lastError(), "");
    EXPECT_TRUE(system.checkInput());
}

TEST(HeadlessDialogs, RecordEveryDialogAndAnswerAsTold) {
    headless::HeadlessPlatform platform({});
    auto& dialogs = platform.dialogs();
    testing::internal::CaptureStderr();
    EXPECT_EQ(dialogs.showError("Memory Error", "Out of memory", DialogButtons::Ok), DialogAnswer::Ok);
    EXPECT_EQ(dialogs.showError("File Error", "x", DialogButtons::YesNo), DialogAnswer::No);
    dialogs.answerWith(DialogAnswer::Yes);
    EXPECT_EQ(dialogs.showError("File Error", "y", DialogButtons::YesNo), DialogAnswer::Yes);
    EXPECT_EQ(dialogs.showError("Memory Error", "Out of memory", DialogButtons::Ok), DialogAnswer::Ok);
    const std::string stderrText = testing::internal::GetCapturedStderr();

    ASSERT_EQ(dialogs.shown().size(), 4u);
    EXPECT_EQ(dialogs.shown()[0].title, "Memory Error");
    EXPECT_EQ(dialogs.shown()[0].text, "Out of memory");
    EXPECT_EQ(dialogs.shown()[2].buttons, DialogButtons::YesNo);
    EXPECT_NE(stderrText.find("Memory Error: Out of memory"), std::string::npos);
    EXPECT_NE(stderrText.find("File Error: y"), std::string::npos);
}

TEST(Shell, OnlyWebAddressesAreOpened) {
    headless::HeadlessPlatform platform({});
    auto& shell = platform.shell();
    EXPECT_TRUE(shell.openAddress("https://tidewell.example/bugs/index.php?message=a%20b"));
    EXPECT_TRUE(shell.openAddress("http://tidewell.example/"));
    EXPECT_FALSE(shell.openAddress("file:///etc/passwd"));
    EXPECT_FALSE(shell.openAddress("/usr/bin/xterm"));
    EXPECT_FALSE(shell.openAddress("https://tidewell.example/a b"));
    EXPECT_FALSE(shell.openAddress("https://tidewell.example/\n--option"));
    ASSERT_EQ(shell.opened().size(), 2u);
    EXPECT_EQ(shell.opened()[1], "http://tidewell.example/");
}

TEST(HeadlessSettings, PrivateFolderIsRemovedAndChosenFolderIsKept) {
    const std::string key = "Software\\Tidewell\\Brinefall";
    std::filesystem::path privateFile;
    {
        headless::HeadlessPlatform platform({});
        ASSERT_TRUE(platform.settings().writeValue(key, "fullScreen", std::vector<std::uint8_t>{1}));
        privateFile = *platform.settings().fileForKey(key);
        EXPECT_TRUE(std::filesystem::exists(privateFile));
    }
    EXPECT_FALSE(std::filesystem::exists(privateFile));

    const auto chosen = std::filesystem::temp_directory_path() / "brinefall-backend-test-settings";
    std::filesystem::remove_all(chosen);
    {
        headless::HeadlessPlatform platform(PlatformOptions{chosen});
        ASSERT_TRUE(platform.settings().writeValue(key, "fullScreen", std::vector<std::uint8_t>{1}));
    }
    EXPECT_TRUE(std::filesystem::exists(chosen / "Tidewell" / "Brinefall" / "settings"));
    std::filesystem::remove_all(chosen);
}
