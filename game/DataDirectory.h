#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace brinefall {

// Where the game's data files live, in order of preference: the folder named on
// the command line, the installed share/brinefall beside the program's bin/, and the
// build tree's baked assets. Asset names stay relative to it.
std::vector<std::filesystem::path> dataDirectoryCandidates(const std::string& requested,
                                                           const std::filesystem::path& programPath);

// Changes into the first candidate that exists. A folder named on the command line
// must exist; otherwise, with none found, the current directory stays. False with a
// message in whyNot when the named folder cannot be entered.
bool enterDataDirectory(const std::string& requested, const std::filesystem::path& programPath,
                        std::string& whyNot);

} // namespace brinefall
