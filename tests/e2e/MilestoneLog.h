#pragma once

#include <string>
#include <vector>

namespace brinefall::testing {

// One line of --milestones: "frame N: WORD [DETAILS]".
struct Milestone {
    unsigned long long frame = 0;
    std::string word;
    std::string details;
};

// What a run of the real program printed and how it ended.
struct ProgramRun {
    std::vector<Milestone> milestones;
    int exitStatus = -1;
    std::vector<std::string> strayLines;  // standard output that is not a milestone
};

// Runs the program with these arguments (and a private settings folder), reading its
// milestones from standard output as it goes.
ProgramRun runProgram(const std::string& arguments);

// Parses one line; false when it is not in the milestone form.
bool parseMilestone(const std::string& line, Milestone& milestone);

// The index of the first milestone at or after `from` with this word (and details that
// begin with `details`), or -1.
int findMilestone(const std::vector<Milestone>& milestones, int from, const std::string& word,
                  const std::string& details = "");

}  // namespace brinefall::testing
