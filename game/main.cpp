#include "CommandLine.h"
#include "Entry.h"

#include <cstdio>
#include <filesystem>
#include <vector>

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
    // The real path of the program finds an installed data folder beside its bin/.
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        program = argv[0];
    }
    const brinefall::RootFactory makeRoot =
        options.demoSprites ? brinefall::RootFactory(brinefall::makeDemoSpritesRoot) : brinefall::gameRootFor(options);
    return brinefall::runGame(options, program, makeRoot);
}
