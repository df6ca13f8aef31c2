#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace brinefall {

// Where the game's data files live, in order of preference: the folder named on
// the command line; the installed data folder, found relative to the program
// (../share/brinefall beside the usual bin/); and in a build tree the folder that the
// note "brinefall-data-dir" beside the program names, relative to the program. No
// folder of the build is compiled in. Asset names stay relative to the chosen folder.
std::vector<std::filesystem::path> dataDirectoryCandidates(const std::string& requested,
                                                           const std::filesystem::path& programPath);

// Changes into the first candidate that exists. A folder named on the command line
// must exist; otherwise, with none found, the current directory stays. False with a
// message in whyNot when the named folder cannot be entered.
bool enterDataDirectory(const std::string& requested, const std::filesystem::path& programPath,
                        std::string& whyNot);

} // namespace brinefall
