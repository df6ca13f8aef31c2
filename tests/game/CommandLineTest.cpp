#include "CommandLine.h"

#include <gtest/gtest.h>

using brinefall::parseCommandLine;

TEST(CommandLine, EmptyLineMeansDefaults) {
    const auto result = parseCommandLine({});
    EXPECT_EQ(result.error, "");
    EXPECT_FALSE(result.options.headless);
    EXPECT_FALSE(result.options.fullScreen.has_value());
    EXPECT_FALSE(result.options.frames.has_value());
}

TEST(CommandLine, ValuesComeSeparateOrAfterEquals) {
    const auto result =
        parseCommandLine({"--headless", "--frames", "100", "--seed=42", "--data-dir", "/d", "--fullscreen"});
    ASSERT_EQ(result.error, "");
    EXPECT_TRUE(result.options.headless);
    EXPECT_EQ(result.options.frames, 100u);
    EXPECT_EQ(result.options.seed, 42u);
    EXPECT_EQ(result.options.dataDir, "/d");
    EXPECT_EQ(result.options.fullScreen, true);
    EXPECT_EQ(result.options.given,
              (std::vector<std::string>{"--headless", "--frames", "--seed", "--data-dir", "--fullscreen"}));
}

TEST(CommandLine, LaterModeOptionWins) {
    EXPECT_EQ(parseCommandLine({"--fullscreen", "--windowed"}).options.fullScreen, false);
    EXPECT_EQ(parseCommandLine({"--hardware", "--software"}).options.hardware, false);
    EXPECT_EQ(parseCommandLine({"--no-smooth", "--smooth"}).options.smoothMotion, true);
    EXPECT_EQ(parseCommandLine({"--smooth", "--no-smooth"}).options.smoothMotion, false);
    EXPECT_FALSE(parseCommandLine({}).options.smoothMotion.has_value());
}

TEST(CommandLine, DisplayRateIsAWholeNumberOfPicturesASecond) {
    EXPECT_EQ(parseCommandLine({"--display-rate", "60"}).options.displayRate, 60u);
    EXPECT_EQ(parseCommandLine({"--display-rate=144"}).options.displayRate, 144u);
    for (const char* bad : {"0", "1001", "59.94", "sixty", ""}) {
        const auto result = parseCommandLine({"--display-rate", bad});
        EXPECT_EQ(result.exitStatus, 2) << bad;
        EXPECT_EQ(result.error, std::string("--display-rate takes pictures a second, a whole number from 1 to 1000, "
                                            "not \"") + bad + "\"");
    }
}

TEST(CommandLine, MistakesGiveOneLineAndStatusTwo) {
    for (const auto& line : std::vector<std::vector<std::string>>{
             {"--bogus"},
             {"-x"},
             {"--frames"},
             {"--frames", "ten"},
             {"--frames", "-1"},
             {"--seed", "4294967296"},
             {"--dump-every", "0"},
             {"--headless=yes"},
             {"--data-dir="},
         }) {
        const auto result = parseCommandLine(line);
        EXPECT_EQ(result.exitStatus, 2) << line[0];
        EXPECT_NE(result.error, "") << line[0];
        EXPECT_EQ(result.error.find('\n'), std::string::npos) << line[0];
    }
}

TEST(CommandLine, HelpNamesEveryOption) {
    const std::string usage = brinefall::usageText();
    for (const char* option : {"--help", "--version", "--windowed", "--fullscreen", "--data-dir", "--headless",
                               "--frames", "--seed", "--input", "--dump-frames", "--dump-every", "--dump-audio",
                               "--software", "--hardware", "--demo-sprites", "--smooth", "--no-smooth",
                               "--display-rate"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
        EXPECT_EQ(parseCommandLine({"-h"}).options.help, true);
    }
}

TEST(CommandLine, DemoSpritesIsTheRendererSceneAndTakesNoName) {
    auto result = parseCommandLine({"--demo-sprites", "--headless"});
    ASSERT_EQ(result.error, "");
    EXPECT_TRUE(result.options.demoSprites);
    EXPECT_TRUE(result.options.headless);

    // The pictures of the game are shown by the game itself, so there are no named showcases.
    for (const auto& line : std::vector<std::vector<std::string>>{{"--demo-sprites", "stage1"}, {"--demo-sprites=title"}}) {
        result = parseCommandLine(line);
        EXPECT_EQ(result.exitStatus, 2) << line.back();
        EXPECT_FALSE(result.error.empty()) << line.back();
    }
}

TEST(CommandLine, ScaleIsAWholeNumberFromOneToEight) {
    EXPECT_EQ(parseCommandLine({"--scale", "2"}).options.windowScale, 2);
    EXPECT_EQ(parseCommandLine({"--scale=8"}).options.windowScale, 8);
    EXPECT_FALSE(parseCommandLine({}).options.windowScale.has_value());
    for (const char* bad : {"0", "9", "100", "x", "-1", "1.5", ""}) {
        const auto result = parseCommandLine({"--scale", bad});
        EXPECT_EQ(result.exitStatus, 2) << bad;
        EXPECT_EQ(result.error, std::string("--scale takes a whole number from 1 to 8, not \"") + bad + "\"");
    }
    EXPECT_NE(brinefall::usageText().find("--scale N"), std::string::npos);
}

TEST(CommandLine, RecordTakesTheJournalsFileAndHelpSaysSo) {
    EXPECT_EQ(parseCommandLine({"--record", "run.journal"}).options.recordFile, "run.journal");
    EXPECT_EQ(parseCommandLine({"--record"}).exitStatus, 2);
    EXPECT_EQ(parseCommandLine({"--record="}).exitStatus, 2);
    EXPECT_NE(brinefall::usageText().find("--record FILE"), std::string::npos);
}

TEST(CommandLine, PracticeStartsTakeAStageAndTheAutopilotItsCodesOnlyAfterAnEqualsSign) {
    EXPECT_EQ(parseCommandLine({"--start", "stage2"}).options.startStage, 2);
    EXPECT_EQ(parseCommandLine({"--start=stage1"}).options.startStage, 1);
    const auto badStage = parseCommandLine({"--start", "3"});
    EXPECT_EQ(badStage.exitStatus, 2);
    EXPECT_EQ(badStage.error, "--start takes stage1 or stage2, not \"3\"");

    // "--autopilot" alone never eats the next argument as its codes.
    const auto plain = parseCommandLine({"--autopilot", "--headless"});
    EXPECT_TRUE(plain.error.empty()) << plain.error;
    EXPECT_TRUE(plain.options.autopilot);
    EXPECT_TRUE(plain.options.autopilotCodes.empty());
    EXPECT_TRUE(plain.options.headless);
    const auto both = parseCommandLine({"--autopilot=invincible,full-power"});
    EXPECT_EQ(both.options.autopilotCodes, (std::vector<std::string>{"invincible", "full-power"}));
    for (const char* bad : {"--autopilot=god", "--autopilot=invincible,", "--autopilot=,invincible"}) {
        EXPECT_EQ(parseCommandLine({bad}).exitStatus, 2) << bad;
    }
    const auto flags = parseCommandLine({"--invincible", "--full-power", "--milestones"}).options;
    EXPECT_TRUE(flags.invincible && flags.fullPower && flags.milestones);
}
