#include "MilestoneLog.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>

namespace brinefall::testing {

bool parseMilestone(const std::string& line, Milestone& milestone) {
    static const std::regex form(R"(^frame ([0-9]+): ([a-z-]+)(?: (.+))?$)");
    std::smatch match;
    if (!std::regex_match(line, match, form)) return false;
    milestone.frame = std::stoull(match[1].str());
    milestone.word = match[2].str();
    milestone.details = match[3].matched ? match[3].str() : "";
    return true;
}

ProgramRun runProgram(const std::string& arguments) {
    // A fresh settings folder: the stored choices of whoever runs the tests must not play.
    char folderTemplate[] = "/tmp/brinefall-e2e-XXXXXX";
    const char* folder = mkdtemp(folderTemplate);
    ProgramRun run;
    if (folder == nullptr) return run;
    const std::string command =
        std::string("BRINEFALL_SETTINGS_DIR=") + folder + " '" + BRINEFALL_PROGRAM + "' " + arguments;
    FILE* output = popen(command.c_str(), "r");
    if (output != nullptr) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, output) != nullptr) {
            std::string line(buffer);
            if (!line.empty() && line.back() == '\n') line.pop_back();
            Milestone milestone;
            if (parseMilestone(line, milestone)) {
                run.milestones.push_back(milestone);
            } else {
                run.strayLines.push_back(line);
            }
        }
        const int status = pclose(output);
        run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return run;
}

int findMilestone(const std::vector<Milestone>& milestones, int from, const std::string& word,
                  const std::string& details) {
    for (int i = std::max(from, 0); i < static_cast<int>(milestones.size()); ++i) {
        const Milestone& m = milestones[static_cast<std::size_t>(i)];
        if (m.word == word && m.details.rfind(details, 0) == 0) return i;
    }
    return -1;
}

}  // namespace brinefall::testing
