#pragma once

#include "CommandLine.h"

#include <string>

namespace brinefall {

// A run's journal, from the game's side: --record FILE writes one, with the seed, the
// settings that decide play and the joysticks at its top; --input FILE, when the file is a
// journal, plays it with what it was recorded with and checks the game against it.
class JournalSession {
public:
    // Before the platform starts: takes the seed, the window mode and the length of the run
    // from a journal given with --input, and fixes a seed for a recording that has none.
    // False, with the reason, when the journal contradicts the command line.
    static bool prepare(LaunchOptions& options, std::string& whyNot);

    // Once the engine has started, before the root sprite is made: stores the journal's
    // settings, begins the recording and the checks.
    explicit JournalSession(const LaunchOptions& options);
    // Stops recording and checking whatever way the run ends.
    ~JournalSession();
    JournalSession(const JournalSession&) = delete;
    JournalSession& operator=(const JournalSession&) = delete;

    // After the main loop: closes the journal and says on standard error where a played-back
    // journal went out of step. 3 when it did, else `status`.
    int finish(int status);

private:
    std::string inputFile_;
    bool verifying_ = false;
};

}  // namespace brinefall
