// The wavemelt program as the installer runs it: arguments, current
// directory, standard output, standard error and exit status.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <optional>

#include "VorbisEncoder.h"
#include "WavemeltTestSupport.h"

namespace wavemelt::testing {
namespace {

struct Outcome {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

[[noreturn]] void execWavemeltInChild(const std::filesystem::path& workDirectory, const std::vector<std::string>& args,
                                      const std::string& outPath, const std::string& errPath,
                                      std::optional<rlim_t> fileSizeLimit) {
    if (chdir(workDirectory.c_str()) != 0) _exit(126);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0) _exit(126);
    if (fileSizeLimit) {
        // Root ignores permissions but not this limit; with SIGXFSZ ignored the
        // write that crosses it fails with EFBIG instead of killing the program.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{*fileSizeLimit, *fileSizeLimit};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
    }
    std::vector<char*> argv{const_cast<char*>(WAVEMELT_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(WAVEMELT_PATH, argv.data());
    _exit(127);
}

// Output is captured in a directory of its own so that the working
// directory holds only what wavemelt leaves there.
Outcome runWavemelt(const ScratchDirectory& workDirectory, const std::vector<std::string>& args,
                    std::optional<rlim_t> fileSizeLimit = std::nullopt) {
    ScratchDirectory capture;
    const pid_t child = fork();
    if (child == 0) {
        execWavemeltInChild(workDirectory.path(), args, capture / "out", capture / "err", fileSizeLimit);
    }
    int status = 0;
    waitpid(child, &status, 0);
    auto text = [](const std::vector<unsigned char>& bytes) { return std::string(bytes.begin(), bytes.end()); };
    return Outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, text(readBytes(capture / "out")),
                   text(readBytes(capture / "err"))};
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class CommandLineTest : public ::testing::Test {
protected:
    void writeTone(const std::string& name, std::size_t frames = 44100) {
        writeFile(directory / name, encodeVorbis(sineWave(440.0, 22050, frames), 1, 22050));
    }

    ScratchDirectory directory;
};

TEST_F(CommandLineTest, WithoutArgumentsOnlyReportsTheMissingWavemeltExe) {
    const Outcome outcome = runWavemelt(directory, {});

    EXPECT_EQ(outcome.out, "-1\n");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.exitStatus, 0);
}

TEST_F(CommandLineTest, DeletesWavemeltExeFromTheCurrentDirectory) {
    writeFile(directory / "Wavemelt.exe", {'M', 'Z'});

    const Outcome outcome = runWavemelt(directory, {});

    EXPECT_EQ(outcome.out, "0\n");
    EXPECT_TRUE(directory.entries().empty());
}

TEST_F(CommandLineTest, ConvertsEveryArgumentAndDeletesTheSources) {
    writeTone("a.b.ogg");
    std::filesystem::create_directory(directory.path() / "music");
    writeTone("music/stage1.ogg", 1000);

    const Outcome outcome = runWavemelt(directory, {"a.b.ogg", "music/stage1.ogg"});

    EXPECT_EQ(outcome.exitStatus, 0);
    EXPECT_EQ(outcome.out, "-1\n");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(directory.entries(), (std::set<std::string>{"a.b.tws", "music"}));
    EXPECT_EQ(readTws(directory / "a.b.tws").fileSize, 16u + 88200u);
    EXPECT_EQ(readTws(directory / "music/stage1.tws").dataBytes, 2000u);
}

TEST_F(CommandLineTest, MissingSourceIsReportedAndFailsTheRun) {
    writeTone("good.ogg");

    const Outcome outcome = runWavemelt(directory, {"missing.ogg", "good.ogg"});

    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_EQ(outcome.out, "-1\n");
    EXPECT_EQ(lineCount(outcome.err), 1u);
    EXPECT_NE(outcome.err.find("missing.ogg"), std::string::npos);
    EXPECT_EQ(directory.entries(), (std::set<std::string>{"good.tws"})) << "later arguments are still converted";
}

TEST_F(CommandLineTest, TextFileNamedOggIsKept) {
    writeFile(directory / "x.ogg", {'h', 'e', 'l', 'l', 'o', '\n'});

    const Outcome outcome = runWavemelt(directory, {"x.ogg"});

    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_EQ(outcome.out, "-1\n");
    EXPECT_EQ(lineCount(outcome.err), 1u);
    EXPECT_NE(outcome.err.find("x.ogg"), std::string::npos);
    EXPECT_EQ(directory.entries(), (std::set<std::string>{"x.ogg"}));
}

TEST_F(CommandLineTest, WriteFailingPartWayKeepsTheSourceAndTheOldTws) {
    writeTone("x.ogg");
    const std::vector<unsigned char> source = readBytes(directory / "x.ogg");
    const std::vector<unsigned char> oldTws{1, 2, 3};
    writeFile(directory / "x.tws", oldTws);

    const Outcome outcome = runWavemelt(directory, {"x.ogg"}, 40000);

    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_EQ(outcome.out, "-1\n");
    EXPECT_EQ(lineCount(outcome.err), 1u);
    EXPECT_NE(outcome.err.find("x.ogg"), std::string::npos);
    EXPECT_EQ(directory.entries(), (std::set<std::string>{"x.ogg", "x.tws"})) << "no temporary file is left";
    EXPECT_EQ(readBytes(directory / "x.ogg"), source);
    EXPECT_EQ(readBytes(directory / "x.tws"), oldTws);
}

}  // namespace
}  // namespace wavemelt::testing
