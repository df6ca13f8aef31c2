#include "DataDirectory.h"

#include <fstream>
#include <system_error>

namespace brinefall {

std::vector<std::filesystem::path> dataDirectoryCandidates(const std::string& requested,
                                                           const std::filesystem::path& programPath) {
    if (!requested.empty()) {
        return {requested};
    }
    const std::filesystem::path programDir = programPath.parent_path();
    std::vector<std::filesystem::path> candidates{programDir / BRINEFALL_DATA_FROM_PROGRAM};
    std::ifstream note(programDir / "brinefall-data-dir");
    std::string line;
    if (note && std::getline(note, line) && !line.empty()) {
        candidates.push_back(programDir / line);
    }
    return candidates;
}

bool enterDataDirectory(const std::string& requested, const std::filesystem::path& programPath,
                        std::string& whyNot) {
    for (const std::filesystem::path& candidate : dataDirectoryCandidates(requested, programPath)) {
        std::error_code error;
        if (!std::filesystem::is_directory(candidate, error)) {
            continue;
        }
        std::filesystem::current_path(candidate, error);
        if (!error) {
            return true;
        }
        whyNot = "cannot enter the data folder " + candidate.string() + ": " + error.message();
        return false;
    }
    if (!requested.empty()) {
        whyNot = "the data folder " + requested + " does not exist";
        return false;
    }
    return true;
}

} // namespace brinefall
