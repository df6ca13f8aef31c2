#include "CommandLine.h"
#include "Entry.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <vector>

namespace {

// Options that are understood but whose part of the game has not been built yet.
bool rejectUnavailable(const brinefall::LaunchOptions& options) {
    static const std::set<std::string> available = {
        "--help",     "--version",  "--headless",    "--windowed",   "--fullscreen", "--data-dir",   "--frames",
        "--seed",     "--dump-audio", "--dump-frames", "--dump-every", "--software",   "--hardware",
        "--demo-sprites", "--input"};
    for (const std::string& name : options.given) {
        if (available.count(name) == 0) {
            std::fprintf(stderr, "brinefall: %s is not available yet\n", name.c_str());
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const brinefall::ParseResult parsed =
        brinefall::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "brinefall: %s\n", parsed.error.c_str());
        return parsed.exitStatus;
    }
    const brinefall::LaunchOptions& options = parsed.options;
    if (options.help) {
        std::fputs(brinefall::usageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(brinefall::versionText().c_str(), stdout);
        return 0;
    }
    if (rejectUnavailable(options)) {
        return 2;
    }
    // The real path of the program finds an installed data folder beside its bin/.
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        program = argv[0];
    }
    brinefall::RootFactory makeRoot = brinefall::makeGameRoot;
    if (options.demoSprites) {
        makeRoot = options.showcase.empty() ? brinefall::RootFactory(brinefall::makeDemoSpritesRoot)
                                            : [name = options.showcase] { return brinefall::makeShowcaseRoot(name); };
    }
    return brinefall::runGame(options, program, makeRoot);
}
